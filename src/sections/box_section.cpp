// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/box_section.h"

#include <algorithm>

#include "engine/hydrocalc.h"

namespace runnelex::sections {

using namespace hydrocalc;

double BoxSection::area(double y) const {
    return fAreaW(D_, B_, std::clamp(y, 0.0, D_), kRectangle);
}

double BoxSection::perimeter(double y) const {
    if (y <= 0.0)
        return 0.0; // dry
    return fPerimW(D_, B_, y, kRectangle);
}

double BoxSection::topWidth(double y) const {
    return y > 0.0 && y < D_ ? B_ : 0.0;
}

std::optional<double> BoxSection::criticalDepth(double Q, double g) const {
    const double yc = checked::pow(
        checked::div(checked::mul(Q, Q), checked::mul(g, checked::mul(B_, B_))), 1.0 / 3.0);
    return std::min(yc, D_);
}

std::vector<OutlinePoint> BoxSection::outline() const {
    return {{0.0, 0.0}, {B_ / 2.0, 0.0}, {B_ / 2.0, D_}, {-B_ / 2.0, D_}, {-B_ / 2.0, 0.0}};
}

double BoxSection::openPerimeterAtCrown() const {
    return checked::add(B_, checked::mul(2.0, D_));
}

} // namespace runnelex::sections
