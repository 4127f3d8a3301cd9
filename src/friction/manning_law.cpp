// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/manning_law.h"

#include "engine/arith.h"
#include "friction/law_table.h"

namespace runnelex::friction {

using namespace hydrocalc::checked;

const LawRow& ManningLaw::row() const {
    return defaultLaw();
}

double ManningLaw::velocity(double R, double S) const {
    const double rootS = sqrt(S);
    const double product = mul(pow(R, 2.0 / 3.0), rootS);
    return mul(div(k_, n_), product);
}

double ManningLaw::slope(double V, double R) const {
    const double vn = div(mul(V, n_), k_);
    return pow(div(vn, pow(R, 2.0 / 3.0)), 2.0);
}

} // namespace runnelex::friction

namespace runnelex::friction {

std::vector<std::string> ManningLaw::formula(const NumberText& number) const {
    return {"Q = (k/n) A R^(2/3) S^(1/2)", "k = " + number(k_)};
}

std::vector<std::string> ManningLaw::flowTerms(double A, double R, double S,
                                               const NumberText& number) const {
    return {number(k_) + "/" + number(n_) + " × " + number(A) + " × " + number(R) + "^(2/3) × " +
            number(S) + "^(1/2)"};
}

} // namespace runnelex::friction
