// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace runnelex::fuzz {

// Any double: a raw bit pattern (every NaN, infinity, subnormal and extreme), one of the
// values where arithmetic changes its nature, or an ordinary engineering magnitude, so that
// the fuzzer reaches the deep paths of a calculation as well as its edges.
inline double anyDouble(FuzzedDataProvider& fdp) {
    using L = std::numeric_limits<double>;
    static constexpr double kSpecial[] = {0.0,
                                          -0.0,
                                          1.0,
                                          -1.0,
                                          0.5,
                                          0.93,
                                          L::min(),
                                          -L::min(),
                                          L::denorm_min(),
                                          -L::denorm_min(),
                                          L::max(),
                                          -L::max(),
                                          L::infinity(),
                                          -L::infinity(),
                                          L::quiet_NaN(),
                                          L::epsilon(),
                                          1e-300,
                                          1e300,
                                          1e-154,
                                          1e154,
                                          0.0001,
                                          12.0};
    switch (fdp.ConsumeIntegralInRange(0, 3)) {
    case 0: {
        const auto bits = fdp.ConsumeIntegral<std::uint64_t>();
        double d = 0.0;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    case 1:
        return fdp.PickValueInArray(kSpecial);
    case 2:
        return fdp.ConsumeFloatingPointInRange(1e-4, 1e4);
    default:
        return fdp.ConsumeFloatingPoint<double>();
    }
}

} // namespace runnelex::fuzz
