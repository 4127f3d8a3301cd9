// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "engine/arith.h"

namespace runnelex::test {

// What one call of an engine function gave: the bits of its result, or the fault it raised.
struct CallOutcome {
    bool faulted = false;
    std::uint64_t bits = 0;
    std::string fault;
    bool operator==(const CallOutcome&) const = default;
    std::string text() const { return faulted ? fault : std::to_string(bits); }
};

template <typename F> CallOutcome outcomeOf(F&& call) {
    CallOutcome o;
    try {
        const double y = call();
        std::memcpy(&o.bits, &y, sizeof y);
    } catch (const hydrocalc::ArithmeticError& e) {
        o.faulted = true;
        o.fault = e.what();
    }
    return o;
}

} // namespace runnelex::test
