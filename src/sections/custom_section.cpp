// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/custom_section.h"

#include <algorithm>
#include <cmath>

#include "engine/arith.h"

namespace runnelex::sections {

using namespace hydrocalc::checked;

const char* outlineFault(std::span<const double> p) {
    if (p.size() < 4 || p.size() % 2 != 0)
        return "An outline needs at least two points, each a height and a width.";
    if (p[0] != 0.0)
        return "An outline starts at the invert, height 0.";
    bool wide = false;
    for (std::size_t i = 0; i < p.size(); i += 2) {
        if (!std::isfinite(p[i]) || !std::isfinite(p[i + 1]) || p[i + 1] < 0.0)
            return "An outline's widths must be numbers of 0 or more.";
        if (i > 0 && !(p[i] > p[i - 2]))
            return "An outline's heights must increase from one point to the next.";
        wide = wide || p[i + 1] > 0.0;
    }
    if (!wide)
        return "An outline needs a width above 0 somewhere.";
    return nullptr;
}

CustomSection::CustomSection(std::span<const double> p) {
    for (std::size_t i = 0; i + 1 < p.size(); i += 2) {
        h_.push_back(p[i]);
        w_.push_back(p[i + 1]);
        span_ = std::max(span_, p[i + 1]);
    }
    wall_.assign(h_.size(), 0.0);
    for (std::size_t i = 1; i < h_.size(); ++i)
        wall_[i] = wall_[i - 1] + std::hypot(h_[i] - h_[i - 1], (w_[i] - w_[i - 1]) / 2.0);
    for (std::size_t i = 1; i < h_.size() && w_[i] >= w_[i - 1]; ++i)
        widening_ = h_[i];
    below_.assign(h_.size(), 0.0);
    for (std::size_t i = 1; i < h_.size(); ++i)
        below_[i] = below_[i - 1] + (w_[i - 1] + w_[i]) / 2.0 * (h_[i] - h_[i - 1]);
}

double CustomSection::topWidth(double y) const {
    if (y <= 0.0 || y >= rise())
        return 0.0;
    const std::size_t i = static_cast<std::size_t>(std::upper_bound(h_.begin(), h_.end(), y) -
                                                   h_.begin()); // h_[i-1] <= y < h_[i]
    const double t = (y - h_[i - 1]) / (h_[i] - h_[i - 1]);
    return w_[i - 1] + t * (w_[i] - w_[i - 1]);
}

double CustomSection::area(double y) const {
    y = std::min(y, rise());
    if (!(y > h_[0]))
        return mul(0.0, 1.0);
    // The trapezoids below the segment h_[i-1] < y <= h_[i], each added in turn from the invert
    // as below_ holds them, then the part of this one under y.
    const std::size_t i =
        static_cast<std::size_t>(std::lower_bound(h_.begin(), h_.end(), y) - h_.begin());
    const double wTop = y == h_[i] ? w_[i] : topWidth(y);
    return mul(below_[i - 1] + (w_[i - 1] + wTop) / 2.0 * (y - h_[i - 1]), 1.0);
}

double CustomSection::openPerimeter(double y) const {
    if (y <= 0.0)
        return 0.0;
    y = std::min(y, rise());
    const std::size_t i = std::min<std::size_t>(
        static_cast<std::size_t>(std::upper_bound(h_.begin(), h_.end(), y) - h_.begin()),
        h_.size() - 1); // the segment h_[i-1]..h_[i] holds y
    const double dy = y - h_[i - 1];
    const double dw = (y == h_[i] ? w_[i] : topWidth(y)) - w_[i - 1];
    return mul(2.0, wall_[i - 1] + std::hypot(dy, dw / 2.0)) + w_[0];
}

double CustomSection::perimeter(double y) const {
    const double P = openPerimeter(y);
    return y >= rise() ? add(P, w_.back()) : P; // full: the lid is wetted too
}

double CustomSection::openPerimeterAtCrown() const {
    return openPerimeter(rise());
}

bool CustomSection::peaksBelowCrown() const {
    const std::size_t n = h_.size();
    return !(w_[n - 1] > 0.0 && w_[n - 2] == w_[n - 1]);
}

std::vector<OutlinePoint> CustomSection::outline() const {
    std::vector<OutlinePoint> points{{0.0, 0.0}};
    for (std::size_t i = 0; i < h_.size(); ++i)
        points.push_back({w_[i] / 2.0, h_[i]});
    for (std::size_t i = h_.size(); i-- > 0;)
        points.push_back({-w_[i] / 2.0, h_[i]});
    return points;
}

} // namespace runnelex::sections
