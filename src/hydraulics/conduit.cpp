// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/conduit.h"

#include <cmath>

#include "common/first_reached.h"
#include "engine/arith.h"
#include "engine/hydrocalc.h"

namespace runnelex::hydraulics {

using namespace hydrocalc::checked;

double gravity(UnitSystem system) {
    return system == UnitSystem::SI ? 9.80665 : hydrocalc::kGravityFroude;
}

bool Conduit::engineRoute() const {
    return s_.engineCircle() && law_.engineManningN() != nullptr;
}

double Conduit::hydraulicRadius(double y) const {
    const double P = s_.perimeter(y);
    return P <= 0.0 ? 0.0 : div(s_.area(y), P);
}

double Conduit::velocityAt(double y) const {
    return law_.velocity(hydraulicRadius(y), S_);
}

double Conduit::flowAt(double y) const {
    const auto [A, P] = s_.wetted(y);
    return mul(law_.velocity(P <= 0.0 ? 0.0 : div(A, P), S_), A);
}

double Conduit::normalDepth(double Q, double top) const {
    return normalSearch<true>(Q, top);
}

double Conduit::normalDepthOneByOne(double Q, double top) const {
    return normalSearch<false>(Q, top);
}

template <bool Shared> double Conduit::normalSearch(double Q, double top) const {
    const auto flow = [this](double y) {
        if constexpr (Shared) {
            return flowAt(y);
        } else {
            const double A = s_.area(y);
            const double P = s_.perimeter(y);
            return mul(law_.velocity(P <= 0.0 ? 0.0 : div(A, P), S_), A);
        }
    };
    if (engineRoute())
        return hydrocalc::fDnormal(*law_.engineManningN(), s_.rise(), 0.0, hydrocalc::kCircular, S_,
                                   Q);
    // The engine's circle has no depth below where 1 - 2 y/D rounds to 1: other laws search it
    // from there.
    const double lo = s_.engineCircle() ? s_.rise() * 0x1p-52 : 0.0;
    if (lo > 0.0 && flow(lo) >= Q)
        return lo;
    return firstReached(lo, top, [&](double y) { return flow(y) - Q; });
}

double Conduit::froudeNumber(double y, double Q) const {
    // The Froude number and the critical depth do not depend on the law.
    if (s_.engineCircle())
        return hydrocalc::fFroude(s_.rise(), y, Q);
    const double T = s_.topWidth(y);
    if (T <= 0.0)
        return 0.0;
    const double A = s_.area(y);
    return div(div(Q, A), sqrt(mul(g_, div(A, T))));
}

double Conduit::criticalDepth(double Q) const {
    return criticalSearch<true>(Q);
}

double Conduit::criticalDepthOneByOne(double Q) const {
    return criticalSearch<false>(Q);
}

template <bool Shared> double Conduit::criticalSearch(double Q) const {
    if (s_.engineCircle())
        return hydrocalc::fDcritCircular(s_.rise(), Q);
    if (const auto closed = s_.criticalDepth(Q, g_))
        return *closed;
    // Q^2 T / (g A^3) falls from above 1 near the invert to 0 at the crown.
    const double q2 = mul(Q, Q);
    const double widening = s_.wideningTo();
    return firstReached(0.0, s_.rise(), [&](double y) {
        if constexpr (Shared) {
            // Far below the critical depth g A^3 is lost against Q^2 T: where A <= T y bounds
            // it under 2^-55 of Q^2 T, the difference rounds to -Q^2 T, the area not needed.
            if (y > 0.0 && y <= widening) {
                const double T = s_.topWidth(y), side = T * y;
                const double u = mul(q2, T);
                if (u > 0.0 && 2.0 * (g_ * (side * side * side)) <= u * 0x1p-55)
                    return -u;
            }
            const auto [A, T] = s_.surface(y);
            // Below 2^-360 the cube rounds to 0: the search's first steps, far down near the
            // invert, skip the slow underflowing products.
            const double cube = A > 0.0 && A < 0x1p-360 ? 0.0 : mul(A, mul(A, A));
            return mul(g_, cube) - mul(q2, T);
        } else {
            const double A = s_.area(y);
            return mul(g_, mul(A, mul(A, A))) - mul(q2, s_.topWidth(y));
        }
    });
}

PeakFlow Conduit::peakFlow() const {
    const double D = s_.rise();
    if (!s_.peaksBelowCrown()) {
        const double A = s_.fullArea();
        return {D, mul(law_.velocity(div(A, s_.openPerimeterAtCrown()), S_), A)};
    }
    // The flow peaks in the upper half, where the full section's extra wetted perimeter
    // outweighs its extra area.
    return largestOf([this](double y) { return flowAt(y); }, 0.5 * D, D);
}

} // namespace runnelex::hydraulics
