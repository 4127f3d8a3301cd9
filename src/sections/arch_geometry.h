// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "sections/arc_wall.h"

namespace runnelex::sections {

// The three-radius arch of span B and rise D: an invert arc of radius Rb, two corner arcs of
// radius Rc and a crown arc whose radius follows from tangency. Nothing when no such arch
// exists (the invert too tight for the span, or the corners leaving no room for a crown).
std::optional<std::vector<ArcPiece>> archPieces(double B, double D, double Rb, double Rc);

} // namespace runnelex::sections
