// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/pipe_picture.h"

#include <algorithm>
#include <cmath>

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QPainter>
#include <QPolygonF>

#include "picture/cross_section.h"
#include "picture/elements_chart.h"

namespace runnelex::picture {

namespace {

QFont pixelFont(double pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

} // namespace

QStringList legendLines(const QString& text, const QFontMetricsF& metrics, double width) {
    // Broken only at a blank, and never between a number and its unit: "0.1234 L/s" and the
    // unit itself stay whole, where the platform's word wrap breaks "L/ s".
    QStringList words;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        bool number = false;
        if (!words.isEmpty())
            words.back().toDouble(&number); // the text is ours: the point is its separator
        if (number)
            words.back() += u' ' + word;
        else
            words << word;
    }
    QStringList lines;
    for (const QString& word : words) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + u' ' + word) <= width)
            lines.back() += u' ' + word;
        else
            lines << word;
    }
    return lines;
}

namespace {

// The legend beside the chart: each entry's symbol as the chart draws it, then its text.
void paintLegend(QPainter& painter, const QRectF& area, const std::vector<LegendEntry>& entries,
                 const QFont& font) {
    const QFontMetricsF metrics(font);
    const double line = metrics.height() * 1.35, symbol = metrics.height();
    const double textLeft = area.left() + symbol * 1.5, textWidth = area.right() - textLeft;
    // A text too long for one line takes more, broken between words.
    std::vector<QStringList> lines;
    double high = 0.0;
    for (const LegendEntry& e : entries) {
        lines.push_back(legendLines(e.text, metrics, textWidth));
        high += line * static_cast<double>(lines.back().size());
    }
    double y = area.center().y() - high / 2;
    painter.setFont(font);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LegendEntry& e = entries[i];
        const QRectF box(area.left(), y + (line - symbol) / 2, symbol, symbol);
        const QPointF mid = box.center();
        painter.setPen(QPen(e.color, 1.5));
        painter.setBrush(e.color);
        switch (e.symbol) {
        case LegendEntry::Symbol::Line:
        case LegendEntry::Symbol::DashedLine:
            painter.setPen(
                QPen(e.color, 2.5,
                     e.symbol == LegendEntry::Symbol::Line ? Qt::SolidLine : Qt::DashLine));
            painter.drawLine(QPointF(box.left(), mid.y()), QPointF(box.right(), mid.y()));
            break;
        case LegendEntry::Symbol::Area:
            painter.drawRect(box.adjusted(1, 1, -1, -1));
            break;
        case LegendEntry::Symbol::Square:
            painter.drawRect(box.adjusted(2, 2, -2, -2));
            break;
        case LegendEntry::Symbol::Circle:
            painter.drawEllipse(box.adjusted(2, 2, -2, -2));
            break;
        case LegendEntry::Symbol::Triangle:
            painter.drawPolygon(QPolygonF({QPointF(mid.x(), box.top() + 1),
                                           QPointF(box.right() - 1, box.bottom() - 1),
                                           QPointF(box.left() + 1, box.bottom() - 1)}));
            break;
        }
        painter.setPen(QColor(38, 50, 56));
        for (const QString& part : lines[i]) {
            painter.drawText(
                QRectF(textLeft, y + (line - metrics.height()) / 2, textWidth, metrics.height()),
                Qt::AlignLeft | Qt::AlignTop, part);
            y += line;
        }
    }
}

} // namespace

PipePicture::PipePicture()
    : scene_(std::make_unique<QGraphicsScene>()), chart_(std::make_unique<ElementsChart>()) {
    scene_->addItem(chart_->chart()); // the scene owns the chart from here on
}

PipePicture::~PipePicture() = default;

void PipePicture::setModel(const PictureModel& model) {
    model_ = model;
    chart_->show(model_);
}

void PipePicture::render(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.fillRect(target, Qt::white);
    // Text grows with the picture, within readable bounds.
    const double pixels =
        std::clamp(std::min(target.height() / 30, target.width() / 55), 7.0, 28.0);
    const QFont text = pixelFont(pixels), title = pixelFont(pixels * 1.15, true);
    const double line = QFontMetricsF(text).height();

    const QRectF titleRect(target.left() + line / 2, target.top() + line / 4, target.width() - line,
                           QFontMetricsF(title).height() * 1.3);
    // The capacity notice makes the note a line longer.
    const double noteLines = model_.capacityNotice.empty() ? 2.2 : 3.3;
    const QRectF noteRect(target.left() + line / 2, target.bottom() - (noteLines + 0.2) * line,
                          target.width() - line, noteLines * line);
    const QRectF middle(target.left(), titleRect.bottom(), target.width(),
                        noteRect.top() - titleRect.bottom());
    const QRectF section(middle.left(), middle.top(), middle.width() * 0.36, middle.height());
    const QRectF chartRect(section.right(), middle.top(), middle.right() - section.right(),
                           middle.height());

    painter.setPen(QColor(38, 50, 56));
    painter.setFont(title);
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
                     model_.drawable ? QString::fromStdString(model_.title)
                                     : QStringLiteral("Runnelex"));
    paintCrossSection(painter, section.adjusted(line / 2, line / 2, 0, -line / 2), model_,
                      pixelFont(pixels * 0.9));
    painter.setFont(text);
    painter.setPen(QColor(38, 50, 56));
    // Wrapped as the legend is, never inside a number's unit ("ft/ ft").
    painter.drawText(
        noteRect, Qt::AlignLeft | Qt::AlignTop,
        legendLines(QString::fromStdString(model_.note), QFontMetricsF(text), noteRect.width())
            .join(u'\n'));

    if (model_.drawable && chartRect.width() > 1 && chartRect.height() > 1) {
        // The legend takes the room its texts need, up to 45 % of the chart's; a longer text
        // takes two lines.
        const std::vector<LegendEntry> legend = chart_->legend();
        const QFont legendFont = pixelFont(pixels * 0.8);
        const QFontMetricsF metrics(legendFont);
        double widest = 0.0;
        for (const LegendEntry& e : legend)
            widest = std::max(widest, metrics.horizontalAdvance(e.text));
        const double legendWidth =
            std::min(widest + metrics.height() * 2, chartRect.width() * 0.45);
        const QRectF plotRect = chartRect.adjusted(0, 0, -legendWidth, 0);
        chart_->fit(plotRect.size(), pixels);
        QChart* chart = chart_->chart();
        scene_->setSceneRect(chart->geometry());
        scene_->render(&painter, plotRect, chart->geometry());
        paintLegend(
            painter,
            QRectF(plotRect.right(), plotRect.top(), legendWidth - line / 2, plotRect.height()),
            legend, legendFont);
    }
    painter.restore();
}

} // namespace runnelex::picture
