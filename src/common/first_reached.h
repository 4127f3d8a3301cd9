// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>

namespace runnelex {

// The smallest double x in (lo, hi] with excess(x) >= 0, given 0 <= lo, excess(lo) < 0 <=
// excess(hi), and that the excess does not fall back below 0 above a value where it reached 0.
// Positive doubles order as their bit patterns: the bracket is narrowed by the Illinois form of
// the false position while it is wide, then by halving the patterns' distance down to adjacent
// doubles, so the answer depends on the signs of the excess alone, never on a tolerance.
// When excess(hi) < 0, nothing reaches the target and hi is returned.
template <typename Excess> double firstReached(double lo, double hi, Excess excess) {
    const auto bitsOf = [](double x) {
        return std::bit_cast<std::uint64_t>(x);
    };
    double a = lo, b = hi;
    double fa = excess(a), fb = excess(b);
    if (fb < 0.0)
        return b;
    int kept = 0; // +1: b was kept last time, -1: a was
    for (int step = 0; bitsOf(b) - bitsOf(a) > 1; ++step) {
        double c = 0.0;
        const bool wide = bitsOf(b) - bitsOf(a) > 64 && step < 60;
        if (wide)
            c = (a * fb - b * fa) / (fb - fa);
        if (!wide || !(c > a && c < b))
            c = std::bit_cast<double>(bitsOf(a) + (bitsOf(b) - bitsOf(a)) / 2);
        const double fc = excess(c);
        if (fc >= 0.0) {
            b = c;
            fb = fc;
            if (kept == -1)
                fa *= 0.5; // a kept twice: pull the next false position towards it
            kept = -1;
        } else {
            a = c;
            fa = fc;
            if (kept == 1)
                fb *= 0.5;
            kept = 1;
        }
    }
    return b;
}

} // namespace runnelex
