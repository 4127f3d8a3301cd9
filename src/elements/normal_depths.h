// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "elements/hydraulic_elements.h"

namespace runnelex::elements {

// The depths at which a conduit carries a flow in uniform flow. Where the flow peaks below the
// crown it rises with the depth up to the largest open-channel flow and then falls to the full
// flow at the crown, so a flow above the full flow and no larger than the largest one has two
// normal depths: the lower one on the rising limb, the upper one between the peak and the crown.
struct NormalDepths {
    std::optional<double> lower; // none for a flow of 0 or above the largest open-channel flow
    std::optional<double> upper; // only for flows above the full flow, below a peak
    Peak peak;                   // the largest open-channel flow and its depth
    double fullFlow = 0.0;       // the flow of the conduit flowing full
};

// Both roots of the flow = Q, each bisected on its own limb until the bracket cannot shrink in
// double precision; each is the closer of the bracket's two ends.
NormalDepths normalDepths(const hydraulics::Conduit& c, double Q);
NormalDepths normalDepths(const Pipe& pipe, double Q);

// The depth on the rising limb where the flow first equals the full flow (about 0.82 D for a
// circle): above it, up to the crown, lie the depths of the flows that have two normal depths.
double twoDepthZoneStart(const hydraulics::Conduit& c);
double twoDepthZoneStart(const Pipe& pipe);

} // namespace runnelex::elements
