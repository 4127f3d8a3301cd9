// SPDX-License-Identifier: GPL-3.0-or-later
#include "elements/normal_depths.h"

#include <cmath>

namespace runnelex::elements {

namespace {

// The depth in [lo, hi] where the flow equals Q, given that the flow is below Q at `below`
// and at or above it at `above` (the two ends of the bracket, in either order).
double bisect(const Pipe& pipe, double Q, double below, double above) {
    for (int i = 0; i < 2200; ++i) { // enough to reach adjacent doubles from any bracket
        const double mid = below + (above - below) / 2.0;
        if (mid == below || mid == above)
            break;
        if (flowAtDepth(pipe, mid) < Q)
            below = mid;
        else
            above = mid;
    }
    const double errBelow = std::fabs(flowAtDepth(pipe, below) - Q);
    const double errAbove = std::fabs(flowAtDepth(pipe, above) - Q);
    return errBelow < errAbove ? below : above;
}

} // namespace

NormalDepths normalDepths(const Pipe& pipe, double Q) {
    NormalDepths r;
    r.peak = largestFlow(pipe);
    r.fullFlow = flowAtDepth(pipe, pipe.D);
    if (!(Q > 0.0) || Q > r.peak.value)
        return r;
    r.lower = bisect(pipe, Q, 0.0, r.peak.depth);
    if (Q > r.fullFlow)
        r.upper = bisect(pipe, Q, pipe.D, r.peak.depth);
    return r;
}

double twoDepthZoneStart(const Pipe& pipe) {
    const Peak peak = largestFlow(pipe);
    return bisect(pipe, flowAtDepth(pipe, pipe.D), 0.0, peak.depth);
}

} // namespace runnelex::elements
