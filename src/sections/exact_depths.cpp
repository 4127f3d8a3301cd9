// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/exact_depths.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/arith.h"

namespace runnelex::sections {

using namespace hydrocalc::checked;

namespace {

std::uint64_t bitsOf(double y) {
    return std::bit_cast<std::uint64_t>(y);
}

// The smallest double y in (lo, hi] with excess(y) >= 0, given excess(lo) < 0 <= excess(hi) and
// that the excess does not fall back below 0 above a depth where it reached 0. Positive doubles
// order as their bit patterns: the bracket is narrowed by the Illinois form of the false
// position while it is wide, then by halving the patterns' distance down to adjacent doubles,
// so the answer depends on the signs of the excess alone, never on a tolerance.
template <typename Excess> double firstReached(double lo, double hi, Excess excess) {
    double a = lo, b = hi;
    double fa = excess(a), fb = excess(b);
    if (fb < 0.0)
        return b; // nothing reaches the target below the top
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

double hydraulicRadius(double A, double P) {
    return P <= 0.0 ? 0.0 : div(A, P);
}

} // namespace

double manningVelocity(const Hydraulics& h, double n, double R, double S) {
    const double product = mul(pow(R, 2.0 / 3.0), sqrt(S));
    return mul(div(h.manningK, n), product);
}

double manningSlope(const Hydraulics& h, double V, double R, double n) {
    const double vn = div(mul(V, n), h.manningK);
    return pow(div(vn, pow(R, 2.0 / 3.0)), 2.0);
}

double flowAtDepth(const Section& s, const Hydraulics& h, double n, double S, double y) {
    const double A = s.area(y);
    return mul(manningVelocity(h, n, hydraulicRadius(A, s.perimeter(y)), S), A);
}

double normalDepth(const Section& s, const Hydraulics& h, double n, double S, double Q,
                   double top) {
    return firstReached(0.0, top, [&](double y) { return flowAtDepth(s, h, n, S, y) - Q; });
}

double froudeNumber(const Section& s, const Hydraulics& h, double y, double Q) {
    const double T = s.topWidth(y);
    if (T <= 0.0)
        return 0.0;
    const double A = s.area(y);
    return div(div(Q, A), sqrt(mul(h.gravity, div(A, T))));
}

double criticalDepth(const Section& s, const Hydraulics& h, double Q) {
    if (const auto closed = s.criticalDepth(Q, h.gravity))
        return *closed;
    // Q^2 T / (g A^3) falls from above 1 near the invert to 0 at the crown.
    const double q2 = mul(Q, Q);
    return firstReached(0.0, s.rise(), [&](double y) {
        const double A = s.area(y);
        return mul(h.gravity, mul(A, mul(A, A))) - mul(q2, s.topWidth(y));
    });
}

PeakFlow peakFlow(const Section& s, const Hydraulics& h, double n, double S) {
    const double D = s.rise();
    if (!s.peaksBelowCrown()) {
        const double A = s.fullArea();
        const double V = manningVelocity(h, n, div(A, s.openPerimeterAtCrown()), S);
        return {D, mul(V, A)};
    }
    // The flow has one peak between half depth and the crown: narrow it by thirds.
    double lo = 0.5 * D, hi = D;
    for (int i = 0; i < 200 && hi - lo > 1e-15 * D; ++i) {
        const double m1 = lo + (hi - lo) / 3.0, m2 = hi - (hi - lo) / 3.0;
        if (flowAtDepth(s, h, n, S, m1) < flowAtDepth(s, h, n, S, m2))
            lo = m1;
        else
            hi = m2;
    }
    const double y = 0.5 * (lo + hi);
    return {y, flowAtDepth(s, h, n, S, y)};
}

} // namespace runnelex::sections
