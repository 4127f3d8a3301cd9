// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace runnelex::hydrocalc {

// A depth of the circular section where a smooth quantity crosses a level, found by Newton's
// method on the engine's formulas in plain doubles (no fault checks). The searches use it to
// know, without evaluating, on which side of a level the engine's own value at a depth lies.
struct Crossing {
    double depth = 0.0;
    double slope = 0.0;    // |d ln f / d ln y| at the depth
    double residual = 0.0; // f(depth) / level - 1 as the model computes it, at most 1e-8
    bool found = false;
};

// How far, relative, the engine's flow or Froude number at a depth of ratio r may lie from the
// exact value, or from the model's, with a wide safety factor. Rounding costs a few units in
// the last place, and near the invert the area's cancellation about 1e-16 / r; the bound is
// some hundred times both.
double certaintyMargin(double r);

// The depth in (0, top] at which A (A / P)^(2/3) reaches `level`: the flow divided by
// (1.486 / n) sqrt(S). It rises with the depth up to about 0.938 D.
Crossing conveyanceCrossing(double D, double level, double guess, double top);

// The depth in (0, D) at which the Froude number of the flow Q is 1. It falls with the depth.
Crossing criticalCrossing(double D, double Q);

} // namespace runnelex::hydrocalc
