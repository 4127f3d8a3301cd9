// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/section.h"

namespace runnelex::sections {

// A symmetric closed section of three circular pieces, each meeting the next: an invert arc
// centred on the centre line, a wall arc on either side, a crown arc centred on the centre line.
// Area, perimeter and top width follow exactly from the arcs; the segments at the invert and
// under the crown are the circle's own, so a shallow depth or a thin gap under the crown keeps
// its digits.
// The integral of sqrt(R^2 - t^2) from 0 to t (|t| <= R): the area beside an arc, which every
// section of arcs sums.
double quarterDisc(double R, double t);

struct ArcPieces {
    double rise = 0.0;
    double invertRadius = 0.0; // centred at (0, invertRadius)
    double crownRadius = 0.0;  // centred at (0, rise - crownRadius)
    // The right-hand wall: x = wallX + sqrt(wallRadius^2 - (y - wallY)^2).
    double wallX = 0.0, wallY = 0.0, wallRadius = 0.0;
    // The heights where the wall meets the invert arc and the crown arc.
    double low = 0.0, high = 0.0;
};

class ArcSection : public Section {
public:
    double rise() const override { return p_.rise; }
    double area(double y) const override;
    double perimeter(double y) const override;
    double topWidth(double y) const override;
    AreaAnd wetted(double y) const override;
    AreaAnd surface(double y) const override;
    std::optional<double> criticalDepth(double, double) const override { return std::nullopt; }
    // The width closes in towards the crown along an arc: the flow peaks below it.
    bool peaksBelowCrown() const override { return true; }
    // The invert arc ends below its centre.
    double wideningTo() const override { return p_.low; }
    double openPerimeterAtCrown() const override { return fullP_; }
    std::vector<OutlinePoint> outline() const override;

    const ArcPieces& pieces() const { return p_; }

protected:
    explicit ArcSection(const ArcPieces& pieces);

private:
    // Both walls from `low` up to y in [low, high]: the area beside them, their length and the
    // half width at y, from one arcsine and one square root.
    struct WallPiece {
        double area, length, halfWidth;
    };
    WallPiece wallTo(double y) const;
    double halfWidth(double y) const;

    ArcPieces p_;
    double lowDisc_, lowAngle_; // the wall's quarter disc and angle at `low`
    double lowA_, lowP_;        // the invert segment up to `low`
    double fullA_, fullP_;      // the whole section
};

} // namespace runnelex::sections
