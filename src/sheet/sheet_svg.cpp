// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/sheet_svg.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "calc/display_run.h"
#include "sheet/svg_writer.h"

namespace runnelex::sheet {

namespace {

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
        SvgWriter svg(width, (static_cast<double>(lines.size()) + 1) * kLine, said);
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
    SvgWriter svg(width, bottom + kLine * (rows + 1.5) + pad, describePicture(m));

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

} // namespace runnelex::sheet
