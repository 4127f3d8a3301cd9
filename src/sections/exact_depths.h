// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/section.h"

// Depths found exactly: each is the double at which the computed quantity crosses its target,
// found by bisecting the doubles themselves, so no tolerance decides where a search stops.
namespace runnelex::sections {

// Manning's velocity V = (k / n) R^(2/3) S^(1/2) and the slope that gives V.
double manningVelocity(const Hydraulics& h, double n, double R, double S);
double manningSlope(const Hydraulics& h, double V, double R, double n);

// Uniform flow at depth y.
double flowAtDepth(const Section& s, const Hydraulics& h, double n, double S, double y);

// The smallest double y in (0, top] whose uniform flow reaches Q; Q must be positive and no
// more than the flow at `top`, below which the flow rises with the depth.
double normalDepth(const Section& s, const Hydraulics& h, double n, double S, double Q, double top);

// Froude number V / sqrt(g A / T) of the flow Q at depth y (0 at or above the crown).
double froudeNumber(const Section& s, const Hydraulics& h, double y, double Q);

// The depth where Q^2 T / (g A^3) = 1, the Froude number 1: the section's closed form, else the
// smallest double y below the crown at which the flow is no longer supercritical.
double criticalDepth(const Section& s, const Hydraulics& h, double Q);

// The largest open-channel flow and its depth: for a shape whose flow peaks below the crown
// the peak found by search, else the flow just under the crown with the lid not touching.
struct PeakFlow {
    double depth = 0.0;
    double flow = 0.0;
};
PeakFlow peakFlow(const Section& s, const Hydraulics& h, double n, double S);

} // namespace runnelex::sections
