// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/slope_root.h"

#include <cmath>
#include <limits>

#include "common/first_reached.h"
#include "engine/arith.h"

namespace runnelex::friction {

double slopeReaching(const FrictionLaw& law, double V, double R, double guess) {
    if (!(V > 0.0))
        return 0.0;
    const auto excess = [&](double S) {
        return law.velocity(R, S) - V;
    };
    if (!(guess > 0.0) || !std::isfinite(guess))
        guess = 1e-3;
    // Widen a bracket around the guess: below it the velocity falls short, at its top not.
    double lo = guess, hi = guess;
    while (excess(lo) >= 0.0) {
        lo *= 0.25;
        if (lo < std::numeric_limits<double>::min())
            return lo; // reached at every normal slope: the law gives V without a fall
    }
    while (excess(hi) < 0.0) {
        hi *= 4.0;
        if (hi > 1e300)
            hydrocalc::checked::raise(hydrocalc::checked::Fault::Overflow);
    }
    return firstReached(lo, hi, excess);
}

} // namespace runnelex::friction
