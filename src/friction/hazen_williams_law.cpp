// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/hazen_williams_law.h"

#include "engine/arith.h"
#include "friction/law_table.h"

namespace runnelex::friction {

using namespace hydrocalc::checked;

const LawRow& HazenWilliamsLaw::row() const {
    return *lawNamed("hazen-williams");
}

double HazenWilliamsLaw::velocity(double R, double S) const {
    if (R <= 0.0)
        return 0.0;
    return mul(mul(k_, C_), mul(pow(R, 0.63), pow(S, 0.54)));
}

double HazenWilliamsLaw::slope(double V, double R) const {
    return pow(div(V, mul(mul(k_, C_), pow(R, 0.63))), 1.0 / 0.54);
}

} // namespace runnelex::friction

namespace runnelex::friction {

std::vector<std::string> HazenWilliamsLaw::formula(const NumberText& number) const {
    return {"Q = k C A R^0.63 S^0.54", "k = " + number(k_)};
}

std::vector<std::string> HazenWilliamsLaw::flowTerms(double A, double R, double S,
                                                     const NumberText& number) const {
    return {number(k_) + " × " + number(C_) + " × " + number(A) + " × " + number(R) + "^0.63 × " +
            number(S) + "^0.54"};
}

} // namespace runnelex::friction
