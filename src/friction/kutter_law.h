// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/unit_system.h"
#include "friction/friction_law.h"

namespace runnelex::friction {

// Ganguillet and Kutter's formula: V = C sqrt(R S) with
// C = (a + b/n + c/S) / (1 + (a + c/S) n / sqrt(R)); a, b, c = 23, 1, 0.00155 in m and s, the
// published 41.65, 1.811, 0.00281 in ft and s (rounded: the same pipe differs in the fourth
// digit between the systems).
class KutterLaw final : public FrictionLaw {
public:
    KutterLaw(double n, UnitSystem system);
    const LawRow& row() const override;
    double velocity(double R, double S) const override;
    double slope(double V, double R) const override;
    void checkSlope(double V, double R) const override;
    std::vector<std::string> formula(const NumberText& number) const override;
    std::vector<std::string> flowTerms(double A, double R, double S,
                                       const NumberText& number) const override;
    double coefficient() const override { return n_; }
    // Chezy's C at a hydraulic radius and a slope.
    double chezyC(double R, double S) const;

private:
    // Where the search for the slope of V starts.
    double slopeGuess(double V, double R) const;
    double n_, a_, b_, c_;
};

} // namespace runnelex::friction
