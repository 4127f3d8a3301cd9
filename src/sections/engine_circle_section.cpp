// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/engine_circle_section.h"

#include <cmath>

#include "engine/hydrocalc.h"
#include "sections/circle_section.h"

namespace runnelex::sections {

using namespace hydrocalc;

namespace {
constexpr double kNoWidth = 0.0; // the circular section ignores the width
} // namespace

double EngineCircleSection::area(double y) const {
    return fAreaW(D_, kNoWidth, y, kCircular);
}

double EngineCircleSection::perimeter(double y) const {
    return fPerimW(D_, kNoWidth, y, kCircular);
}

double EngineCircleSection::topWidth(double y) const {
    const double r = checked::div(y, D_);
    if (r <= 0.0 || r >= 1.0)
        return 0.0; // dry, or full with no free surface
    return checked::mul(D_, std::sin(fTheta(r)));
}

} // namespace runnelex::sections

namespace runnelex::sections {

std::vector<OutlinePoint> EngineCircleSection::outline() const {
    return circleOutline(D_);
}

} // namespace runnelex::sections
