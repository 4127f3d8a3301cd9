// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/sheet_svg.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/display_run.h"
#include "common/number_text.h"
#include "picture/axis_ticks.h"
#include "sheet/markup.h"

namespace runnelex::sheet {

namespace {

using Point = std::pair<double, double>;

// The window's picture at the size of a printed sheet's drawing: its text in px.
constexpr double kPixels = 12.0;
constexpr double kLine = kPixels * 1.25;
// The width of a caption per character and px of its face, to lay captions out without the
// face's metrics; a little wide, so that nothing overlaps.
constexpr double kCharWidth = 0.6;
constexpr const char* kFace = "DejaVu Sans, Verdana, sans-serif";

// The picture's colours.
constexpr const char* kWater = "#64b5f6";
constexpr const char* kFull = "#136af1"; // the surface colour made half again lighter
constexpr const char* kSurface = "#0d47a1";
constexpr const char* kCritical = "#e65100";
constexpr const char* kOther = "#7b1fa2";
constexpr const char* kWall = "#37474f";
constexpr const char* kAlarm = "#c62828";
constexpr const char* kText = "#263238";

enum class Stroke { Solid, Dash, Dot };

double textWidth(std::string_view text, double pixels) {
    // Characters, not bytes: a continuation byte of UTF-8 adds nothing.
    const auto count = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<double>(count) * kCharWidth * pixels;
}

// Words joined into lines of at most `width`, a number never parted from its unit ("0.1234
// L/s" stays whole), as the picture's legend breaks them.
std::vector<std::string> wrapped(const std::string& text, double width, double pixels) {
    std::vector<std::string> words;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t blank = std::min(text.find(' ', from), text.size());
        const std::string word = text.substr(from, blank - from);
        from = blank + 1;
        if (word.empty())
            continue;
        const bool afterNumber =
            !words.empty() && !words.back().empty() &&
            words.back().find_first_not_of("0123456789.-") == std::string::npos;
        if (afterNumber)
            words.back().append(" ").append(word);
        else
            words.push_back(word);
    }
    std::vector<std::string> lines;
    for (const std::string& word : words) {
        if (!lines.empty() && textWidth(lines.back() + ' ' + word, pixels) <= width)
            lines.back().append(" ").append(word);
        else
            lines.push_back(word);
    }
    return lines;
}

// An <svg> element written piece by piece.
class Svg {
public:
    Svg(double width, double height, const std::string& label) {
        out_.append("<svg class=\"drawing\" role=\"img\" aria-label=\"");
        appendEscaped(out_, label);
        out_.append("\" viewBox=\"0 0");
        number(width);
        number(height);
        out_.append("\" width=\"");
        appendCoordinate(out_, width);
        out_.append("\" height=\"");
        appendCoordinate(out_, height);
        out_.append("\" font-family=\"").append(kFace).append("\">\n");
    }

    void line(Point a, Point b, const char* colour, double width, Stroke stroke = Stroke::Solid) {
        out_.append("<line");
        attribute("x1", a.first);
        attribute("y1", a.second);
        attribute("x2", b.first);
        attribute("y2", b.second);
        pen(colour, width, stroke);
        out_.append("/>\n");
    }

