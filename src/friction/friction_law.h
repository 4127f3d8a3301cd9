// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace runnelex::friction {

struct LawRow;

// A friction law with its coefficient, in one system of units: the mean velocity of uniform flow
// for a hydraulic radius and a slope, and the slope of the energy line a velocity needs. Faults
// throw hydrocalc::ArithmeticError.
class FrictionLaw {
public:
    virtual ~FrictionLaw() = default;
    virtual const LawRow& row() const = 0;
    virtual double velocity(double R, double S) const = 0;
    // The slope at which the law gives the velocity V for the hydraulic radius R.
    virtual double slope(double V, double R) const = 0;
    // The coefficient as the law takes it (Manning's n, ...).
    virtual double coefficient() const = 0;
    // Manning's n when this is the engine's own Manning equation (US customary, 1.486), whose
    // normal-depth bisection the circular pipe keeps; nothing for every other law and system.
    virtual const double* engineManningN() const { return nullptr; }
};

} // namespace runnelex::friction
