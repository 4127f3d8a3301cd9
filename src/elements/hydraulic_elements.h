// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "input/unit_system.h"

// The hydraulic elements of one circular pipe: flow and velocity of uniform flow at every
// depth, and the depths where they peak. In US customary units (ft, ft/ft, cfs, ft/s) from the
// engine's own geometry and Manning functions; in SI (m, m/m, m3/s, m/s) from the exact circle
// and Manning's constant 1, as the SI calculation computes them. Engine faults throw
// hydrocalc::ArithmeticError.
namespace runnelex::elements {

struct Pipe {
    double D = 0.0; // diameter, ft (m)
    double S = 0.0; // slope, ft/ft (m/m)
    double n = 0.0; // Manning's n
    UnitSystem system = UnitSystem::US;
};

// Uniform flow (cfs, m3/s) and velocity (ft/s, m/s) at depth y; a depth at or above the crown is
// the full pipe, at or below the invert no flow.
double flowAtDepth(const Pipe& pipe, double y);
double velocityAtDepth(const Pipe& pipe, double y);

struct Peak {
    double depth = 0.0; // ft (m)
    double value = 0.0; // the flow or the velocity there
};

// The largest open-channel flow and the depth that carries it (about 0.938 D for a circle),
// and the same for the velocity (about 0.813 D). Found by searching the engine's flow, so
// the values are those the engine computes, whatever its rounding.
Peak largestFlow(const Pipe& pipe);
Peak largestVelocity(const Pipe& pipe);

struct ElementPoint {
    double ratio = 0.0; // d/D
    double Q = 0.0;     // cfs (m3/s)
    double V = 0.0;     // ft/s (m/s)
};

// The curve at `intervals` + 1 evenly spaced depth ratios from 0 to 1, with the two peaks
// inserted in ratio order so that a chart drawn through the points reaches them.
std::vector<ElementPoint> elementCurve(const Pipe& pipe, int intervals);

} // namespace runnelex::elements
