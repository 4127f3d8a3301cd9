// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "sections/section.h"

namespace runnelex::sections {

// One arc of a section's right-hand wall between two heights: x = cx + sqrt(R^2 - (y - cy)^2),
// the wall on the outer side of its centre, so that x and the arc length grow monotonically
// with the height's distance from cy.
struct ArcPiece {
    double y0, y1; // the heights the arc spans, y0 < y1
    double cx, cy, R;
};

// A symmetric section whose wall is a chain of tangent circular arcs, the first one the invert
// arc centred on the axis. Exact from its arcs: areas by the integral of each arc's width,
// perimeters by its angle, the invert by the circle's own segment so shallow depths keep their
// digits.
class ArcWall final : public Section {
public:
    ArcWall(std::vector<ArcPiece> pieces, bool peaksBelowCrown = true);
    double rise() const override { return pieces_.back().y1; }
    double span() const override { return span_; }
    double area(double y) const override;
    double perimeter(double y) const override;
    double topWidth(double y) const override;
    std::optional<double> criticalDepth(double, double) const override { return std::nullopt; }
    bool peaksBelowCrown() const override { return peaks_; }
    double openPerimeterAtCrown() const override { return perimeter(rise()); }
    std::vector<OutlinePoint> outline() const override;

    double halfWidth(double y) const;

private:
    std::vector<ArcPiece> pieces_;
    bool peaks_;
    double span_ = 0.0;
};

} // namespace runnelex::sections
