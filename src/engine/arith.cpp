// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/arith.h"

#include <cmath>

namespace runnelex::hydrocalc::checked {

namespace {
const char* const kOverflow = "Overflow";
const char* const kDivByZero = "Division by zero";
const char* const kInvalid = "Invalid operation";
} // namespace

double finite(double x) {
    if (std::isnan(x))
        throw ArithmeticError(kInvalid);
    if (std::isinf(x))
        throw ArithmeticError(kOverflow);
    return x;
}

double div(double a, double b) {
    if (b == 0.0)
        throw ArithmeticError(kDivByZero);
    return finite(a / b);
}

double mul(double a, double b) {
    return finite(a * b);
}
double add(double a, double b) {
    return finite(a + b);
}
double sub(double a, double b) {
    return finite(a - b);
}

double sqrt(double x) {
    if (x < 0.0)
        throw ArithmeticError(kInvalid);
    return std::sqrt(x);
}

double pow(double base, double exponent) {
    // A zero base with a negative exponent is a pole, reported like a division by zero.
    if (base == 0.0 && exponent < 0.0)
        throw ArithmeticError(kDivByZero);
    return finite(std::pow(base, exponent));
}

} // namespace runnelex::hydrocalc::checked
