// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/kutter_law.h"

#include <cmath>

#include "engine/arith.h"
#include "friction/law_table.h"
#include "friction/slope_root.h"

namespace runnelex::friction {

using namespace hydrocalc::checked;

KutterLaw::KutterLaw(double n, UnitSystem system)
    : n_(n), a_(system == UnitSystem::SI ? 23.0 : 41.65),
      b_(system == UnitSystem::SI ? 1.0 : 1.811), c_(system == UnitSystem::SI ? 0.00155 : 0.00281) {
}

const LawRow& KutterLaw::row() const {
    return *lawNamed("kutter");
}

double KutterLaw::chezyC(double R, double S) const {
    const double slopeTerm = add(a_, div(c_, S));
    const double top = add(slopeTerm, div(b_, n_));
    return div(top, add(1.0, div(mul(slopeTerm, n_), sqrt(R))));
}

double KutterLaw::velocity(double R, double S) const {
    if (R <= 0.0)
        return 0.0;
    return mul(chezyC(R, S), sqrt(mul(R, S)));
}

double KutterLaw::slopeGuess(double V, double R) const {
    // Chezy's C at a middling slope gives the start; C hardly moves with the slope.
    const double C = chezyC(R, 1e-3);
    return div(mul(V, V), mul(mul(C, C), R));
}

double KutterLaw::slope(double V, double R) const {
    return slopeReaching(*this, V, R, slopeGuess(V, R));
}

void KutterLaw::checkSlope(double V, double R) const {
    const SlopeBracket b = slopeBracket(*this, V, R, slopeGuess(V, R));
    // Above the bracket's foot every sum and quotient of C stays below its value there and C
    // below the numerator, the root of R S below its value at the top: only the product could
    // overflow, and where it cannot the search is skipped.
    if (b.search && !(add(add(a_, div(c_, b.lo)), div(b_, n_)) * std::sqrt(R * b.hi) < 1e300))
        slope(V, R);
}

} // namespace runnelex::friction

namespace runnelex::friction {

std::vector<std::string> KutterLaw::formula(const NumberText& number) const {
    return {"Q = C A (R S)^(1/2), C = (a + b/n + c/S) / (1 + (a + c/S) n / R^(1/2))",
            "a = " + number(a_) + ", b = " + number(b_) + ", c = " + number(c_)};
}

std::vector<std::string> KutterLaw::flowTerms(double A, double R, double S,
                                              const NumberText& number) const {
    const std::string a = number(a_), c = number(c_) + "/" + number(S);
    return {"C = (" + a + " + " + number(b_) + "/" + number(n_) + " + " + c + ") / (1 + (" + a +
                " + " + c + ") × " + number(n_) + " / " + number(R) +
                "^(1/2)) = " + number(chezyC(R, S)),
            number(chezyC(R, S)) + " × " + number(A) + " × (" + number(R) + " × " + number(S) +
                ")^(1/2)"};
}

} // namespace runnelex::friction
