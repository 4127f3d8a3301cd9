// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/arch_geometry.h"

#include <cmath>

namespace runnelex::sections {

std::optional<ArcPieces> archPieces(double B, double D, double Rb, double Rc) {
    if (!(B > 0.0 && D > 0.0 && Rc > 0.0 && Rb > B / 2.0 && Rb > Rc))
        return std::nullopt;
    const double c = B / 2.0 - Rc; // the corner centres' distance from the axis
    const double reach = (Rb - Rc) * (Rb - Rc) - c * c;
    if (!(c > 0.0 && reach > 0.0))
        return std::nullopt;
    const double b = Rb - std::sqrt(reach); // the corner centres' height: the span's
    const double g = D - b - Rc;
    if (!(g > 0.0))
        return std::nullopt;
    const double Rt = Rc + (c * c + g * g) / (2.0 * g);
    const double yt = D - Rt; // the crown arc's centre
    const double y1 = Rb + Rb * (b - Rb) / (Rb - Rc);
    const double y2 = yt + Rt * (b - yt) / (Rt - Rc);
    if (!(Rt > Rc && 0.0 < y1 && y1 < b && b < y2 && y2 < D))
        return std::nullopt;
    return ArcPieces{D, Rb, Rt, c, b, Rc, y1, y2};
}

} // namespace runnelex::sections
