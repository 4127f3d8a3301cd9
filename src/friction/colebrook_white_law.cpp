// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/colebrook_white_law.h"

#include <cmath>

#include "engine/arith.h"
#include "friction/law_table.h"
#include "friction/slope_root.h"

namespace runnelex::friction {

using namespace hydrocalc::checked;

ColebrookWhiteLaw::ColebrookWhiteLaw(double k, double nu, UnitSystem system)
    : k_(k), nu_(nu), g_(system == UnitSystem::SI ? kGravitySi : kGravitySi / kFootInMetres) {}

double ColebrookWhiteLaw::defaultViscosity(UnitSystem system) {
    return system == UnitSystem::SI ? kDefaultNuSi : kDefaultNuSi / (kFootInMetres * kFootInMetres);
}

const LawRow& ColebrookWhiteLaw::row() const {
    return *lawNamed("colebrook");
}

double ColebrookWhiteLaw::velocity(double R, double S) const {
    if (R <= 0.0 || S <= 0.0)
        return 0.0;
    const double Dh = mul(4.0, R);
    const double a = sqrt(mul(mul(2.0 * g_, Dh), S));
    const double sum = add(div(k_, mul(3.7, Dh)), div(mul(2.51, nu_), mul(Dh, a)));
    const double V = mul(-2.0 * a, finite(std::log10(sum)));
    return V > 0.0 ? V : 0.0;
}

double ColebrookWhiteLaw::slopeGuess(double V, double R) const {
    // Swamee and Jain's explicit friction factor starts the search within a few per cent.
    const double Dh = mul(4.0, R);
    const double Re = div(mul(V, Dh), nu_);
    const double lg = finite(std::log10(add(div(k_, mul(3.7, Dh)), div(5.74, pow(Re, 0.9)))));
    const double f = div(0.25, mul(lg, lg));
    return div(mul(f, mul(V, V)), mul(2.0 * g_, Dh));
}

double ColebrookWhiteLaw::slope(double V, double R) const {
    return slopeReaching(*this, V, R, slopeGuess(V, R));
}

void ColebrookWhiteLaw::checkSlope(double V, double R) const {
    // Between two slopes where the velocity did not fault it cannot: the root and the products
    // grow with the slope and stay below their values at the higher one, the logarithm's
    // argument falls and stays above its value there, and -2 a log10 stays far inside the
    // range (a is below 1e155).
    slopeBracket(*this, V, R, slopeGuess(V, R));
}

} // namespace runnelex::friction

namespace runnelex::friction {

std::vector<std::string> ColebrookWhiteLaw::formula(const NumberText& number) const {
    return {"Q = V A, V = −2 a log10(k/(3.7 D) + 2.51 ν/(D a)), a = (2 g D S)^(1/2), D = 4 R",
            "g = " + number(g_) + ", ν = " + number(nu_) + ", k = " + number(k_)};
}

std::vector<std::string> ColebrookWhiteLaw::flowTerms(double A, double R, double S,
                                                      const NumberText& number) const {
    const double Dh = mul(4.0, R);
    const double a = sqrt(mul(mul(2.0 * g_, Dh), S));
    const std::string D = number(Dh), root = number(a);
    return {"D = 4 × " + number(R) + " = " + D,
            "a = (2 × " + number(g_) + " × " + D + " × " + number(S) + ")^(1/2) = " + root,
            "V = −2 × " + root + " × log10(" + number(k_) + "/(3.7 × " + D + ") + 2.51 × " +
                number(nu_) + "/(" + D + " × " + root + ")) = " + number(velocity(R, S)),
            number(velocity(R, S)) + " × " + number(A)};
}

} // namespace runnelex::friction
