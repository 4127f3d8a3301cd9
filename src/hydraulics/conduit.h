// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "common/unit_system.h"
#include "friction/friction_law.h"
#include "sections/section.h"

// A section laid at a slope under a friction law: the flow at every depth and the depths where
// it reaches a flow or turns critical. Depths are exact: each is the double at which the
// computed quantity crosses its target, found by bisecting the doubles themselves, so no
// tolerance decides where a search stops. The engine's own circle under its own Manning
// equation keeps the engine's bisection and march instead.
namespace runnelex::hydraulics {

// g of the Froude number: 32.2 ft/s^2, so that Fr is 1 at the critical depth as the engine
// computes it, or 9.80665 m/s^2.
double gravity(UnitSystem system);

// The largest open-channel flow and its depth.
struct PeakFlow {
    double depth = 0.0;
    double flow = 0.0;
};

// The largest value of a function that rises and then falls on [lo, hi] and where it lies,
// found by golden-section search narrowed until the two inner points meet in double precision.
template <typename F> PeakFlow largestOf(const F& f, double lo, double hi) {
    const double invPhi = (std::sqrt(5.0) - 1.0) / 2.0;
    double a = hi - invPhi * (hi - lo);
    double b = lo + invPhi * (hi - lo);
    double fa = f(a), fb = f(b);
    for (int i = 0; i < 200 && a < b; ++i) {
        if (fa < fb) {
            lo = a;
            a = b;
            fa = fb;
            b = lo + invPhi * (hi - lo);
            fb = f(b);
        } else {
            hi = b;
            b = a;
            fb = fa;
            a = hi - invPhi * (hi - lo);
            fa = f(a);
        }
    }
    return fa >= fb ? PeakFlow{a, fa} : PeakFlow{b, fb};
}

class Conduit {
public:
    Conduit(const sections::Section& section, const friction::FrictionLaw& law, double slope,
            UnitSystem system)
        : s_(section), law_(law), S_(slope), g_(gravity(system)) {}

    const sections::Section& section() const { return s_; }
    const friction::FrictionLaw& law() const { return law_; }
    double slope() const { return S_; }
    double g() const { return g_; }
    // Whether the engine's bisection serves this conduit (its march and Froude number serve
    // its circle under any law).
    bool engineRoute() const;

    // Hydraulic radius, velocity and flow of uniform flow at depth y; nothing flows at or
    // below the invert.
    double hydraulicRadius(double y) const;
    double velocityAt(double y) const;
    double flowAt(double y) const;

    // The normal depth of Q, no larger than `top`, below which the flow rises with the depth:
    // the smallest double whose flow reaches Q (the engine's bisection for its own circle).
    double normalDepth(double Q, double top) const;
    // Froude number V / sqrt(g A / T) of the flow Q at depth y (0 at or above the crown).
    double froudeNumber(double y, double Q) const;
    // The depth where Q^2 T / (g A^3) = 1: the section's closed form, else the smallest double
    // below the crown at which the flow is no longer supercritical (the engine's march for its
    // own circle).
    double criticalDepth(double Q) const;
    // The same two depths from the section's area, perimeter and top width asked one at a
    // time, as the searches first did: the reference the shared evaluations must match bit
    // for bit.
    double normalDepthOneByOne(double Q, double top) const;
    double criticalDepthOneByOne(double Q) const;
    // Where the section's flow peaks below the crown, the peak found by search; else the flow
    // just under the crown, the lid not touching.
    PeakFlow peakFlow() const;

private:
    template <bool Shared> double normalSearch(double Q, double top) const;
    template <bool Shared> double criticalSearch(double Q) const;

    const sections::Section& s_;
    const friction::FrictionLaw& law_;
    double S_, g_;
};

} // namespace runnelex::hydraulics
