// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/arith.h"

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
    // Faults as slope(V, R) and showing its value do, for those who show no slope: a law may
    // skip what cannot fault once the search's bracket is found.
    virtual void checkSlope(double V, double R) const { hydrocalc::checked::finite(slope(V, R)); }
    // The coefficient as the law takes it (Manning's n, ...).
    virtual double coefficient() const = 0;
    // Manning's n when this is the engine's own Manning equation (US customary, 1.486), whose
    // normal-depth bisection the circular pipe keeps; nothing for every other law and system.
    virtual const double* engineManningN() const { return nullptr; }

    // A number as a calculation sheet writes it.
    using NumberText = std::function<std::string(double)>;
    // The law in symbols, then its constants with their values in this system of units:
    // "Q = (k/n) A R^(2/3) S^(1/2)", "k = 1.486".
    virtual std::vector<std::string> formula(const NumberText& number) const = 0;
    // The flow of area A at hydraulic radius R and slope S with the numbers put in, as a
    // checker follows it: any coefficient the law computes first, each on a line of its own
    // ("C = ... = 97.7"), then the product that gives the flow, without "Q =" and its value.
    virtual std::vector<std::string> flowTerms(double A, double R, double S,
                                               const NumberText& number) const = 0;
};

} // namespace runnelex::friction
