// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace runnelex::friction {

// The kinematic viscosity of water (m^2/s) at a temperature in degrees C from 0 to 100: the
// dynamic viscosity of Vogel's equation as water tables fit it, mu = 2.414e-5 x
// 10^(247.8 / (T - 140)) Pa s with T in K, over the density of Tanaka's formula for water
// (Metrologia 38, 2001). Within 0.5 % of reference tables from 10 to 40 degrees C.
double waterViscosity(double celsius);

} // namespace runnelex::friction
