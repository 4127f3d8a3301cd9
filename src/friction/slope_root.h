// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "friction/friction_law.h"

namespace runnelex::friction {

// The slope a law implicit in it needs for the velocity V at the hydraulic radius R: the
// smallest double at which the law's velocity reaches V, searched from `guess` outwards.
// Throws hydrocalc::ArithmeticError where the law faults or no finite slope reaches V.
double slopeReaching(const FrictionLaw& law, double V, double R, double guess);
// The slopes slopeReaching would search between, found with the same faults; `search` false
// when it would not search.
struct SlopeBracket {
    double lo = 0.0, hi = 0.0;
    bool search = false;
};
SlopeBracket slopeBracket(const FrictionLaw& law, double V, double R, double guess);

} // namespace runnelex::friction
