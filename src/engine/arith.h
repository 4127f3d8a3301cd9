// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
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

enum class Fault { Overflow, DivByZero, Invalid };
// Throws ArithmeticError with the fault's short description; kept out of line, off the hot path.
[[noreturn]] void raise(Fault fault);

// Each returns the IEEE result or throws ArithmeticError with a short description. Inline: the
// solvers call them millions of times, and the checks cost less than the calls.

// A result formed by other means (a library function) that must be a finite number.
inline double finite(double x) {
    if (std::isnan(x)) [[unlikely]]
        raise(Fault::Invalid);
    if (std::isinf(x)) [[unlikely]]
        raise(Fault::Overflow);
    return x;
}

inline double div(double a, double b) {
    if (b == 0.0) [[unlikely]]
        raise(Fault::DivByZero);
    return finite(a / b);
}

inline double mul(double a, double b) {
    return finite(a * b);
}
inline double add(double a, double b) {
    return finite(a + b);
}
inline double sub(double a, double b) {
    return finite(a - b);
}

inline double sqrt(double x) {
    if (x < 0.0) [[unlikely]]
        raise(Fault::Invalid);
    return std::sqrt(x);
}

inline double pow(double base, double exponent) {
    // A zero base with a negative exponent is a pole, reported like a division by zero.
    if (base == 0.0 && exponent < 0.0) [[unlikely]]
        raise(Fault::DivByZero);
    return finite(std::pow(base, exponent));
}

} // namespace checked
} // namespace runnelex::hydrocalc
