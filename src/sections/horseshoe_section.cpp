// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/horseshoe_section.h"

#include <cmath>

namespace runnelex::sections {

namespace {

ArcPieces horseshoePieces(double D) {
    ArcPieces p;
    p.rise = D;
    p.invertRadius = D;
    p.crownRadius = D / 2.0;
    p.wallX = -D / 2.0;
    p.wallY = D / 2.0;
    p.wallRadius = D;
    // Where x^2 + (y - D)^2 = D^2 meets (x + D/2)^2 + (y - D/2)^2 = D^2 on the right.
    p.low = (3.0 - std::sqrt(7.0)) / 4.0 * D;
    p.high = D / 2.0;
    return p;
}

} // namespace

HorseshoeSection::HorseshoeSection(double diameter) : ArcSection(horseshoePieces(diameter)) {}

} // namespace runnelex::sections
