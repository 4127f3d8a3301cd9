// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/elements_chart.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QScatterSeries>

#include "common/number_text.h"
#include "picture/axis_ticks.h"

namespace runnelex::picture {

namespace {

constexpr double kRatioTop = 1.06;
const QColor kPeakColor(0, 121, 107);

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Tick labels are set one by one from the core's number text, never from a format string.
void setTicks(QCategoryAxis* axis, const std::vector<AxisTick>& ticks) {
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    axis->setStartValue(0.0);
    for (const AxisTick& tick : ticks)
        axis->append(qs(tick.text), tick.value);
    axis->setRange(0.0, ticks.back().value);
}

QCategoryAxis* makeAxis(QChart* chart, const QString& title, Qt::Alignment side) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(axis, side);
    return axis;
}

template <typename Series>
Series* addSeries(QChart* chart, QCategoryAxis* x, QCategoryAxis* y, Series* series,
                  const QColor& color) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    series->setColor(color);
    return series;
}

void setPoint(QScatterSeries* series, const std::optional<QPointF>& point, const QString& name) {
    series->replace(point ? QList<QPointF>{*point} : QList<QPointF>{});
    series->setName(name);
}

// Ticks of the axis that reach `largest`, as many as leave each label its room: a label is
// never cut short ("10…").
std::vector<AxisTick> fittingTicks(double largest, double width, const QFont& font,
                                   double fontPixels) {
    const QFontMetricsF metrics(font);
    std::vector<AxisTick> ticks;
    for (int steps = 6; steps >= 1; --steps) {
        ticks = axisTicks(largest, steps);
        double widest = 0.0;
        for (const AxisTick& t : ticks)
            widest = std::max(widest, metrics.horizontalAdvance(qs(t.text)));
        if (width / static_cast<double>(ticks.size() - 1) >= 2 * widest + fontPixels)
            break;
    }
    return ticks;
}

QScatterSeries* marker(QScatterSeries::MarkerShape shape, qreal size) {
    auto* s = new QScatterSeries;
    s->setMarkerShape(shape);
    s->setMarkerSize(size);
    return s;
}

} // namespace

ElementsChart::ElementsChart() : chart_(new QChart) {
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundRoundness(0);
    chart_->legend()->hide(); // the picture draws it beside the chart, never cut short
    ratioAxis_ = makeAxis(chart_, QStringLiteral("d/D"), Qt::AlignLeft);
    flowAxis_ = makeAxis(chart_, QString(), Qt::AlignBottom);
    velocityAxis_ = makeAxis(chart_, QString(), Qt::AlignTop); // titled with the model's unit
    // Above the crown's ratio, so that the markers at d/D 1 (the full flow, a surcharged design
    // point) are drawn whole rather than cut by the plot's frame.
    // Labelled from the start, so that the first layout leaves the axis its room.
    ratioAxis_->setStartValue(0.0);
    for (int i = 0; i <= 10; ++i)
        ratioAxis_->append(qs(generalNumberText(i / 10.0)), i / 10.0);
    ratioAxis_->setRange(0.0, kRatioTop);

    // The area series does not own its two lines; the chart does.
    zoneTop_ = new QLineSeries(chart_);
    zoneBottom_ = new QLineSeries(chart_);
    zone_ = addSeries(chart_, flowAxis_, ratioAxis_, new QAreaSeries(zoneTop_, zoneBottom_),
                      QColor(255, 193, 7, 90));
    zone_->setBorderColor(QColor(255, 160, 0));
    flow_ = addSeries(chart_, flowAxis_, ratioAxis_, new QLineSeries, QColor(21, 101, 192));
    velocity_ = addSeries(chart_, velocityAxis_, ratioAxis_, new QLineSeries, QColor(46, 125, 50));
    QPen dashed = velocity_->pen();
    dashed.setStyle(Qt::DashLine);
    dashed.setWidthF(2.0);
    velocity_->setPen(dashed);
    QPen solid = flow_->pen();
    solid.setWidthF(2.5);
    flow_->setPen(solid);
    full_ = addSeries(chart_, flowAxis_, ratioAxis_,
                      marker(QScatterSeries::MarkerShapeRectangle, 9), QColor(96, 125, 139));
    qmax_ = addSeries(chart_, flowAxis_, ratioAxis_,
                      marker(QScatterSeries::MarkerShapeRectangle, 9), QColor(230, 81, 0));
    // On a circle the peak lies just above Max Q, almost on it: drawn after the square as an
    // outline only, the larger triangle shows around it and the square through it.
    peak_ = addSeries(chart_, flowAxis_, ratioAxis_,
                      marker(QScatterSeries::MarkerShapeTriangle, 10), kPeakColor);
    peak_->setBrush(Qt::NoBrush);
    QPen outline(kPeakColor);
    outline.setWidthF(2.5);
    peak_->setPen(outline);
    design_ = addSeries(chart_, flowAxis_, ratioAxis_,
                        marker(QScatterSeries::MarkerShapeCircle, 12), QColor(198, 40, 40));
    other_ = addSeries(chart_, flowAxis_, ratioAxis_, marker(QScatterSeries::MarkerShapeCircle, 9),
                       QColor(123, 31, 162));
    designVelocity_ = addSeries(chart_, velocityAxis_, ratioAxis_,
                                marker(QScatterSeries::MarkerShapeCircle, 9), QColor(46, 125, 50));
}

