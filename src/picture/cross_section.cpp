// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/cross_section.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "calc/display_run.h"

namespace runnelex::picture {

namespace {

const QColor kWater(100, 181, 246);
const QColor kSurface(13, 71, 161);
const QColor kCritical(230, 81, 0);
const QColor kOther(123, 31, 162);
const QColor kWall(55, 71, 79);
const QColor kAlarm(198, 40, 40);

struct DepthLine {
    double depth; // ft
    QString text;
    QColor color;
    Qt::PenStyle style;
};

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

void paintCrossSection(QPainter& painter, const QRectF& area, const PictureModel& m,
                       const QFont& font) {
    painter.save();
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double line = metrics.height();
    if (!m.drawable) {
        painter.setPen(kWall);
        // A run cut short by an arithmetic fault says so, like the main window does.
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                         m.fault ? qs(calcFaultMessage(*m.fault)) : qs(m.prompt));
        painter.restore();
        return;
    }

    std::vector<DepthLine> lines;
    if (m.normalDepth)
        lines.push_back({*m.normalDepth, qs(m.normalText), kSurface, Qt::SolidLine});
    if (m.criticalDepth)
        lines.push_back({*m.criticalDepth, qs(m.criticalText), kCritical, Qt::DashLine});
    if (m.otherDepth)
        lines.push_back({*m.otherDepth, qs(m.otherText), kOther, Qt::DotLine});

    // The conduit on top, its size below it, then one row per depth line: a piece of the line
    // in its style and its caption. The section keeps its span to rise to scale.
    const double aspect = !(m.D > 0.0) || !(m.span > 0.0) ? 1.0 : m.span / m.D;
    const double rows = lines.size() + 1.5;
    const double high =
        std::max(line, std::min((area.width() - line) / aspect, area.height() - rows * line));
    const double wide = high * aspect;
    const QRectF outline(area.left() + (area.width() - wide) / 2, area.top(), wide, high);
    const double size = high;
    const QPointF centre = outline.center();
    const auto yOf = [&](double depth) {
        return outline.bottom() - depth / m.D * size;
    };
    const double scale = m.D > 0.0 ? size / m.D : 0.0;
    QPolygonF boundary;
    for (const sections::OutlinePoint& p : m.outline)
        boundary << QPointF(centre.x() + p.x * scale, yOf(p.y));
    QPainterPath pipe;
    pipe.addPolygon(boundary);
    pipe.closeSubpath();
    // Half the width of the section at a height of the drawing, from its outline.
    const auto halfWidthAt = [&boundary, &centre](double y) {
        double half = 0.0;
        for (qsizetype i = 0; i < boundary.size(); ++i) {
            const QPointF a = boundary[i], b = boundary[(i + 1) % boundary.size()];
            if ((a.y() - y) * (b.y() - y) > 0.0 || a.y() == b.y())
                continue;
            const double x = a.x() + (y - a.y()) / (b.y() - a.y()) * (b.x() - a.x());
            half = std::max(half, std::abs(x - centre.x()));
        }
        return half;
    };

    const bool surcharged = m.outcome == Outcome::Surcharged;
    painter.setRenderHint(QPainter::Antialiasing);
    if (surcharged || m.normalDepth) {
        const double top = surcharged ? outline.top() : yOf(*m.normalDepth);
        QPainterPath below;
        below.addRect(QRectF(outline.left(), top, outline.width(), outline.bottom() - top));
        painter.fillPath(pipe.intersected(below), surcharged ? kSurface.lighter(150) : kWater);
    }

    // Top to bottom as they lie in the pipe.
    std::sort(lines.begin(), lines.end(),
              [](const DepthLine& a, const DepthLine& b) { return a.depth > b.depth; });
    const double sample = 2.5 * line;
    double width = 0.0;
    for (const DepthLine& l : lines)
        width = std::max(width, sample + line / 2 + metrics.horizontalAdvance(l.text));
    const double left = area.left() + std::max(0.0, (area.width() - width) / 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const DepthLine& l = lines[i];
        QPen pen(l.color, std::max(1.5, line / 8), l.style);
        painter.setPen(pen);
        const double y = yOf(l.depth);
        const double half = halfWidthAt(y);
        painter.drawLine(QPointF(centre.x() - half, y), QPointF(centre.x() + half, y));
        const double rowY = outline.bottom() + line * (1.5 + static_cast<double>(i)) + line / 2;
        painter.drawLine(QPointF(left, rowY), QPointF(left + sample, rowY));
        painter.drawText(
            QPointF(left + sample + line / 2, rowY + (metrics.ascent() - metrics.descent()) / 2),
            l.text);
    }

    painter.setPen(QPen(surcharged ? kAlarm : kWall, surcharged ? line / 3 : line / 8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(pipe);
    painter.setPen(kWall);
    painter.drawText(QRectF(area.left(), outline.bottom() + line / 4, area.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, qs(m.diameterText));
    if (surcharged) {
        QFont bold = font;
        bold.setBold(true);
        bold.setPixelSize(std::max(1, static_cast<int>(std::lround(line * 1.3))));
        painter.setFont(bold);
        const QString mark = QStringLiteral("Surcharged!");
        const QFontMetricsF big(bold);
        QRectF box(0, 0, big.horizontalAdvance(mark) + line, big.height() + line / 2);
        box.moveCenter(centre);
        painter.setPen(QPen(kAlarm, 2));
        painter.setBrush(Qt::white);
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, mark);
    } else if (!m.normalDepth) {
        painter.drawText(outline, Qt::AlignCenter, QStringLiteral("No design flow"));
    }
    painter.restore();
}

} // namespace runnelex::picture
