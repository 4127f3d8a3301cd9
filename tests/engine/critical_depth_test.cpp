// SPDX-License-Identifier: GPL-3.0-or-later
// The fast critical depth against the march it replaces, bit for bit and fault for fault.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "engine/hydrocalc.h"
#include "engine/march_steps.h"
#include "support/call_outcome.h"

namespace runnelex::hydrocalc {
namespace {

using test::CallOutcome;
using test::outcomeOf;

// The flow that puts the Froude number at exactly 1 at depth y (F grows linearly with Q).
double flowCriticalAt(double D, double y) {
    return 1.0 / fFroude(D, y, 1.0);
}

// y(k) of the march by plain repeated addition.
double marchStep(double h, std::int64_t k) {
    double y = h;
    for (std::int64_t i = 1; i < k; ++i)
        y = y + h;
    return y;
}

// Pipes and flows chosen to break a fast search: the flow right at a step's boundary, the first
// step barely super- or subcritical, the crown, the edges of the fault-free range, and plain
// random ones over many decades.
class PipeSampler {
public:
    explicit PipeSampler(std::uint64_t seed) : rng_(seed) {}

    std::pair<double, double> next() {
        const double D = std::pow(10.0, uniform(-3, 3));
        const double h = kCritStep * D;
        switch (counter_++ % 8) {
        case 0: // the critical depth anywhere in the pipe
            return {D, flowCriticalAt(D, uniform(0.0002, 0.9999) * D)};
        case 1: { // a flow a few units in the last place around a step's critical flow
            const auto k = static_cast<std::int64_t>(uniform(2, 10001));
            const double q = flowCriticalAt(D, marchStep(h, k));
            return {D, q * (1.0 + ulps() * 0x1p-52)};
        }
        case 2: // the first step barely super- or subcritical
            return {D, flowCriticalAt(D, h) * (1.0 + ulps() * 0x1p-52)};
        case 3: // the crown: critical in the last steps, or never
            return {D, flowCriticalAt(D, D * (1.0 - uniform(0, 3e-4))) * uniform(0.5, 1e6)};
        case 4: // flows over many decades, from subcritical at the first step to beyond the crown
            return {D, std::pow(10.0, uniform(-14, 14)) * std::pow(D, 2.5)};
        case 5: { // near the edges of the range no step can fault in
            const double edge = std::pow(10.0, uniform(-1, 1)) * (bernoulli() ? 1e-30 : 1e30);
            return {edge, flowCriticalAt(edge, uniform(0.0002, 0.9999) * edge)};
        }
        case 6: { // Q^2 D around 1e300, where the search hands over to the march
            const double big = std::pow(10.0, uniform(-30, 30));
            return {big, std::sqrt(1e300 / big) * uniform(0.5, 2)};
        }
        default: // the same, and faults: overflow, a zero or negative diameter, no flow
            return {std::pow(10.0, uniform(-200, 200)) * (bernoulli() ? 1 : -1),
                    bernoulli() ? 0.0 : std::pow(10.0, uniform(-200, 200))};
        }
    }

private:
    double uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng_); }
    bool bernoulli() { return std::bernoulli_distribution(0.5)(rng_); }
    double ulps() { return static_cast<double>(std::uniform_int_distribution<>(-4, 4)(rng_)); }

    std::mt19937_64 rng_;
    unsigned counter_ = 0;
};

// A few thousand pipes in every test run; RUNNELEX_DCRIT_PIPES sets the count of a long run.
long pipeCount() {
    const char* env = std::getenv("RUNNELEX_DCRIT_PIPES");
    return env ? std::atol(env) : 3000;
}

TEST(CriticalDepthSearch, SameAsTheMarchForEveryPipe) {
    const long count = pipeCount();
    PipeSampler pipes(20261207);
    long faults = 0, mismatches = 0;
    for (long i = 0; i < count; ++i) {
        const auto [D, Q] = pipes.next();
        const CallOutcome fast = outcomeOf([&] { return fDcritCircular(D, Q); });
        const CallOutcome march = outcomeOf([&] { return fDcritCircularMarch(D, Q); });
        faults += march.faulted;
        if (!(fast == march) && ++mismatches <= 10)
            ADD_FAILURE() << "D " << D << " Q " << Q << std::hexfloat << ": fast " << fast.text()
                          << ", march " << march.text();
    }
    EXPECT_EQ(mismatches, 0);
    std::printf("%ld pipes compared, %ld of them faulting, %ld mismatches\n", count, faults,
                mismatches);
}

TEST(CriticalDepthSearch, DecidedBranchesAndFaults) {
    const struct {
        const char* name;
        double D, Q;
    } cases[] = {
        {"no flow", 1, 0},
        {"subcritical at the first step", 1, 1e-8},
        {"supercritical at the crown", 1, 1e10},
        {"worked example", 1, 2.0000011},
        {"zero diameter", 0, 1},
        {"negative diameter", -1, 1},
        {"square of the flow overflows", 1, 1e200},
        {"not a number", 1, std::nan("")},
        {"infinite flow", 1, INFINITY},
        {"tiny pipe, area cubed underflows", 1e-120, 1e-200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outcomeOf([&] { return fDcritCircular(c.D, c.Q); }),
                  outcomeOf([&] { return fDcritCircularMarch(c.D, c.Q); }));
    }
}

TEST(CriticalDepthSearch, FroudeExactlyOneAtTheFirstStep) {
    for (const double D : {0.5, 1.0, 3.0, 7.0, 12.0}) {
        const double h = kCritStep * D;
        double q = flowCriticalAt(D, h);
        for (int i = 0; i < 64 && fFroude(D, h, q) != 1.0; ++i)
            q = std::nextafter(q, fFroude(D, h, q) < 1.0 ? 1e300 : 0.0);
        if (fFroude(D, h, q) != 1.0)
            continue;
        EXPECT_EQ(fDcritCircular(D, q), h + h) << D;
    }
}

// The closed form of the steps against real repeated addition, for diameters whose step is
// often half-way between grid points (ties) and for random ones.
TEST(MarchStepsTest, EveryStepEqualsTheRepeatedSum) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<> exponent(-40, 40);
    for (int i = 0; i < 300; ++i) {
        // Diameters with few significant bits make the step land on ties often.
        const double D = i % 2 ? std::pow(10.0, exponent(rng))
                               : std::ldexp(static_cast<double>(1 + i % 97), i % 60 - 30);
        const double h = kCritStep * D;
        const MarchSteps steps(h, D);
        ASSERT_TRUE(steps.ok());
        double y = h;
        std::int64_t k = 1;
        for (; y < D; ++k, y = y + h)
            ASSERT_EQ(steps.at(k), y) << "D " << D << " step " << k;
        ASSERT_EQ(steps.at(k), y) << "D " << D << " step " << k;
        EXPECT_EQ(steps.last(), k) << "D " << D;
    }
}

} // namespace
} // namespace runnelex::hydrocalc
