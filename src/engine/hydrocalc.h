// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/arith.h"

// Hydraulic engine: stateless functions on doubles, in one consistent unit system (the program
// passes ft, ft/ft and cfs). Every fault throws ArithmeticError.
namespace runnelex::hydrocalc {

// Section shape codes (16-bit, as the callers pass them).
using ShapeCode = std::int16_t;
inline constexpr ShapeCode kCircular = 0;
inline constexpr ShapeCode kRectangle = 1;

// Shows a modal notice to the user; the engine's only user-visible effect.
using Notify = std::function<void(const std::string&)>;

inline constexpr double kManningK = 1.486;
inline constexpr double kGravityFroude = 32.2;
inline constexpr double kGravityRect = 32.174;
inline constexpr double kNormalTop = 0.93;  // top of the normal-depth bracket, times D
inline constexpr double kNormalTol = 1e-06; // relative flow tolerance of the solver
inline constexpr int kNormalMaxPasses = 10000;
inline constexpr double kCritStep = 0.0001; // critical-depth march step, times D

// --- Geometry ---
double fArccos(double x);
double fTheta(double r);
double fAreaW(double D, double B, double d, ShapeCode shape);
double fPerimW(double D, double B, double d, ShapeCode shape);
double fRh(double A, double P);

// --- Manning flow and normal depth ---
double fVmanning(double n, double R, double S);
double fSfManning(double V, double R, double n);
// `passes`, when given, receives the number of bisection passes after the first evaluation.
// The same result and pass count bit for bit as the bisection below, and the same faults; a
// circular pipe's bisection is replayed from where its flow levels lie.
double fDnormal(double n, double D, double B, ShapeCode shape, double S, double Q,
                int* passes = nullptr);
// The bisection itself, evaluating the flow at every midpoint: the reference for the search.
double fDnormalBisection(double n, double D, double B, ShapeCode shape, double S, double Q,
                         int* passes = nullptr);

// --- Froude number and critical depth ---
double fFroude(double D, double d, double Q);
// An unknown shape code shows its notice through `notify`, then returns the circular result.
double fDcritical(double D, double B, double Q, ShapeCode shape, const Notify& notify);
// The march upward from the invert. It always ends:
//  - a flow already subcritical at the first step (Q = 0, or so small that the critical depth
//    lies below one ten-thousandth of D) returns that first step, the smallest depth the march
//    can resolve and the upper bound of the true critical depth;
//  - a flow still supercritical at the crown (only astronomically large flows) ends the march at
//    the crown and returns D.
// The same result bit for bit as the march below, and the same faults, found by bisecting over
// the march's own steps.
double fDcritCircular(double D, double Q);
// The march itself, step by step: the reference for the fast search.
double fDcritCircularMarch(double D, double Q);

inline constexpr const char* kShapeMessage =
    "Error in fDcritical: Shape improperly defined; calculating based on Circular!";

} // namespace runnelex::hydrocalc
