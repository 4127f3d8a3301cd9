// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace runnelex::hydrocalc {

// The normal-depth bisection of a circular pipe, replayed from where its flow levels lie: a
// midpoint whose flow is certainly below, inside or above the tolerance band around Q is decided
// without evaluating it, and only a midpoint too near a band edge is evaluated as the bisection
// does. False when the pipe lies outside the range where that certainty holds (or no fault can
// happen); the caller then bisects.
bool searchNormalDepthCircle(double n, double D, double S, double Q, double& depth, int& passes);

} // namespace runnelex::hydrocalc
