// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace runnelex::hydrocalc {

// The one error type of the engine: an overflow, a division by zero or an invalid operation in
// any step. Operands and results are checked explicitly, never through floating-point exception
// flags, so the optimiser cannot move a fault past its check.
class ArithmeticError : public std::runtime_error {
public:
    explicit ArithmeticError(const std::string& description) : std::runtime_error(description) {}
};

namespace checked {

// Each returns the IEEE result or throws ArithmeticError with a short description.
double div(double a, double b);
double mul(double a, double b);
double add(double a, double b);
double sub(double a, double b);
double sqrt(double x);
double pow(double base, double exponent);
// A result formed by other means (a library function) that must be a finite number.
double finite(double x);

} // namespace checked
} // namespace runnelex::hydrocalc
