// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/section.h"

namespace runnelex::sections {

// A circular pipe for the exact calculations. The half-angle comes from 2 asin(sqrt(d/D)) and
// the segment's area from a series near the invert, so a depth of any size, however small,
// has its area and perimeter to the last digits; the US customary circle keeps the engine's
// own geometry and solvers.
class CircleSection final : public Section {
public:
    explicit CircleSection(double diameter) : D_(diameter) {}
    double rise() const override { return D_; }
    double span() const override { return D_; }
    double area(double y) const override;
    double perimeter(double y) const override;
    double topWidth(double y) const override;
    std::optional<double> criticalDepth(double, double) const override { return std::nullopt; }
    bool peaksBelowCrown() const override { return true; }
    double wideningTo() const override { return D_ / 2.0; }
    std::vector<OutlinePoint> outline() const override;
    double openPerimeterAtCrown() const override;

private:
    double theta(double y) const; // half the central angle of the wetted arc
    double D_;
};

// A circle of diameter D as a polyline, counter-clockwise from the invert.
std::vector<OutlinePoint> circleOutline(double D);

} // namespace runnelex::sections