void ElementsChart::fit(const QSizeF& size, double fontPixels) {
    if (fitted_ && size == fittedTo_ && fontPixels == fittedPixels_)
        return; // a repaint at the same size changes nothing
    fitted_ = true;
    fittedTo_ = size;
    fittedPixels_ = fontPixels;
    QFont labels(QStringLiteral("DejaVu Sans")), titles = labels;
    labels.setPixelSize(std::max(1, static_cast<int>(std::lround(fontPixels * 0.8))));
    titles.setPixelSize(std::max(1, static_cast<int>(std::lround(fontPixels * 0.9))));
    titles.setBold(true);
    for (QCategoryAxis* axis : {ratioAxis_, flowAxis_, velocityAxis_}) {
        axis->setLabelsFont(labels);
        axis->setTitleFont(titles);
    }
    const std::pair<QScatterSeries*, double> markers[] = {{full_, 0.6},  {qmax_, 0.6},
                                                          {peak_, 0.9},  {design_, 0.8},
                                                          {other_, 0.6}, {designVelocity_, 0.6}};
    for (const auto& [series, scale] : markers)
        series->setMarkerSize(std::max(4.0, fontPixels * scale));
    // The last label stands centred on the plot's right edge: half of it lies beyond.
    const QFontMetricsF metrics(labels);
    double half = 0.0;
    for (double largest : {largestFlow_, largestVelocity_})
        half = std::max(half, metrics.horizontalAdvance(qs(axisTicks(largest).back().text)) / 2);
    chart_->setMargins(QMargins(4, 4, static_cast<int>(std::ceil(half + fontPixels / 2)), 4));
    // Laid out at its size first, so that the ticks can leave room for their labels.
    chart_->setGeometry(QRectF(QPointF(0, 0), size));
    const double width = chart_->plotArea().width();
    // Ratio ticks every 0.1 where the plot is high enough for their labels, else fewer.
    const double high = chart_->plotArea().height() / kRatioTop;
    double step = 1.0;
    for (double s : {0.1, 0.2, 0.25, 0.5})
        if (high * s >= 2.5 * metrics.height()) {
            step = s;
            break;
        }
    for (const QString& label : ratioAxis_->categoriesLabels())
        ratioAxis_->remove(label);
    ratioAxis_->setStartValue(0.0);
    const int count = static_cast<int>(std::lround(1.0 / step));
    for (int i = 0; i <= count; ++i)
        ratioAxis_->append(qs(generalNumberText(i * step)), i * step);
    ratioAxis_->setRange(0.0, kRatioTop);
    setTicks(flowAxis_, fittingTicks(largestFlow_, width, labels, fontPixels));
    setTicks(velocityAxis_, fittingTicks(largestVelocity_, width, labels, fontPixels));
    // Laid out again for the new labels before anything is drawn.
    if (QGraphicsLayout* layout = chart_->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

std::vector<LegendEntry> ElementsChart::legend() const {
    using Symbol = LegendEntry::Symbol;
    std::vector<LegendEntry> entries;
    if (!zone_->name().isEmpty())
        entries.push_back({Symbol::Area, zone_->color(), zone_->name()});
    entries.push_back({Symbol::Line, flow_->color(), flow_->name()});
    entries.push_back({Symbol::DashedLine, velocity_->color(), velocity_->name()});
    const std::pair<QScatterSeries*, Symbol> markers[] = {
        {full_, Symbol::Square},   {qmax_, Symbol::Square},  {peak_, Symbol::Triangle},
        {design_, Symbol::Circle}, {other_, Symbol::Circle}, {designVelocity_, Symbol::Circle}};
    for (const auto& [series, symbol] : markers)
        if (series->count() > 0) // a marker without a point has no place in the legend
            entries.push_back(
                {symbol, series == peak_ ? kPeakColor : series->color(), series->name()});
    return entries;
}

void ElementsChart::show(const PictureModel& m) {
    const auto flowText = [&m](double value) {
        return qs(picture::flowText(m, value));
    };
    QList<QPointF> flows, velocities;
    double fastest = 0.0;
    for (const elements::ElementPoint& p : m.curve) {
        flows.append({p.Q, p.ratio});
        velocities.append({p.V, p.ratio});
        fastest = std::max(fastest, p.V);
    }
    flow_->replace(flows);
    velocity_->replace(velocities);
    flow_->setName(QStringLiteral("Q"));
    velocity_->setName(QStringLiteral("V"));
    flowAxis_->setTitleText(qs(m.flowTitle));
    velocityAxis_->setTitleText(QStringLiteral("V (") + qs(m.velocityUnit) + u')');
    largestFlow_ = std::max(m.peakFlow, m.designFlow.value_or(0.0)) * 1.05;
    largestVelocity_ = fastest * 1.05;
    fitted_ = false;

    // Only a circle has flows with two normal depths; a box's flow rises to the crown.
    if (m.twoDepthZone) {
        zoneTop_->replace({{m.fullFlow, 1.0}, {m.peakFlow, 1.0}});
        zoneBottom_->replace({{m.fullFlow, m.zoneStartRatio}, {m.peakFlow, m.zoneStartRatio}});
    } else {
        zoneTop_->clear();
        zoneBottom_->clear();
    }
    zone_->setName(m.twoDepthZone ? QStringLiteral("two normal depths") : QString());
    setPoint(full_, QPointF(m.fullFlow, 1.0), QStringLiteral("Q full ") + flowText(m.fullFlow));
    setPoint(qmax_, QPointF(m.qmax, 0.93), QString::fromUtf8(kMaxQName) + u' ' + flowText(m.qmax));
    setPoint(peak_, QPointF(m.peakFlow, m.peakRatio),
             QString::fromUtf8(kPeakName) + u' ' + flowText(m.peakFlow));

    std::optional<QPointF> design, other, velocity;
    QString designName, otherName, velocityName;
    if (m.designFlow && m.designRatio) {
        design = QPointF(*m.designFlow, *m.designRatio);
        designName = QStringLiteral("design ") + flowText(*m.designFlow);
        if (m.otherRatio) {
            other = QPointF(*m.designFlow, *m.otherRatio);
            otherName = QStringLiteral("other depth");
        }
        if (m.designVelocity) {
            velocity = QPointF(*m.designVelocity, *m.designRatio);
            velocityName = QStringLiteral("Vnorm ") +
                           qs(numberText(m, *m.designVelocity) + ' ' + m.velocityUnit);
        }
    }
    setPoint(design_, design, designName);
    setPoint(other_, other, otherName);
    setPoint(designVelocity_, velocity, velocityName);
}

} // namespace runnelex::picture
