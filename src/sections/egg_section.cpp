// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/egg_section.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/arith.h"
#include "sections/arc_section.h"
#include "sections/circle_section.h"

namespace runnelex::sections {

using namespace hydrocalc::checked;

// With r = H/3 and the invert at y = 0: the invert arc is centred at (0, r/2), the side arcs
// at (-+2r, 2r) and the top arc at (0, 2r). The invert and side arcs meet at y = 0.2r, the side
// and top arcs at y = 2r.

EggSection::EggSection(double height) : H_(height), r_(height / 3.0) {
    invertA_ = CircleSection(r_).area(0.2 * r_);
    sideLowDisc_ = quarterDisc(3.0 * r_, 0.2 * r_ - 2.0 * r_);
    sidesA_ = toSides(2.0 * r_);
}

double EggSection::toSides(double upTo) const {
    const double r = r_;
    const double yi = 0.2 * r, ys = 2.0 * r;
    // Both side arcs: twice the integral of sqrt(9r^2 - (t - 2r)^2) - 2r.
    return invertA_ +
           (2.0 * (quarterDisc(3.0 * r, upTo - ys) - sideLowDisc_) - 4.0 * r * (upTo - yi));
}

double EggSection::halfWidth(double y) const {
    const double r = r_;
    if (y <= 0.0 || y >= H_)
        return 0.0;
    if (y <= 0.2 * r)
        return std::sqrt(y * (r - y)); // the invert arc
    if (y <= 2.0 * r) {
        const double t = y - 2.0 * r;
        return std::sqrt(9.0 * r * r - t * t) - 2.0 * r; // a side arc
    }
    const double t = y - 2.0 * r;
    return std::sqrt(std::max(0.0, r * r - t * t)); // the top arc
}

double EggSection::area(double y) const {
    const double r = r_;
    const double yi = 0.2 * r, ys = 2.0 * r;
    const CircleSection invert(r);
    if (y <= yi)
        return invert.area(std::max(y, 0.0)); // the segment of the invert circle, exact near 0
    if (y <= ys)
        return mul(toSides(y), 1.0);
    const double top = std::min(y, H_) - ys;
    return mul(sidesA_ + 2.0 * quarterDisc(r, top), 1.0);
}

double EggSection::perimeter(double y) const {
    const double r = r_;
    if (y <= 0.0)
        return 0.0;
    if (y <= 0.2 * r)
        return CircleSection(r).perimeter(y);
    // The invert arc to its tangent point: a half angle of asin(0.8) at radius r/2.
    double P = r * std::asin(0.8);
    // Each side arc from below its centre's height: the angle below the horizontal falls from
    // asin(0.6) to 0 at y = 2r.
    const double upTo = std::min(y, 2.0 * r);
    P += 2.0 * 3.0 * r * (std::asin(0.6) - std::asin((2.0 * r - upTo) / (3.0 * r)));
    if (y <= 2.0 * r)
        return mul(P, 1.0);
    const double t = std::min(y, H_) - 2.0 * r;
    return mul(P + 2.0 * r * std::asin(std::min(1.0, t / r)), 1.0);
}

double EggSection::topWidth(double y) const {
    return mul(2.0, halfWidth(y));
}

std::vector<OutlinePoint> EggSection::outline() const {
    // Up the right-hand wall, then down the left one.
    constexpr int kPerSide = 180;
    std::vector<OutlinePoint> right;
    for (int i = 0; i <= kPerSide; ++i) {
        const double y = H_ * (1.0 - std::cos(std::numbers::pi * i / kPerSide)) / 2.0;
        right.push_back({halfWidth(y), y});
    }
    std::vector<OutlinePoint> points = right;
    for (auto it = right.rbegin() + 1; it + 1 != right.rend(); ++it)
        points.push_back({-it->x, it->y});
    return points;
}

} // namespace runnelex::sections
