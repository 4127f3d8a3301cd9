// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/unit_system.h"
#include "friction/friction_law.h"

namespace runnelex::friction {

// Hazen and Williams's formula V = k C R^0.63 S^0.54, k = 1.318 in ft and s and 0.849 in m and
// s, as the texts print them (the exact conversion of 1.318 is 0.849182).
class HazenWilliamsLaw final : public FrictionLaw {
public:
    static constexpr double kUsCustomaryK = 1.318;
    static constexpr double kMetricK = 0.849;

    HazenWilliamsLaw(double C, UnitSystem system)
        : C_(C), k_(system == UnitSystem::SI ? kMetricK : kUsCustomaryK) {}
    const LawRow& row() const override;
    double velocity(double R, double S) const override;
    double slope(double V, double R) const override;
    std::vector<std::string> formula(const NumberText& number) const override;
    std::vector<std::string> flowTerms(double A, double R, double S,
                                       const NumberText& number) const override;
    double coefficient() const override { return C_; }

private:
    double C_, k_;
};

} // namespace runnelex::friction
