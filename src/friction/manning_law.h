// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "friction/friction_law.h"

namespace runnelex::friction {

// Manning's equation V = (k / n) R^(2/3) S^(1/2): k = 1.486 in ft and s, 1 in m and s.
class ManningLaw final : public FrictionLaw {
public:
    static constexpr double kUsCustomaryK = 1.486;
    static constexpr double kMetricK = 1.0;

    ManningLaw(double n, double k) : n_(n), k_(k) {}
    const LawRow& row() const override;
    // In the engine's order of operations, so the US customary pipe keeps its digits.
    double velocity(double R, double S) const override;
    double slope(double V, double R) const override;
    std::vector<std::string> formula(const NumberText& number) const override;
    std::vector<std::string> flowTerms(double A, double R, double S,
                                       const NumberText& number) const override;
    double coefficient() const override { return n_; }
    const double* engineManningN() const override { return k_ == kUsCustomaryK ? &n_ : nullptr; }

private:
    double n_, k_;
};

} // namespace runnelex::friction
