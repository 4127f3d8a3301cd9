// SPDX-License-Identifier: GPL-3.0-or-later
// The fast critical depth against the march it stands for: the same depth bit for bit and the
// same faults, for any pipe and flow, above all flows that stop the march right at a step.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/hydrocalc.h"
#include "fuzz_check.h"
#include "fuzz_doubles.h"
#include "support/call_outcome.h"

namespace {

using namespace runnelex::hydrocalc;
using runnelex::fuzz::require;

double fromBits(std::uint64_t bits) {
    double d = 0.0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// The steps of the march, by plain repeated addition, up to the first at or above D. One
// buffer for the whole run: the fuzzer calls this for every input.
const std::vector<double>& marchSteps(double D) {
    static std::vector<double> ys;
    const double h = kCritStep * D;
    ys.assign(1, h);
    while (ys.back() < D && ys.size() < 20000)
        ys.push_back(ys.back() + h);
    return ys;
}

// Whether the march goes on past the depth y: (F0 - 1)(F(y) - 1) > 0.
bool continuesAt(double D, double y, double Q, double f0) {
    return (f0 - 1.0) * (fFroude(D, y, Q) - 1.0) > 0.0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    const bool ordinary = fdp.ConsumeBool();
    const double D = ordinary ? std::pow(10.0, fdp.ConsumeFloatingPointInRange(-4.0, 4.0))
                              : runnelex::fuzz::anyDouble(fdp);
    double Q = 0.0;
    if (fdp.ConsumeBool() && std::isfinite(D) && D > 0.0 && D < 1e150) {
        // A flow right at the boundary of one step: F(y_j) = 1 give or take a few ulps.
        const std::vector<double>& ys = marchSteps(D);
        const auto j = fdp.ConsumeIntegralInRange<std::size_t>(0, ys.size() - 1);
        try {
            Q = 1.0 / fFroude(D, ys[j], 1.0);
        } catch (const ArithmeticError&) {
            return 0;
        }
        std::uint64_t bits = 0;
        std::memcpy(&bits, &Q, sizeof Q);
        Q = fromBits(bits + static_cast<std::uint64_t>(fdp.ConsumeIntegralInRange(-8, 8)));
    } else {
        Q = runnelex::fuzz::anyDouble(fdp);
    }
    const std::string args = runnelex::fuzz::describe({D, Q});

    const runnelex::test::CallOutcome fast =
        runnelex::test::outcomeOf([&] { return fDcritCircular(D, Q); });
    // The march costs up to 10 000 evaluations: a full comparison for one input in 64 and for
    // every fault, and for every input the conditions of the stop around the depth found.
    if (fdp.ConsumeIntegralInRange(0, 63) == 0 || fast.faulted) {
        const runnelex::test::CallOutcome march =
            runnelex::test::outcomeOf([&] { return fDcritCircularMarch(D, Q); });
        require(fast == march, "the fast critical depth is the march's, fault for fault",
                args + " fast " + fast.fault + " march " + march.fault);
        return 0;
    }
    const double y = fromBits(fast.bits);
    const double h = kCritStep * D;
    const double f0 = fFroude(D, h, Q);
    if (f0 < 1.0) {
        require(y == h, "a flow subcritical at the first step gives that step", args);
        return 0;
    }
    require(std::isfinite(y) && y > 0.0, "a critical depth is a positive number", args);
    const std::vector<double>& ys = marchSteps(D);
    std::size_t k = 0;
    while (k < ys.size() && ys[k] != y)
        ++k;
    if (k == ys.size()) {
        require(y == D, "a critical depth is a step of the march or the crown", args);
        return 0;
    }
    require(k >= 1, "the march stops at its second step at the earliest", args);
    if (y != D || !continuesAt(D, y, Q, f0))
        require(!continuesAt(D, y, Q, f0), "the march stops at the depth found", args);
    // Every earlier step from the second goes on: the step just before, and a sample.
    if (k >= 2)
        require(continuesAt(D, ys[k - 1], Q, f0), "the step before the stop goes on", args);
    for (int i = 0; i < 16 && k >= 2; ++i) {
        const auto j = fdp.ConsumeIntegralInRange<std::size_t>(1, k - 1);
        require(continuesAt(D, ys[j], Q, f0), "no earlier step stops the march", args);
    }
    return 0;
}
