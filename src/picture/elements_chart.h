// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QColor>
#include <QSizeF>
#include <QString>

#include "picture/picture_model.h"

class QAreaSeries;
class QCategoryAxis;
class QChart;
class QLineSeries;
class QScatterSeries;

namespace runnelex::picture {

// The hydraulic-elements chart: depth ratio (vertical, 0 to 1) against the flow (bottom axis,
// in the unit shown) and the velocity (top axis, ft/sec), with the design point, Max Q at 0.93,
// the peak open-channel flow, the full flow and, for a circle, the shaded zone of flows that
// have two normal depths.
// One line of the chart's legend: the symbol as the chart draws it, its colour and its text.
struct LegendEntry {
    enum class Symbol { Line, DashedLine, Area, Square, Circle, Triangle };
    Symbol symbol;
    QColor color;
    QString text;
};

class ElementsChart {
public:
    ElementsChart();
    // The chart; a scene or a view takes ownership of it.
    QChart* chart() const { return chart_; }
    void show(const PictureModel& model);
    // Lays the chart out at `size`: fonts, marker sizes and the number of ticks follow it.
    void fit(const QSizeF& size, double fontPixels);
    // What the legend lists, in order: the curves, then each marker that has a point. The
    // picture draws it beside the chart, whole and with the markers' own shapes.
    std::vector<LegendEntry> legend() const;

private:
    QChart* chart_;
    QCategoryAxis *ratioAxis_, *flowAxis_, *velocityAxis_;
    QLineSeries *flow_, *velocity_, *zoneTop_, *zoneBottom_;
    QAreaSeries* zone_;
    QScatterSeries *design_, *other_, *designVelocity_, *qmax_, *peak_, *full_;
    double largestFlow_ = 1.0, largestVelocity_ = 1.0; // what the axes must reach
    QSizeF fittedTo_;
    double fittedPixels_ = 0.0;
    bool fitted_ = false; // false after a new model
};

} // namespace runnelex::picture
