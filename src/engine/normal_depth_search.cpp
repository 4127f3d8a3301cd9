// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/normal_depth_search.h"

#include <cmath>
#include <limits>

#include "engine/circle_roots.h"
#include "engine/hydrocalc.h"

namespace runnelex::hydrocalc {

namespace {

bool within(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

// Inputs for which no evaluation at a depth of ratio 1e-7 or more can fault: every product and
// quotient of the flow and its relative error stays far inside the double range.
bool cannotFault(double n, double D, double S, double Q) {
    return within(D, 1e-50, 1e50) && within(n, 1e-50, 1e50) && within(S, 1e-100, 1e100) &&
           within(Q, 1e-280, 1e280);
}

// The depths around one edge of the tolerance band: below `lo` the flow is certainly under the
// edge, above `hi` certainly over it; in between the engine decides.
struct Edge {
    double lo = std::numeric_limits<double>::infinity();
    double hi = std::numeric_limits<double>::infinity();
};

// Below this depth ratio the area's cancellation makes certainty costly.
constexpr double kMinRatio = 1e-6;

// False when the edge cannot be placed with certainty.
bool placeEdge(double D, double top, double level, double levelAtTop, double& guess, Edge& edge) {
    const double margin = 2.0 * certaintyMargin(top / D);
    if (levelAtTop < level * (1.0 - margin))
        return true; // the whole bracket lies under this edge
    if (levelAtTop <= level * (1.0 + margin))
        return false;
    const Crossing c = conveyanceCrossing(D, level, guess, top);
    if (!c.found || c.depth < kMinRatio * D)
        return false;
    const double spread =
        3.0 * (certaintyMargin(c.depth / D) + std::fabs(c.residual)) * c.depth / c.slope;
    edge = {c.depth - spread, c.depth + spread};
    guess = c.depth * (1.0 + 2.0 * kNormalTol / c.slope); // where the other edge lies
    return true;
}

enum class Verdict { Below, Above, Stop };

// A (A / P)^(2/3) of a unit circle filled to the depth ratio r.
double unitConveyance(double r) {
    const double theta = std::acos(1.0 - 2.0 * r);
    const double area = (theta - std::sin(theta) * std::cos(theta)) / 4.0;
    const double R = area / theta;
    return area * std::cbrt(R * R);
}

// The conveyance at the top of the bracket, and a first guess of the depth ratio that carries a
// given fraction of it, interpolated in logarithms between depths 0.93 (i / 32)^2.
class TopRatios {
public:
    TopRatios() : atTop(unitConveyance(kNormalTop)) {
        for (int i = 0; i < kNodes; ++i) {
            const double r = kNormalTop * (i + 1) * (i + 1) / (kNodes * kNodes);
            logR_[i] = std::log(r);
            logF_[i] = std::log(unitConveyance(r) / atTop);
        }
    }
    double depthRatio(double fraction) const {
        const double f = std::log(fraction);
        if (!(f > logF_[0])) // near the invert the conveyance grows as r^(13/6)
            return std::exp(logR_[0] + (f - logF_[0]) * 6.0 / 13.0);
        int i = 1;
        while (i < kNodes - 1 && logF_[i] < f)
            ++i;
        const double t = (f - logF_[i - 1]) / (logF_[i] - logF_[i - 1]);
        return std::exp(logR_[i - 1] + std::fmin(t, 1.0) * (logR_[i] - logR_[i - 1]));
    }
    const double atTop;

private:
    static constexpr int kNodes = 32;
    double logR_[kNodes];
    double logF_[kNodes];
};
const TopRatios& topRatios() {
    static const TopRatios ratios;
    return ratios;
}

} // namespace

bool searchNormalDepthCircle(double n, double D, double S, double Q, double& depth, int& passes) {
    if (!cannotFault(n, D, S, Q))
        return false;
    const double top = kNormalTop * D;
    const double scale = kManningK / n * std::sqrt(S);
    const double target = Q / scale;
    if (!within(target, 1e-290, 1e290))
        return false;

    const TopRatios& ratios = topRatios();
    const double atTop = ratios.atTop * (D * D) * std::cbrt(D * D);
    double guess = ratios.depthRatio(target / atTop) * D;
    Edge low, high; // the edges Q (1 - tol) and Q (1 + tol)
    if (!placeEdge(D, top, target * (1.0 - kNormalTol), atTop, guess, low) ||
        !placeEdge(D, top, target * (1.0 + kNormalTol), atTop, guess, high))
        return false;

    const auto verdict = [&](double y) {
        if (y < low.lo)
            return Verdict::Below;
        if (y > high.hi)
            return Verdict::Above;
        if (y > low.hi && y < high.lo)
            return Verdict::Stop;
        // Too near an edge: the flow as the bisection evaluates it.
        const double A = fAreaW(D, 0.0, y, kCircular);
        const double R = fRh(A, fPerimW(D, 0.0, y, kCircular));
        const double qc = checked::mul(fVmanning(n, R, S), A);
        if (checked::div(std::fabs(checked::sub(qc, Q)), Q) <= kNormalTol)
            return Verdict::Stop;
        return qc < Q ? Verdict::Below : Verdict::Above;
    };

    double lo = 0.0, hi = top;
    double y = hi / 2.0;
    Verdict v = verdict(y);
    int done = 0;
    while (v != Verdict::Stop && done < kNormalMaxPasses) {
        ++done;
        const double loBefore = lo, hiBefore = hi, yBefore = y;
        (v == Verdict::Below ? lo : hi) = y;
        y = (lo + hi) / 2.0;
        if (y == yBefore && lo == loBefore && hi == hiBefore) {
            done = kNormalMaxPasses; // every remaining pass repeats this one
            break;
        }
        v = verdict(y);
    }
    depth = y;
    passes = done;
    return true;
}

} // namespace runnelex::hydrocalc
