// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/circle_section.h"

#include <cmath>
#include <numbers>

#include "engine/arith.h"

namespace runnelex::sections {

using namespace hydrocalc::checked;

double CircleSection::theta(double y) const {
    const double r = div(y, D_);
    if (r <= 0.0)
        return 0.0;
    if (r >= 1.0)
        return std::numbers::pi;
    return 2.0 * std::asin(std::sqrt(r));
}

double CircleSection::area(double y) const {
    // A = (x - sin x) D^2 / 8 with x = 2 theta; near the invert x - sin x cancels, and its
    // series x^3/6 - x^5/120 + ... is used instead.
    const double x = 2.0 * theta(y);
    double segment = 0.0;
    if (x < 0.5) {
        // Terms to x^15; the next is below 1e-18 of the sum.
        const double x2 = x * x;
        double tail = 1.0;
        for (double k : {210.0, 156.0, 110.0, 72.0, 42.0, 20.0})
            tail = 1.0 - x2 / k * tail;
        segment = x * x2 / 6.0 * tail;
    } else {
        segment = x - std::sin(x);
    }
    return mul(segment, mul(D_, D_) / 8.0);
}

double CircleSection::perimeter(double y) const {
    return mul(theta(y), D_);
}

double CircleSection::topWidth(double y) const {
    const double r = div(y, D_);
    if (r <= 0.0 || r >= 1.0)
        return 0.0; // dry, or full with no free surface
    return mul(D_, 2.0 * std::sqrt(r * (1.0 - r)));
}

std::vector<OutlinePoint> circleOutline(double D) {
    constexpr int kPoints = 360;
    std::vector<OutlinePoint> points;
    points.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const double a = 2.0 * std::numbers::pi * i / kPoints;
        points.push_back({D / 2.0 * std::sin(a), D / 2.0 * (1.0 - std::cos(a))});
    }
    return points;
}

std::vector<OutlinePoint> CircleSection::outline() const {
    return circleOutline(D_);
}

double CircleSection::openPerimeterAtCrown() const {
    return mul(std::numbers::pi, D_);
}

} // namespace runnelex::sections
