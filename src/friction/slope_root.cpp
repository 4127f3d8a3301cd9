// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/slope_root.h"

#include <cmath>
#include <limits>

#include "common/first_reached.h"
#include "engine/arith.h"

namespace runnelex::friction {

namespace {

struct Bracket {
    double lo = 0.0, hi = 0.0;
    bool everywhere = false; // reached at every normal slope: lo is the answer
};

template <typename Excess> Bracket bracketOf(Excess excess, double guess) {
    if (!(guess > 0.0) || !std::isfinite(guess))
        guess = 1e-3;
    // Widen a bracket around the guess: below it the velocity falls short, at its top not.
    Bracket b{guess, guess};
    while (excess(b.lo) >= 0.0) {
        b.lo *= 0.25;
        if (b.lo < std::numeric_limits<double>::min()) {
            b.everywhere = true; // the law gives V without a fall
            return b;
        }
    }
    while (excess(b.hi) < 0.0) {
        b.hi *= 4.0;
        if (b.hi > 1e300)
            hydrocalc::checked::raise(hydrocalc::checked::Fault::Overflow);
    }
    return b;
}

} // namespace

double slopeReaching(const FrictionLaw& law, double V, double R, double guess) {
    if (!(V > 0.0))
        return 0.0;
    const auto excess = [&](double S) {
        return law.velocity(R, S) - V;
    };
    const Bracket b = bracketOf(excess, guess);
    return b.everywhere ? b.lo : firstReached(b.lo, b.hi, excess);
}

SlopeBracket slopeBracket(const FrictionLaw& law, double V, double R, double guess) {
    if (!(V > 0.0))
        return {};
    const Bracket b = bracketOf([&](double S) { return law.velocity(R, S) - V; }, guess);
    return {b.lo, b.hi, !b.everywhere};
}

} // namespace runnelex::friction
