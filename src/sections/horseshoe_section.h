// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/arc_section.h"

namespace runnelex::sections {

// The standard horseshoe of height and width D: a top semicircle of radius D/2, side arcs of
// radius D each centred at the opposite springline, and an invert arc of radius D centred at
// the crown. The side arcs meet the semicircle at the springline, tangent; they cross the
// invert arc at a slight angle, at (3 - sqrt 7) D / 4 above the invert.
class HorseshoeSection final : public ArcSection {
public:
    explicit HorseshoeSection(double diameter);
    double span() const override { return rise(); }
};

} // namespace runnelex::sections
