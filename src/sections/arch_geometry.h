// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "sections/arc_section.h"

namespace runnelex::sections {

// The three-radius arch of span B and rise D: an invert arc of radius Rb, two corner arcs of
// radius Rc and a crown arc whose radius follows from tangency. Nothing when no such arch
// exists (the invert too tight for the span, or the corners leaving no room for a crown).
std::optional<ArcPieces> archPieces(double B, double D, double Rb, double Rc);

// Concrete arch pipe and the corrugated and structural-plate pipe-arches: widest, at the span,
// where the corner arcs stand upright.
class ArchSection final : public ArcSection {
public:
    ArchSection(const ArcPieces& pieces, double span) : ArcSection(pieces), B_(span) {}
    double span() const override { return B_; }

private:
    double B_;
};

} // namespace runnelex::sections