    // A polygon (closed) or a polyline (open) through `points`.
    void shape(const char* className, const std::vector<Point>& points, bool closed,
               const char* fill, const char* colour, double width, Stroke stroke = Stroke::Solid) {
        out_.append(closed ? "<polygon" : "<polyline");
        if (className)
            out_.append(" class=\"").append(className).append("\"");
        out_.append(" points=\"");
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i > 0)
                out_.push_back(' ');
            appendCoordinate(out_, points[i].first);
            out_.push_back(',');
            appendCoordinate(out_, points[i].second);
        }
        out_.append("\" fill=\"").append(fill).append("\"");
        if (colour)
            pen(colour, width, stroke);
        out_.append("/>\n");
    }

    void rect(double x, double y, double w, double h, const char* fill, const char* colour,
              double width, double opacity = 1.0) {
        out_.append("<rect");
        attribute("x", x);
        attribute("y", y);
        attribute("width", w);
        attribute("height", h);
        out_.append(" fill=\"").append(fill).append("\"");
        if (opacity < 1.0)
            attribute("fill-opacity", opacity);
        if (colour)
            pen(colour, width, Stroke::Solid);
        out_.append("/>\n");
    }

    void circle(Point centre, double radius, const char* fill) {
        out_.append("<circle");
        attribute("cx", centre.first);
        attribute("cy", centre.second);
        attribute("r", radius);
        out_.append(" fill=\"").append(fill).append("\"/>\n");
    }

    // Text at its baseline; `anchor` is "start", "middle" or "end"; `turned` stands it up.
    void text(Point at, const std::string& text, const char* colour, double pixels,
              const char* anchor = "start", bool bold = false, bool turned = false) {
        out_.append("<text");
        attribute("x", at.first);
        attribute("y", at.second);
        attribute("font-size", pixels);
        out_.append(" fill=\"").append(colour).append("\"");
        if (anchor[0] != 's')
            out_.append(" text-anchor=\"").append(anchor).append("\"");
        if (bold)
            out_.append(" font-weight=\"bold\"");
        if (turned) {
            out_.append(" transform=\"rotate(-90");
            number(at.first);
            number(at.second);
            out_.append(")\"");
        }
        out_.push_back('>');
        appendEscaped(out_, text);
        out_.append("</text>\n");
    }

    std::string finish() {
        out_.append("</svg>\n");
        return std::move(out_);
    }

private:
    void number(double value) {
        out_.push_back(' ');
        appendCoordinate(out_, value);
    }
    void attribute(const char* name, double value) {
        out_.append(" ").append(name).append("=\"");
        appendCoordinate(out_, value);
        out_.push_back('"');
    }
    // Qt's dash patterns, in widths of the pen: a dash 4 on 2 off, a dot 1 on 2 off.
    void pen(const char* colour, double width, Stroke stroke) {
        out_.append(" stroke=\"").append(colour).append("\"");
        attribute("stroke-width", width);
        if (stroke == Stroke::Solid)
            return;
        const double on = stroke == Stroke::Dash ? 4.0 : 1.0;
        out_.append(" stroke-dasharray=\"");
        appendCoordinate(out_, on * width);
        number(2.0 * width);
        out_.push_back('"');
    }

    std::string out_;
};

// The part of a section's outline below `level`, the water's polygon.
std::vector<sections::OutlinePoint> below(const std::vector<sections::OutlinePoint>& outline,
                                          double level) {
    std::vector<sections::OutlinePoint> water;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const auto& a = outline[i];
        const auto& b = outline[(i + 1) % outline.size()];
        const bool aIn = a.y <= level, bIn = b.y <= level;
        if (aIn)
            water.push_back(a);
        if (aIn != bIn) {
            const double t = (level - a.y) / (b.y - a.y);
            water.push_back({a.x + t * (b.x - a.x), level});
        }
    }
    return water;
}

// Half the width of a section at a height, from its outline.
double halfWidthAt(const std::vector<sections::OutlinePoint>& outline, double level) {
    double half = 0.0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const auto& a = outline[i];
        const auto& b = outline[(i + 1) % outline.size()];
        if ((a.y - level) * (b.y - level) > 0.0 || a.y == b.y)
            continue;
        half = std::max(half, std::abs(a.x + (level - a.y) / (b.y - a.y) * (b.x - a.x)));
    }
    return half;
}

struct DepthLine {
    double depth;
    std::string text;
    const char* colour;
    Stroke stroke;
};

} // namespace

