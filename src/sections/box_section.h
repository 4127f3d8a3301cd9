// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/section.h"

namespace runnelex::sections {

// A closed rectangle, span B by rise D, with the engine's own rectangle: below the crown an
// open channel (A = B y, P = B + 2 y); at the crown the lid closes it (P = 2 B + 2 D). So the
// flow rises all the way to the crown and the full-flow capacity lies below the flow just
// under it. A square is a box whose span is its rise.
class BoxSection final : public Section {
public:
    BoxSection(double span, double rise) : B_(span), D_(rise) {}
    double rise() const override { return D_; }
    double span() const override { return B_; }
    double area(double y) const override;
    double perimeter(double y) const override;
    double topWidth(double y) const override;
    // yc = (Q^2 / (g B^2))^(1/3) below the crown; the crown itself once yc reaches it.
    std::optional<double> criticalDepth(double Q, double g) const override;
    bool peaksBelowCrown() const override { return false; }
    std::vector<OutlinePoint> outline() const override;
    double openPerimeterAtCrown() const override;

private:
    double B_, D_;
};

} // namespace runnelex::sections
