// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/number_text.h"
#include "picture/axis_ticks.h"
#include "sheet/sheet_svg.h"
#include "sheet/svg_writer.h"

namespace runnelex::sheet {

namespace {

constexpr double kRatioTop = 1.06; // above the crown, so that markers at d/D 1 are whole
constexpr double kLabelPixels = kPixels * 0.8, kTitlePixels = kPixels * 0.9;

// Ticks that reach `largest`, as many as leave each label its room.
std::vector<picture::AxisTick> fittingTicks(double largest, double width) {
    std::vector<picture::AxisTick> ticks;
    for (int steps = 6; steps >= 1; --steps) {
        ticks = picture::axisTicks(largest, steps);
        double widest = 0.0;
        for (const auto& t : ticks)
            widest = std::max(widest, textWidth(t.text, kLabelPixels));
        if (width / static_cast<double>(ticks.size() - 1) >= 2 * widest + kPixels)
            break;
    }
    return ticks;
}

enum class Symbol { Line, DashedLine, Area, Square, Circle, Triangle };

struct Entry {
    Symbol symbol;
    const char* colour;
    std::string text;
};

void marker(SvgWriter& svg, Symbol symbol, Point at, double size, const char* colour) {
    const double h = size / 2;
    switch (symbol) {
    case Symbol::Square:
        svg.rect(at.first - h, at.second - h, size, size, colour, nullptr, 0.0);
        break;
    case Symbol::Circle:
        svg.circle(at, h, colour);
        break;
    case Symbol::Triangle: // an outline, so that the Max Q square shows through it
        svg.shape(nullptr,
                  {{at.first, at.second - h},
                   {at.first + h, at.second + h},
                   {at.first - h, at.second + h}},
                  true, "none", colour, 2.5);
        break;
    default:
        break;
    }
}

void legend(SvgWriter& svg, double left, double width, double middle,
            const std::vector<Entry>& entries) {
    const double symbol = kLabelPixels * 1.2, line = symbol * 1.35;
    const double textLeft = left + symbol * 1.5;
    std::vector<std::vector<std::string>> texts;
    double high = 0.0;
    for (const Entry& e : entries) {
        texts.push_back(wrapped(e.text, left + width - textLeft, kLabelPixels));
        high += line * static_cast<double>(texts.back().size());
    }
    double y = middle - high / 2;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const Point mid{left + symbol / 2, y + line / 2};
        switch (e.symbol) {
        case Symbol::Line:
        case Symbol::DashedLine:
            svg.line({left, mid.second}, {left + symbol, mid.second}, e.colour, 2.5,
                     e.symbol == Symbol::Line ? Stroke::Solid : Stroke::Dash);
            break;
        case Symbol::Area:
            svg.rect(left + 1, mid.second - symbol / 2 + 1, symbol - 2, symbol - 2, e.colour,
                     "#ffa000", 1.0, 0.35);
            break;
        case Symbol::Triangle:
            svg.shape(nullptr,
                      {{mid.first, mid.second - symbol / 2 + 1},
                       {left + symbol - 1, mid.second + symbol / 2 - 1},
                       {left + 1, mid.second + symbol / 2 - 1}},
                      true, e.colour, nullptr, 0.0);
            break;
        default:
            marker(svg, e.symbol, mid, symbol - 4, e.colour);
        }
        for (const std::string& part : texts[i]) {
            svg.text({textLeft, y + line / 2 + kLabelPixels * 0.35}, part, kText, kLabelPixels);
            y += line;
        }
    }
}

} // namespace

