// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/arc_section.h"

namespace runnelex::sections {

// Elliptical concrete pipe as the tangent four-centred oval: two arcs of the small radius
// r = 0.4274 x the smaller dimension at the ends of the long axis, two arcs of the large radius
// tangent to them across the short axis. With the span the longer the pipe lies (the large arcs
// at the invert and crown); with the rise the longer it stands on end (the small arcs there). A
// span equal to the rise gives a circle. Every positive span and rise make a valid oval: the
// small arcs' centres lie inside it (0.4274 < 1/2), so the large radius is finite and larger.
class EllipseSection final : public ArcSection {
public:
    static constexpr double kSmallRadius = 0.4274;

    EllipseSection(double span, double rise);
    double span() const override { return B_; }

private:
    double B_;
};

} // namespace runnelex::sections
