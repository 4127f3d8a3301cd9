// SPDX-License-Identifier: GPL-3.0-or-later
// The normal-depth search against the bisection it replays: depth, pass count and fault.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "engine/hydrocalc.h"
#include "support/call_outcome.h"

namespace runnelex::hydrocalc {
namespace {

using test::CallOutcome;
using test::outcomeOf;

struct Pipe {
    double n, D, S, Q;
};

// The bisection's own flow at depth y.
double flowAt(const Pipe& p, double y) {
    const double A = fAreaW(p.D, 0, y, kCircular);
    return fVmanning(p.n, fRh(A, fPerimW(p.D, 0, y, kCircular)), p.S) * A;
}

// Pipes and flows chosen to break a replay: a flow whose band edge falls on the very midpoint
// the bisection stops at, flows at the top of the bracket and above it, flows over many decades
// down to the invert, the edges of the range the search takes, and faults.
class PipeSampler {
public:
    explicit PipeSampler(std::uint64_t seed) : rng_(seed) {}

    Pipe next() {
        Pipe p{uniform(0.009, 0.03), std::pow(10.0, uniform(-3, 3)), std::pow(10.0, uniform(-6, 0)),
               0};
        const double top = kNormalTop * p.D;
        const unsigned slot = counter_++ % 32;
        if (slot < 8) { // the normal depth anywhere in the bracket
            p.Q = flowAt(p, uniform(1e-4, 1) * top);
        } else if (slot < 16) { // the depth the bisection stops at, ulps off an edge of the band
            p.Q = flowAt(p, uniform(1e-3, 1) * top);
            const double y = fDnormalBisection(p.n, p.D, 0, kCircular, p.S, p.Q);
            const double edge = bernoulli() ? 1 - kNormalTol : 1 + kNormalTol;
            p.Q = flowAt(p, y) / edge * (1 + ulps() * 0x1p-52);
        } else if (slot < 18) { // the flow at the top, its band edges, and now and then above
            p.Q = flowAt(p, top) * (1 + (counter_ % 256 == 17 ? 0.01 : 0) +
                                    kNormalTol * ulps() / 4 + ulps() * 0x1p-52);
        } else if (slot < 23) { // flows over many decades, down to depths of 1e-7 D
            p.Q = std::pow(10.0, uniform(-16, 0)) * flowAt(p, top);
        } else if (slot < 26) { // near the edges of the range the search takes
            const double edge = bernoulli() ? 1e-50 : 1e50;
            p.D = edge * std::pow(10.0, uniform(-0.5, 0.5));
            p.n = bernoulli() ? p.n : edge * std::pow(10.0, uniform(-0.5, 0.5));
            p.Q = flowAt(p, uniform(1e-3, 1) * kNormalTop * p.D);
        } else if (slot < 31) { // n and S from any decade, flows from far below the top's to above
            p.n = std::pow(10.0, uniform(-60, 60));
            p.S = std::pow(10.0, uniform(-120, 120));
            p.Q = std::pow(10.0, uniform(-16, 0.01)) * flowAt(p, top);
        } else { // faults: zero or negative inputs, squares that overflow, not a number
            p = {pick(), std::pow(10.0, uniform(-200, 200)) * (bernoulli() ? 1 : -1), pick(),
                 pick()};
        }
        return p;
    }

private:
    double uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng_); }
    bool bernoulli() { return std::bernoulli_distribution(0.5)(rng_); }
    double ulps() { return static_cast<double>(std::uniform_int_distribution<>(-4, 4)(rng_)); }
    double pick() {
        switch (std::uniform_int_distribution<>(0, 5)(rng_)) {
        case 0:
            return 0.0;
        case 1:
            return -uniform(0.001, 1);
        case 2:
            return std::nan("");
        default:
            return std::pow(10.0, uniform(-300, 300));
        }
    }

    std::mt19937_64 rng_;
    unsigned counter_ = 0;
};

// A few thousand pipes in every test run; RUNNELEX_DNORM_PIPES sets the count of a long run.
long pipeCount() {
    const char* env = std::getenv("RUNNELEX_DNORM_PIPES");
    return env ? std::atol(env) : 3000;
}

TEST(NormalDepthSearch, SameAsTheBisectionForEveryPipe) {
    const long count = pipeCount();
    PipeSampler pipes(20270127);
    long faults = 0, mismatches = 0;
    for (long i = 0; i < count; ++i) {
        const Pipe p = pipes.next();
        int fastPasses = -1, slowPasses = -1;
        const CallOutcome fast =
            outcomeOf([&] { return fDnormal(p.n, p.D, 0, kCircular, p.S, p.Q, &fastPasses); });
        const CallOutcome slow = outcomeOf(
            [&] { return fDnormalBisection(p.n, p.D, 0, kCircular, p.S, p.Q, &slowPasses); });
        faults += slow.faulted;
        if ((!(fast == slow) || (!slow.faulted && fastPasses != slowPasses)) && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << "n " << p.n << " D " << p.D << " S " << p.S << " Q "
                          << p.Q << ": fast " << fast.text() << " in " << fastPasses
                          << ", bisection " << slow.text() << " in " << slowPasses;
    }
    EXPECT_EQ(mismatches, 0);
    std::printf("%ld pipes compared, %ld of them faulting, %ld mismatches\n", count, faults,
                mismatches);
}

} // namespace
} // namespace runnelex::hydrocalc
