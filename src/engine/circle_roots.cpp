// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/circle_roots.h"

#include <cmath>

#include "engine/hydrocalc.h"

namespace runnelex::hydrocalc {

namespace {

// theta - sin(theta) cos(theta), without the cancellation near the invert.
double bracket(double theta) {
    if (theta > 0.25) {
        return theta - std::sin(theta) * std::cos(theta);
    }
    // (u - sin u) / 2 with u = 2 theta: its series to beyond double precision for u <= 0.5.
    const double u = 2.0 * theta, v = u * u;
    constexpr double c[] = {
        1.0 / 59281238016000.0, 1.0 / 217945728000.0, 1.0 / 1037836800.0, 1.0 / 6652800.0,
        1.0 / 60480.0,          1.0 / 840.0,          1.0 / 20.0};
    double t = c[0];
    for (int k = 1; k < 7; ++k)
        t = c[k] - v * t;
    return u * v / 12.0 * (1.0 - v * t);
}

// The wetted part of a circle D across, filled to the depth y, computed from the depth ratio
// alone so that the angle, its sine and the area agree with one another.
struct Wet {
    double x, s, theta, area;
};

Wet wet(double D, double y) {
    const double r = y / D;
    const double theta = 2.0 * std::asin(std::sqrt(r));
    return {1.0 - 2.0 * r, 2.0 * std::sqrt(r * (1.0 - r)), theta, bracket(theta) * (D * D / 4.0)};
}

// A value and its logarithmic derivative d ln f / d ln y.
struct Value {
    double f, slope;
};

// Below this slope the level is too flat to locate; the caller evaluates instead.
constexpr double kMinSlope = 0.02;
constexpr int kMaxIterations = 40;
// The searches widen their uncertain band by the residual, so the root need not be exact: a
// residual this small leaves a band far narrower than the tolerance band or a march step.
constexpr double kCloseEnough = 1e-8;

// Newton's method in logarithms, safeguarded by the bracket [lo, hi]: near the invert both
// quantities follow a power of the depth, which the step y (level / f)^(1 / slope) solves at once.
template <typename Eval>
Crossing solve(Eval eval, double level, bool rising, double y, double lo, double hi) {
    for (int i = 0; i < kMaxIterations; ++i) {
        const Value v = eval(y);
        if (!(std::isfinite(v.f) && v.f > 0.0 && std::isfinite(v.slope) &&
              std::fabs(v.slope) >= kMinSlope))
            return {};
        const double residual = v.f / level - 1.0;
        if (std::fabs(residual) <= kCloseEnough)
            return {y, std::fabs(v.slope), residual, true};
        ((v.f < level) == rising ? lo : hi) = y;
        const double ratio = level / v.f;
        double next = std::fabs(ratio - 1.0) > 1e-3 ? y * std::pow(ratio, 1.0 / v.slope)
                                                    : y * (1.0 + (ratio - 1.0) / v.slope);
        if (!(next > lo && next < hi))
            next = lo > 0.0 ? std::sqrt(lo * hi) : hi / 16.0;
        if (next == y)
            return {};
        y = next;
    }
    return {};
}

// A first guess of the critical depth ratio of a unit circle, interpolated in logarithms
// between depths (i / 32)^2 of the Froude number of the unit flow.
class CriticalRatios {
public:
    CriticalRatios() {
        for (int i = 0; i < kNodes; ++i) {
            const double r = 0.999 * (i + 1) * (i + 1) / (kNodes * kNodes);
            const Wet w = wet(1.0, r);
            logR_[i] = std::log(r);
            logF_[i] = std::log(std::sqrt(w.s / (kGravityFroude * w.area)) / w.area);
        }
    }
    // The ratio at which the Froude number of the flow Q in a unit circle is 1.
    double depthRatio(double Q) const {
        const double f = -std::log(Q); // the unit flow's Froude number there
        if (!(f < logF_[0]))           // near the invert F falls as r^-2
            return std::exp(logR_[0] - (f - logF_[0]) / 2.0);
        int i = 1;
        while (i < kNodes - 1 && logF_[i] > f)
            ++i;
        const double t = (f - logF_[i - 1]) / (logF_[i] - logF_[i - 1]);
        return std::exp(logR_[i - 1] + std::fmin(t, 1.0) * (logR_[i] - logR_[i - 1]));
    }

private:
    static constexpr int kNodes = 32;
    double logR_[kNodes];
    double logF_[kNodes];
};

} // namespace

double certaintyMargin(double r) {
    return 1e-11 + 1e-13 / r;
}

Crossing conveyanceCrossing(double D, double level, double guess, double top) {
    const auto eval = [D](double y) {
        const Wet w = wet(D, y);
        const double P = w.theta * D;
        const double R = w.area / P;
        const double f = w.area * std::cbrt(R * R);
        const double slope = y * (5.0 / 3.0 * D * w.s / w.area - 4.0 / 3.0 / (w.s * P));
        return Value{f, slope};
    };
    return solve(eval, level, true, guess, 0.0, top);
}

Crossing criticalCrossing(double D, double Q) {
    static const CriticalRatios ratios;
    // F scales as Q / D^(5/2): the unit circle's ratio for the flow Q / D^(5/2).
    const double guess = ratios.depthRatio(Q / (D * D * std::sqrt(D))) * D;
    const auto eval = [D, Q](double y) {
        const Wet w = wet(D, y);
        const double f = Q * std::sqrt(D * w.s / (kGravityFroude * w.area)) / w.area;
        const double slope = y * (w.x / (D * w.s * w.s) - 1.5 * D * w.s / w.area);
        return Value{f, slope};
    };
    return solve(eval, 1.0, false, guess, 0.0, D);
}

} // namespace runnelex::hydrocalc
