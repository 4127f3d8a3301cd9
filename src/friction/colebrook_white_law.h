// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/unit_system.h"
#include "friction/friction_law.h"

namespace runnelex::friction {

// Darcy and Weisbach's equation with Colebrook and White's friction factor, the hydraulic
// diameter 4R standing for the pipe's: V = -2 sqrt(8 g R S) log10(k / (14.8 R) + 2.51 nu /
// (4 R sqrt(8 g R S))). Explicit in V; the slope a velocity needs is the root of the same
// equation. g is 9.80665 m/s^2, in ft/s^2 the same divided by 0.3048, so that both systems give
// a pipe the same answer. Where the logarithm turns negative (a film of water, the laminar
// range the equation does not cover) no flow is taken.
class ColebrookWhiteLaw final : public FrictionLaw {
public:
    static constexpr double kGravitySi = 9.80665;
    static constexpr double kFootInMetres = 0.3048;
    // Water at 15 degrees C, as design tables take it.
    static constexpr double kDefaultNuSi = 1.141e-6;

    // k in the system's length (m or ft), nu in m^2/s or ft^2/s.
    ColebrookWhiteLaw(double k, double nu, UnitSystem system);
    const LawRow& row() const override;
    double velocity(double R, double S) const override;
    double slope(double V, double R) const override;
    void checkSlope(double V, double R) const override;
    std::vector<std::string> formula(const NumberText& number) const override;
    std::vector<std::string> flowTerms(double A, double R, double S,
                                       const NumberText& number) const override;
    double coefficient() const override { return k_; }
    double viscosity() const { return nu_; }
    static double defaultViscosity(UnitSystem system);

private:
    // Where the search for the slope of V starts.
    double slopeGuess(double V, double R) const;
    double k_, nu_, g_;
};

} // namespace runnelex::friction
