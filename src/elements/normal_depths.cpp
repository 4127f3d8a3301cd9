// SPDX-License-Identifier: GPL-3.0-or-later
#include "elements/normal_depths.h"

#include <cmath>

namespace runnelex::elements {

using hydraulics::Conduit;

namespace {

// The depth where the flow equals Q, given that the flow is below Q at `below` and at or above
// it at `above` (the two ends of the bracket, in either order).
double bisect(const Conduit& c, double Q, double below, double above) {
    for (int i = 0; i < 2200; ++i) { // enough to reach adjacent doubles from any bracket
        const double mid = below + (above - below) / 2.0;
        if (mid == below || mid == above)
            break;
        if (c.flowAt(mid) < Q)
            below = mid;
        else
            above = mid;
    }
    const double errBelow = std::fabs(c.flowAt(below) - Q);
    const double errAbove = std::fabs(c.flowAt(above) - Q);
    return errBelow < errAbove ? below : above;
}

} // namespace

NormalDepths normalDepths(const Conduit& c, double Q) {
    NormalDepths r;
    const double D = c.section().rise();
    r.peak = largestFlow(c);
    r.fullFlow = c.flowAt(D);
    if (!(Q > 0.0) || Q > r.peak.value)
        return r;
    r.lower = bisect(c, Q, 0.0, r.peak.depth);
    if (c.section().peaksBelowCrown() && Q > r.fullFlow)
        r.upper = bisect(c, Q, D, r.peak.depth);
    return r;
}

NormalDepths normalDepths(const Pipe& pipe, double Q) {
    return normalDepths(PipeConduit(pipe).conduit(), Q);
}

double twoDepthZoneStart(const Conduit& c) {
    const Peak peak = largestFlow(c);
    return bisect(c, c.flowAt(c.section().rise()), 0.0, peak.depth);
}

double twoDepthZoneStart(const Pipe& pipe) {
    return twoDepthZoneStart(PipeConduit(pipe).conduit());
}

} // namespace runnelex::elements