std::string elementsChartSvg(const picture::PictureModel& m) {
    if (!m.drawable || m.curve.empty())
        return {};
    constexpr double width = 640.0, height = 340.0, margin = 4.0;
    const auto flowText = [&m](double value) {
        return picture::flowText(m, value);
    };

    // The markers that have a point, in the legend's order.
    struct Mark {
        Symbol symbol;
        const char* colour;
        std::string name;
        Point at; // flow or velocity, depth ratio
        double size;
        bool onVelocity = false;
    };
    std::vector<Mark> marks = {
        {Symbol::Square, "#607d8b", "Q full " + flowText(m.fullFlow), {m.fullFlow, 1.0}, 0.6},
        {Symbol::Square,
         kCritical,
         std::string(picture::kMaxQName) + ' ' + flowText(m.qmax),
         {m.qmax, 0.93},
         0.6},
        {Symbol::Triangle,
         "#00796b",
         std::string(picture::kPeakName) + ' ' + flowText(m.peakFlow),
         {m.peakFlow, m.peakRatio},
         0.9}};
    if (m.designFlow && m.designRatio) {
        marks.push_back({Symbol::Circle,
                         kAlarm,
                         "design " + flowText(*m.designFlow),
                         {*m.designFlow, *m.designRatio},
                         0.8});
        if (m.otherRatio)
            marks.push_back(
                {Symbol::Circle, kOther, "other depth", {*m.designFlow, *m.otherRatio}, 0.6});
        if (m.designVelocity)
            marks.push_back(
                {Symbol::Circle,
                 "#2e7d32",
                 "Vnorm " + picture::numberText(m, *m.designVelocity) + ' ' + m.velocityUnit,
                 {*m.designVelocity, *m.designRatio},
                 0.6,
                 true});
    }
    std::vector<Entry> entries;
    if (m.twoDepthZone)
        entries.push_back({Symbol::Area, "#ffc107", "two normal depths"});
    entries.push_back({Symbol::Line, "#1565c0", "Q"});
    entries.push_back({Symbol::DashedLine, "#2e7d32", "V"});
    for (const Mark& k : marks)
        entries.push_back({k.symbol, k.colour, k.name});

    // The legend takes the room its texts need, up to 45 % of the picture's.
    double widest = 0.0;
    for (const Entry& e : entries)
        widest = std::max(widest, textWidth(e.text, kLabelPixels));
    const double legendWidth = std::min(widest + kLabelPixels * 3, width * 0.45);
    const double chartWidth = width - legendWidth;

    double fastest = 0.0;
    for (const auto& p : m.curve)
        fastest = std::max(fastest, p.V);
    const double largestFlow = std::max(m.peakFlow, m.designFlow.value_or(0.0)) * 1.05;
    const double largestVelocity = fastest * 1.05;
    // The last label stands centred on the plot's right edge: half of it lies beyond.
    double half = 0.0;
    for (double largest : {largestFlow, largestVelocity})
        half = std::max(half, textWidth(picture::axisTicks(largest).back().text, kLabelPixels) / 2);
    const double band = kTitlePixels * 1.3 + kLabelPixels * 1.3 + 4;
    const double plotLeft = margin + band + textWidth("0.25", kLabelPixels) - kLabelPixels * 1.3;
    const double plotRight = chartWidth - half - kPixels / 2;
    const double plotTop = margin + band, plotBottom = height - margin - band;
    const double plotWidth = plotRight - plotLeft, plotHigh = plotBottom - plotTop;
    const auto flowTicks = fittingTicks(largestFlow, plotWidth);
    const auto velocityTicks = fittingTicks(largestVelocity, plotWidth);
    const double flowTop = flowTicks.back().value, velocityTop = velocityTicks.back().value;
    const auto yOf = [&](double ratio) {
        return plotBottom - ratio / kRatioTop * plotHigh;
    };
    const auto at = [&](double value, double top, double ratio) {
        return Point{plotLeft + (top > 0.0 ? value / top : 0.0) * plotWidth, yOf(ratio)};
    };

    // The cross-section's label describes the whole picture, the chart's points included.
    SvgWriter svg(width, height, "Chart of flow and velocity against d/D");
    svg.rect(plotLeft, plotTop, plotWidth, plotHigh, "#ffffff", "#90a4ae", 1.0);
    // Ratio ticks every 0.1 where the plot is high enough for their labels, else fewer.
    double step = 1.0;
    for (double s : {0.1, 0.2, 0.25, 0.5})
        if (plotHigh / kRatioTop * s >= 2.5 * kLabelPixels * 1.2) {
            step = s;
            break;
        }
    const int count = static_cast<int>(std::lround(1.0 / step));
    for (int i = 0; i <= count; ++i) {
        const double y = yOf(i * step);
        svg.line({plotLeft, y}, {plotRight, y}, "#e0e0e0", 1.0);
        svg.text({plotLeft - 4, y + kLabelPixels * 0.35}, generalNumberText(i * step), kText,
                 kLabelPixels, "end");
    }
    for (const auto& t : flowTicks) {
        const double x = at(t.value, flowTop, 0).first;
        svg.line({x, plotTop}, {x, plotBottom + 3}, "#e0e0e0", 1.0);
        svg.text({x, plotBottom + 4 + kLabelPixels}, t.text, kText, kLabelPixels, "middle");
    }
    for (const auto& t : velocityTicks) {
        const double x = at(t.value, velocityTop, 0).first;
        svg.line({x, plotTop - 3}, {x, plotTop}, "#90a4ae", 1.0);
        svg.text({x, plotTop - 5}, t.text, kText, kLabelPixels, "middle");
    }
    const double across = (plotLeft + plotRight) / 2;
    svg.text({margin + kTitlePixels, (plotTop + plotBottom) / 2}, "d/D", kText, kTitlePixels,
             "middle", true, true);
    svg.text({across, height - margin - 2}, m.flowTitle, kText, kTitlePixels, "middle", true);
    svg.text({across, margin + kTitlePixels}, "V (" + m.velocityUnit + ')', kText, kTitlePixels,
             "middle", true);

    // Only a circle has flows with two normal depths; a box's flow rises to the crown.
    if (m.twoDepthZone) {
        const Point a = at(m.fullFlow, flowTop, 1.0), b = at(m.peakFlow, flowTop, m.zoneStartRatio);
        svg.rect(a.first, a.second, b.first - a.first, b.second - a.second, "#ffc107", "#ffa000",
                 1.0, 0.35);
    }
    std::vector<Point> flows, velocities;
    for (const auto& p : m.curve) {
        flows.push_back(at(p.Q, flowTop, p.ratio));
        velocities.push_back(at(p.V, velocityTop, p.ratio));
    }
    svg.shape("flow", flows, false, "none", "#1565c0", 2.5);
    svg.shape("velocity", velocities, false, "none", "#2e7d32", 2.0, Stroke::Dash);
    for (const Mark& k : marks)
        marker(svg, k.symbol, at(k.at.first, k.onVelocity ? velocityTop : flowTop, k.at.second),
               std::max(4.0, kPixels * k.size), k.colour);
    legend(svg, chartWidth, legendWidth - kLine / 2, (plotTop + plotBottom) / 2, entries);
    return svg.finish();
}

} // namespace runnelex::sheet
