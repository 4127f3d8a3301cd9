// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "friction/friction_law.h"

namespace runnelex::friction {

// The slope a law implicit in it needs for the velocity V at the hydraulic radius R: the
// smallest double at which the law's velocity reaches V, searched from `guess` outwards.
// Throws hydrocalc::ArithmeticError where the law faults or no finite slope reaches V.
double slopeReaching(const FrictionLaw& law, double V, double R, double guess);
// Faults as slopeReaching does where the law's velocity cannot fault between two slopes at which
// it did not: the search within the bracket is skipped.
void checkSlopeReaching(const FrictionLaw& law, double V, double R, double guess);

} // namespace runnelex::friction
