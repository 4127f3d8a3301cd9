// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/hydrocalc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/circle_roots.h"
#include "engine/march_steps.h"
#include "engine/normal_depth_search.h"

namespace runnelex::hydrocalc {

using namespace checked;

namespace {
double piByAtan() {
    return 4.0 * std::atan(1.0);
}
} // namespace

double fArccos(double x) {
    // atan(-x / sqrt(1 - x^2)) + pi/2; no guard of its own: |x| = 1 divides by zero.
    const double oneMinusSq = add(mul(-x, x), 1.0);
    const double root = sqrt(oneMinusSq);
    const double quotient = div(-x, root);
    return add(std::atan(quotient), 2.0 * std::atan(1.0));
}

double fTheta(double r) {
    if (r <= 0.0)
        return 0.0;
    if (r >= 1.0)
        return piByAtan();
    return fArccos(sub(1.0, add(r, r)));
}

double fAreaW(double D, double B, double d, ShapeCode shape) {
    switch (shape) {
    case kCircular: {
        const double theta = fTheta(div(d, D));
        const double bracket = sub(theta, mul(std::sin(theta), std::cos(theta)));
        return mul(bracket, div(mul(D, D), 4.0));
    }
    case kRectangle:
        return mul(B, d);
    default:
        return 0.0;
    }
}

double fPerimW(double D, double B, double d, ShapeCode shape) {
    switch (shape) {
    case kCircular:
        return mul(fTheta(div(d, D)), D);
    case kRectangle:
        if (d > 0.0 && d < D)
            return add(mul(2.0, d), B);
        return mul(add(D, B), 2.0);
    default:
        return 0.0;
    }
}

double fRh(double A, double P) {
    if (P <= 0.0)
        return 0.0;
    return div(A, P);
}

double fVmanning(double n, double R, double S) {
    const double rootS = sqrt(S);
    const double rPow = pow(R, 2.0 / 3.0);
    const double product = mul(rPow, rootS);
    const double k = div(kManningK, n);
    return mul(k, product);
}

double fSfManning(double V, double R, double n) {
    const double vn = div(mul(V, n), kManningK);
    return pow(div(vn, pow(R, 2.0 / 3.0)), 2.0);
}

double fDnormal(double n, double D, double B, ShapeCode shape, double S, double Q, int* passes) {
    if (shape == kCircular) {
        double depth = 0.0;
        int done = 0;
        if (searchNormalDepthCircle(n, D, S, Q, depth, done)) {
            if (passes)
                *passes = done;
            return depth;
        }
    }
    return fDnormalBisection(n, D, B, shape, S, Q, passes);
}

double fDnormalBisection(double n, double D, double B, ShapeCode shape, double S, double Q,
                         int* passes) {
    double hi = mul(kNormalTop, D);
    double lo = 0.0;
    double y = div(hi, 2.0);
    double c = 1.0; // pass counter, a double as the solver has always kept it

    double qc = 0.0;
    const auto relError = [&](double depth) {
        const double A = fAreaW(D, B, depth, shape);
        const double P = fPerimW(D, B, depth, shape);
        const double R = fRh(A, P);
        qc = mul(fVmanning(n, R, S), A);
        return div(std::fabs(sub(qc, Q)), Q);
    };

    double e = relError(y);
    int done = 0;
    if (e > kNormalTol) {
        for (;;) {
            c = c + 1.0;
            ++done;
            if (qc < Q)
                lo = y;
            else
                hi = y;
            y = div(add(lo, hi), 2.0);
            e = relError(y);
            if (c > kNormalMaxPasses || e <= kNormalTol)
                break;
        }
    }
    if (passes)
        *passes = done;
    return y;
}

double fFroude(double D, double d, double Q) {
    const double theta = fTheta(div(d, D));
    const double s = std::sin(theta);
    const double co = std::cos(theta);
    const double numerator = mul(mul(Q, Q), mul(s, D));
    const double area = mul(sub(theta, mul(s, co)), div(mul(D, D), 4.0));
    return pow(div(numerator, mul(kGravityFroude, pow(area, 3.0))), 0.5);
}

double fDcritical(double D, double B, double Q, ShapeCode shape, const Notify& notify) {
    switch (shape) {
    case kCircular:
        return fDcritCircular(D, Q);
    case kRectangle: {
        const double qq = mul(Q, Q);
        const double denom = mul(pow(B, 2.0), kGravityRect);
        return pow(div(qq, denom), 1.0 / 3.0);
    }
    default:
        if (notify)
            notify(kShapeMessage);
        return fDcritCircular(D, Q);
    }
}

double fDcritCircularMarch(double D, double Q) {
    const double h = mul(kCritStep, D);
    double y = h;
    const double f0 = fFroude(D, y, Q);
    if (f0 < 1.0)
        return h; // the critical depth lies below the first step
    y = add(y, h);
    double f = fFroude(D, y, Q);
    while (mul(f0 - 1.0, f - 1.0) > 0.0) {
        if (y >= D)
            return D; // the march ends at the crown
        y = add(y, h);
        f = fFroude(D, y, Q);
    }
    return y;
}

namespace {

// Pipes for which no step of the march can fault: every intermediate value of the Froude number
// stays far inside the double range (D^2, Q^2 T, A^3 and F^2, which only falls as the depth
// rises). Outside it the march itself decides, faults included.
bool marchCannotFault(double D, double Q, double f0) {
    return D >= 1e-30 && D <= 1e30 && Q * Q * D <= 1e300 && f0 <= 1e100;
}

// How far above 1 the Froude number must be at the step before the stop for the search to be
// sure that no earlier step stops the march. F falls strictly with the depth; its computed value
// differs from the exact one by far less than this (cancellation near the invert costs a few
// thousand units in the last place at most).
constexpr double kMonotoneMargin = 1e-9;

// The step where the march stops, found from the critical depth itself: every step certainly
// below it continues, the first step certainly above it stops, and the few steps too near it
// are evaluated as the march does. 0 when that cannot be had cheaply (the critical depth at the
// crown or in the first steps, a flat or unsure model).
std::int64_t stopNearCrossing(double D, double Q, double f0, const MarchSteps& steps) {
    const double h = steps.at(1);
    const Crossing c = criticalCrossing(D, Q);
    if (!c.found)
        return 0;
    const double spread =
        3.0 * (certaintyMargin(c.depth / D) + std::fabs(c.residual)) * c.depth / c.slope;
    const double below = c.depth - spread, above = c.depth + spread;
    // Within a thousandth of the crown the angle's rounding outgrows the margin.
    if (!(above < 0.999 * D))
        return 0;
    const std::int64_t K = steps.last();
    // y(k) lies within a step of k h: the sums drift by far less than h.
    std::int64_t k = std::clamp<std::int64_t>(static_cast<std::int64_t>(below / h), 2, K);
    while (k > 2 && steps.at(k) > below)
        --k;
    while (k < K && steps.at(k) <= below)
        ++k;
    for (int near = 0; steps.at(k) < above; ++k, ++near) {
        if (k >= K || near == 4)
            return 0;
        if (!(mul(f0 - 1.0, fFroude(D, steps.at(k), Q) - 1.0) > 0.0))
            return k;
    }
    return k < K ? k : 0;
}

} // namespace

double fDcritCircular(double D, double Q) {
    const double h = mul(kCritStep, D);
    const double f0 = fFroude(D, h, Q); // the march's first evaluation, faults included
    if (f0 < 1.0)
        return h;
    if (f0 == 1.0 || !marchCannotFault(D, Q, f0))
        return fDcritCircularMarch(D, Q);
    const MarchSteps steps(h, D);
    if (!steps.ok())
        return fDcritCircularMarch(D, Q);
    if (const std::int64_t k = stopNearCrossing(D, Q, f0, steps))
        return steps.at(k);

    // The march stops at the first step k >= 2 where (F0 - 1)(F(k) - 1) <= 0, or at the crown
    // (step K, the first at or above D) still supercritical. Bisect over the step index:
    // `below` continues the march, `stop` stops it (K + 1 stands for "reaches the crown").
    const std::int64_t K = steps.last();
    std::int64_t below = 1, stop = K + 1;
    double fBelow = f0;
    while (stop - below > 1) {
        const std::int64_t mid = below + (stop - below) / 2;
        const double f = fFroude(D, steps.at(mid), Q);
        if (mul(f0 - 1.0, f - 1.0) > 0.0) {
            below = mid;
            fBelow = f;
        } else {
            stop = mid;
        }
    }
    // Every step before `below` continues too when F is clearly above 1 at a step inside the
    // pipe at or before it; at the crown F is no longer the smooth function, so look one lower.
    std::int64_t check = below;
    if (check >= 2 && steps.at(check) >= D) {
        --check;
        fBelow = fFroude(D, steps.at(check), Q);
    }
    if (check >= 2 && !(fBelow - 1.0 > kMonotoneMargin))
        return fDcritCircularMarch(D, Q);
    return stop <= K ? steps.at(stop) : D;
}

} // namespace runnelex::hydrocalc
