// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/arc_wall.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/arith.h"
#include "sections/circle_section.h"

namespace runnelex::sections {

using namespace hydrocalc::checked;

namespace {

// The integral of sqrt(R^2 - t^2) from 0 to t (|t| <= R).
double quarterDisc(double R, double t) {
    const double s = std::clamp(t / R, -1.0, 1.0);
    return 0.5 * (t * std::sqrt(std::max(0.0, R * R - t * t)) + R * R * std::asin(s));
}

double widthOf(const ArcPiece& p, double y) {
    // R^2 - (y - cy)^2 as the product of the heights above the circle's foot and below its
    // top, so that a depth just above the invert keeps its digits.
    const double above = y - (p.cy - p.R), below = (p.cy + p.R) - y;
    return p.cx + std::sqrt(std::max(0.0, above * below));
}

// The area between the axis and the arc from p.y0 to y, one side.
double halfAreaOf(const ArcPiece& p, double y) {
    return p.cx * (y - p.y0) + quarterDisc(p.R, y - p.cy) - quarterDisc(p.R, p.y0 - p.cy);
}

double lengthOf(const ArcPiece& p, double y) {
    const auto angle = [&](double h) {
        return std::asin(std::clamp((h - p.cy) / p.R, -1.0, 1.0));
    };
    return p.R * std::abs(angle(y) - angle(p.y0));
}

} // namespace

ArcWall::ArcWall(std::vector<ArcPiece> pieces, bool peaksBelowCrown)
    : pieces_(std::move(pieces)), peaks_(peaksBelowCrown) {
    for (const ArcPiece& p : pieces_) {
        // The widest point is an arc's level with its centre, or one of its ends.
        double widest = std::max(widthOf(p, p.y0), widthOf(p, p.y1));
        if (p.cy > p.y0 && p.cy < p.y1)
            widest = std::max(widest, p.cx + p.R);
        span_ = std::max(span_, 2.0 * widest);
    }
}

double ArcWall::halfWidth(double y) const {
    if (y <= 0.0 || y >= rise())
        return 0.0;
    for (const ArcPiece& p : pieces_)
        if (y <= p.y1)
            return widthOf(p, y);
    return 0.0;
}

double ArcWall::area(double y) const {
    const ArcPiece& invert = pieces_.front();
    const CircleSection invertCircle(2.0 * invert.R);
    y = std::min(y, rise());
    if (y <= invert.y1)
        return invertCircle.area(std::max(y, 0.0));
    double half = invertCircle.area(invert.y1) / 2.0;
    for (std::size_t i = 1; i < pieces_.size() && y > pieces_[i].y0; ++i)
        half += halfAreaOf(pieces_[i], std::min(y, pieces_[i].y1));
    return mul(2.0, half);
}

double ArcWall::perimeter(double y) const {
    const ArcPiece& invert = pieces_.front();
    const CircleSection invertCircle(2.0 * invert.R);
    if (y <= 0.0)
        return 0.0;
    y = std::min(y, rise());
    if (y <= invert.y1)
        return invertCircle.perimeter(y);
    double half = invertCircle.perimeter(invert.y1) / 2.0;
    for (std::size_t i = 1; i < pieces_.size() && y > pieces_[i].y0; ++i)
        half += lengthOf(pieces_[i], std::min(y, pieces_[i].y1));
    return mul(2.0, half);
}

double ArcWall::topWidth(double y) const {
    return mul(2.0, halfWidth(y));
}

std::vector<OutlinePoint> ArcWall::outline() const {
    constexpr int kPerSide = 180;
    const double D = rise();
    std::vector<OutlinePoint> right;
    for (int i = 0; i <= kPerSide; ++i) {
        const double y = D * (1.0 - std::cos(std::numbers::pi * i / kPerSide)) / 2.0;
        right.push_back({halfWidth(y), y});
    }
    std::vector<OutlinePoint> points = right;
    for (auto it = right.rbegin() + 1; it + 1 != right.rend(); ++it)
        points.push_back({-it->x, it->y});
    return points;
}

} // namespace runnelex::sections
