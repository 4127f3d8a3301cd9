// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/arc_section.h"

#include <algorithm>
#include <cmath>

#include "engine/arith.h"

namespace runnelex::sections {

using namespace hydrocalc::checked;

double quarterDisc(double R, double t) {
    const double s = std::clamp(t / R, -1.0, 1.0);
    return 0.5 * (t * std::sqrt(std::max(0.0, R * R - t * t)) + R * R * std::asin(s));
}

namespace {

// The angle x = 2 theta that a circle of radius R wets at depth h (0 <= h <= 2R), from
// 4 asin(sqrt(h / 2R)), which keeps its digits however small h is.
double wettedAngle(double R, double h) {
    return 4.0 * std::asin(std::sqrt(std::clamp(h / (2.0 * R), 0.0, 1.0)));
}

// The segment of a circle of radius R that wets the angle x: R^2 (x - sin x) / 2. Near the
// invert x - sin x cancels; its series x^3/6 - x^5/120 + ... to x^15 (the next term below 1e-18
// of the sum for x < 0.5) is summed by Horner's rule on constant coefficients, the cheapest
// form for the many depths a search tries.
double segmentAreaAt(double R, double x) {
    double excess = 0.0;
    if (x < 0.5) {
        // 1/3!, 1/5!, ... 1/15!, last first.
        static constexpr double kTerms[] = {
            1.0 / 1307674368000, 1.0 / 6227020800, 1.0 / 39916800, 1.0 / 362880,
            1.0 / 5040,          1.0 / 120,        1.0 / 6};
        const double x2 = x * x;
        for (double c : kTerms)
            excess = c - x2 * excess;
        excess *= x * x2;
    } else {
        excess = x - std::sin(x);
    }
    return mul(0.5 * R * R, excess);
}

double segmentArea(double R, double h) {
    return segmentAreaAt(R, wettedAngle(R, h));
}

double segmentArc(double R, double h) {
    return mul(R, wettedAngle(R, h));
}

// The angle of the wall's radius at height y, above the horizontal through its centre.
double wallAngle(double R, double t) {
    return std::asin(std::clamp(t / R, -1.0, 1.0));
}

} // namespace

ArcSection::ArcSection(const ArcPieces& pieces) : p_(pieces) {
    lowDisc_ = quarterDisc(p_.wallRadius, p_.low - p_.wallY);
    lowAngle_ = wallAngle(p_.wallRadius, p_.low - p_.wallY);
    lowA_ = segmentArea(p_.invertRadius, p_.low);
    lowP_ = segmentArc(p_.invertRadius, p_.low);
    const double gap = p_.rise - p_.high;
    const WallPiece wall = wallTo(p_.high);
    fullA_ = finite(lowA_ + wall.area + segmentArea(p_.crownRadius, gap));
    fullP_ = finite(lowP_ + wall.length + segmentArc(p_.crownRadius, gap));
}

ArcSection::WallPiece ArcSection::wallTo(double y) const {
    // quarterDisc and wallAngle at y, written out to share the arcsine.
    const double R = p_.wallRadius, t = y - p_.wallY;
    const double angle = std::asin(std::clamp(t / R, -1.0, 1.0));
    const double root = std::sqrt(std::max(0.0, R * R - t * t));
    const double disc = 0.5 * (t * root + R * R * angle);
    return {2.0 * (p_.wallX * (y - p_.low) + disc - lowDisc_), 2.0 * R * (angle - lowAngle_),
            p_.wallX + root};
}

double ArcSection::halfWidth(double y) const {
    if (y <= 0.0 || y >= p_.rise)
        return 0.0;
    if (y <= p_.low)
        return std::sqrt(y * (2.0 * p_.invertRadius - y));
    if (y <= p_.high) {
        const double t = y - p_.wallY;
        return p_.wallX + std::sqrt(std::max(0.0, p_.wallRadius * p_.wallRadius - t * t));
    }
    const double gap = p_.rise - y;
    return std::sqrt(gap * (2.0 * p_.crownRadius - gap));
}

double ArcSection::area(double y) const {
    if (y <= 0.0)
        return 0.0;
    if (y <= p_.low)
        return segmentArea(p_.invertRadius, y);
    if (y <= p_.high)
        return finite(lowA_ + wallTo(y).area);
    if (y >= p_.rise)
        return fullA_;
    // What the crown's segment above the water leaves.
    return finite(fullA_ - segmentArea(p_.crownRadius, p_.rise - y));
}

double ArcSection::perimeter(double y) const {
    if (y <= 0.0)
        return 0.0;
    if (y <= p_.low)
        return segmentArc(p_.invertRadius, y);
    if (y <= p_.high)
        return finite(lowP_ + wallTo(y).length);
    if (y >= p_.rise)
        return fullP_;
    return finite(fullP_ - segmentArc(p_.crownRadius, p_.rise - y));
}

double ArcSection::topWidth(double y) const {
    return mul(2.0, halfWidth(y));
}

AreaAnd ArcSection::wetted(double y) const {
    // area() and perimeter() branch alike: each branch computes its angle once.
    if (y <= 0.0)
        return {0.0, 0.0};
    if (y <= p_.low) {
        const double x = wettedAngle(p_.invertRadius, y);
        const double A = segmentAreaAt(p_.invertRadius, x);
        return {A, mul(p_.invertRadius, x)};
    }
    if (y <= p_.high) {
        const WallPiece wall = wallTo(y);
        const double A = finite(lowA_ + wall.area);
        return {A, finite(lowP_ + wall.length)};
    }
    if (y >= p_.rise)
        return {fullA_, fullP_};
    const double x = wettedAngle(p_.crownRadius, p_.rise - y);
    const double A = finite(fullA_ - segmentAreaAt(p_.crownRadius, x));
    return {A, finite(fullP_ - mul(p_.crownRadius, x))};
}

AreaAnd ArcSection::surface(double y) const {
    // Along the walls the area and the width share their square root.
    if (y > p_.low && y <= p_.high && y < p_.rise) {
        const WallPiece wall = wallTo(y);
        const double A = finite(lowA_ + wall.area);
        return {A, mul(2.0, wall.halfWidth)};
    }
    return Section::surface(y);
}

std::vector<OutlinePoint> ArcSection::outline() const {
    // Each arc of the right-hand wall in equal steps of angle, up from the invert; then the
    // left-hand wall down again.
    constexpr int kPerArc = 90;
    const double D = p_.rise, rb = p_.invertRadius, rt = p_.crownRadius;
    const double wLow = halfWidth(p_.low), wHigh = halfWidth(p_.high);
    std::vector<OutlinePoint> right;
    const double invertEnd = std::atan2(wLow, rb - p_.low);
    for (int i = 0; i < kPerArc; ++i) {
        const double a = invertEnd * i / kPerArc;
        right.push_back({rb * std::sin(a), rb * (1.0 - std::cos(a))});
    }
    const double from = std::atan2(p_.low - p_.wallY, wLow - p_.wallX);
    const double to = std::atan2(p_.high - p_.wallY, wHigh - p_.wallX);
    for (int i = 0; i < kPerArc; ++i) {
        const double a = from + (to - from) * i / kPerArc;
        right.push_back(
            {p_.wallX + p_.wallRadius * std::cos(a), p_.wallY + p_.wallRadius * std::sin(a)});
    }
    const double crownStart = std::atan2(wHigh, p_.high - (D - rt));
    for (int i = 0; i <= kPerArc; ++i) {
        const double a = crownStart * (kPerArc - i) / kPerArc;
        right.push_back({rt * std::sin(a), D - rt * (1.0 - std::cos(a))});
    }
    std::vector<OutlinePoint> points = right;
    for (auto it = right.rbegin() + 1; it + 1 != right.rend(); ++it)
        points.push_back({-it->x, it->y});
    return points;
}

} // namespace runnelex::sections
