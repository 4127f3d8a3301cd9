// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/section.h"

namespace runnelex::sections {

// The standard egg of height H = 3r: an invert arc of radius r/2, side arcs of radius 3r and a
// top arc of radius r, each tangent to the next; widest (2r) where the side arcs meet the top
// arc, at two thirds of the height. Exact from its arcs.
class EggSection final : public Section {
public:
    explicit EggSection(double height);
    double rise() const override { return H_; }
    double span() const override { return 2.0 * r_; }
    double area(double y) const override;
    double perimeter(double y) const override;
    double topWidth(double y) const override;
    std::optional<double> criticalDepth(double, double) const override { return std::nullopt; }
    bool peaksBelowCrown() const override { return true; }
    // The invert arc ends below its centre.
    double wideningTo() const override { return 0.2 * r_; }
    double openPerimeterAtCrown() const override { return perimeter(H_); }
    std::vector<OutlinePoint> outline() const override;

private:
    double halfWidth(double y) const;
    // The area from the invert up to `upTo`, between the side arcs' lowest and highest points.
    double toSides(double upTo) const;
    double H_, r_;
    // The invert segment, the side arcs' quarter disc at their lowest point, and the area up to
    // their top: the same at every depth above them.
    double invertA_, sideLowDisc_, sidesA_;
};

} // namespace runnelex::sections
