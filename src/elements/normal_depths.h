// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "elements/hydraulic_elements.h"

namespace runnelex::elements {

// The depths at which a circular pipe carries a flow in uniform flow. The flow rises with the
// depth up to the largest open-channel flow and then falls to the full-pipe flow at the crown,
// so a flow above the full-pipe flow and no larger than the largest one has two normal depths:
// the lower one on the rising limb, the upper one between the peak and the crown.
struct NormalDepths {
    std::optional<double> lower; // ft; none for a flow of 0 or above the largest open-channel flow
    std::optional<double> upper; // ft; only for flows above the full-pipe flow
    Peak peak;                   // the largest open-channel flow and its depth
    double fullFlow = 0.0;       // cfs, the flow of the pipe flowing full
};

// Both roots of Manning's flow = Q, each bisected on its own limb until the bracket cannot
// shrink in double precision; each is the closer of the bracket's two ends.
NormalDepths normalDepths(const Pipe& pipe, double Q);

// The depth on the rising limb where the flow first equals the full-pipe flow (about 0.82 D):
// above it, up to the crown, lie the depths of the flows that have two normal depths.
double twoDepthZoneStart(const Pipe& pipe);

} // namespace runnelex::elements
