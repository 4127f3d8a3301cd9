// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/ellipse_section.h"

#include <algorithm>

namespace runnelex::sections {

namespace {

ArcPieces ovalPieces(double B, double D) {
    const double shortAxis = std::min(B, D), longAxis = std::max(B, D);
    const double r = EllipseSection::kSmallRadius * shortAxis;
    // The small arcs' centres lie `along` from the middle on the long axis; `e` is how far
    // the short axis reaches beyond them. Tangency gives the large radius.
    const double along = longAxis / 2.0 - r, e = shortAxis / 2.0 - r;
    const double R = r + (along * along + e * e) / (2.0 * e);
    ArcPieces p;
    p.rise = D;
    p.wallY = D / 2.0;
    if (B >= D) {
        p.invertRadius = p.crownRadius = R;
        p.wallX = along;
        p.wallRadius = r;
    } else {
        p.invertRadius = p.crownRadius = r;
        p.wallX = B / 2.0 - R; // the left of the centre line: the wall is the far side's arc
        p.wallRadius = R;
    }
    // The invert arc meets the wall on the line through both centres.
    const double rb = p.invertRadius;
    p.low = std::min(D / 2.0, rb * (p.wallY - p.wallRadius) / (rb - p.wallRadius));
    p.high = D - p.low;
    return p;
}

} // namespace

EllipseSection::EllipseSection(double span, double rise)
    : ArcSection(ovalPieces(span, rise)), B_(span) {}

} // namespace runnelex::sections
