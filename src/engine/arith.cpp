// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/arith.h"

namespace runnelex::hydrocalc::checked {

void raise(Fault fault) {
    switch (fault) {
    case Fault::Overflow:
        throw ArithmeticError("Overflow");
    case Fault::DivByZero:
        throw ArithmeticError("Division by zero");
    case Fault::Invalid:
        break;
    }
    throw ArithmeticError("Invalid operation");
}

} // namespace runnelex::hydrocalc::checked