std::string crossSectionSvg(const picture::PictureModel& m) {
    constexpr double width = 300.0, pad = 6.0, highest = 220.0;
    if (!m.drawable) {
        const std::string said = m.fault ? calcFaultMessage(*m.fault) : m.prompt;
        const auto lines = wrapped(said, width - 2 * pad, kPixels);
        Svg svg(width, (static_cast<double>(lines.size()) + 1) * kLine, said);
        for (std::size_t i = 0; i < lines.size(); ++i)
            svg.text({width / 2, kLine * (1.0 + static_cast<double>(i))}, lines[i], kWall, kPixels,
                     "middle");
        return svg.finish();
    }

    std::vector<DepthLine> lines;
    if (m.normalDepth)
        lines.push_back({*m.normalDepth, m.normalText, kSurface, Stroke::Solid});
    if (m.criticalDepth)
        lines.push_back({*m.criticalDepth, m.criticalText, kCritical, Stroke::Dash});
    if (m.otherDepth)
        lines.push_back({*m.otherDepth, m.otherText, kOther, Stroke::Dot});
    // Top to bottom as they lie in the pipe.
    std::sort(lines.begin(), lines.end(),
              [](const DepthLine& a, const DepthLine& b) { return a.depth > b.depth; });

    // The conduit on top, its span to its rise to scale, its size below it, then one row per
    // depth line: a piece of the line in its style and its caption.
    const double aspect = !(m.D > 0.0) || !(m.span > 0.0) ? 1.0 : m.span / m.D;
    const double high = std::max(kLine, std::min((width - 2 * pad) / aspect, highest));
    const double top = pad, bottom = top + high, centre = width / 2;
    const double scale = m.D > 0.0 ? high / m.D : 0.0;
    const auto drawn = [&](const std::vector<sections::OutlinePoint>& points) {
        std::vector<Point> out;
        for (const auto& p : points)
            out.emplace_back(centre + p.x * scale, bottom - p.y * scale);
        return out;
    };
    const double rows = static_cast<double>(lines.size());
    Svg svg(width, bottom + kLine * (rows + 1.5) + pad, describePicture(m));

    const bool surcharged = m.outcome == Outcome::Surcharged;
    if (surcharged)
        svg.shape("water", drawn(m.outline), true, kFull, nullptr, 0.0);
    else if (m.normalDepth)
        svg.shape("water", drawn(below(m.outline, *m.normalDepth)), true, kWater, nullptr, 0.0);

    const double sample = 2.5 * kLine, pen = std::max(1.5, kLine / 8);
    double rowsWidth = 0.0;
    for (const DepthLine& l : lines)
        rowsWidth = std::max(rowsWidth, sample + kLine / 2 + textWidth(l.text, kPixels));
    const double left = std::max(0.0, (width - rowsWidth) / 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const DepthLine& l = lines[i];
        const double y = bottom - l.depth * scale;
        const double half = halfWidthAt(m.outline, l.depth) * scale;
        svg.line({centre - half, y}, {centre + half, y}, l.colour, pen, l.stroke);
        const double rowY = bottom + kLine * (2.0 + static_cast<double>(i));
        svg.line({left, rowY}, {left + sample, rowY}, l.colour, pen, l.stroke);
        svg.text({left + sample + kLine / 2, rowY + kPixels * 0.35}, l.text, l.colour, kPixels);
    }

    svg.shape("outline", drawn(m.outline), true, "none", surcharged ? kAlarm : kWall,
              surcharged ? kLine / 3 : kLine / 8);
    svg.text({centre, bottom + kLine / 4 + kPixels}, m.diameterText, kWall, kPixels, "middle");
    const double middle = (top + bottom) / 2;
    if (surcharged) {
        const double big = std::round(kLine * 1.3);
        const char* mark = "Surcharged!";
        const double w = textWidth(mark, big) + kLine, h = big * 1.2 + kLine / 2;
        svg.rect(centre - w / 2, middle - h / 2, w, h, "#ffffff", kAlarm, 2.0);
        svg.text({centre, middle + big * 0.35}, mark, kAlarm, big, "middle", true);
    } else if (!m.normalDepth) {
        svg.text({centre, middle + kPixels * 0.35}, "No design flow", kWall, kPixels, "middle");
    }
    return svg.finish();
}

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

void marker(Svg& svg, Symbol symbol, Point at, double size, const char* colour) {
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

void legend(Svg& svg, double left, double width, double middle, const std::vector<Entry>& entries) {
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
    Svg svg(width, height, "Chart of flow and velocity against d/D");
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
