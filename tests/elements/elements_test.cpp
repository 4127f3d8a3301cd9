// SPDX-License-Identifier: GPL-3.0-or-later
// The hydraulic elements and both normal depths, against the circle's known ratios and an
// independent search of Manning's equation.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "elements/hydraulic_elements.h"
#include "elements/normal_depths.h"
#include "engine/hydrocalc.h"

namespace runnelex::elements {
namespace {

const std::vector<Pipe> kPipes = {
    {1.0, 0.01, 0.013}, {0.5, 0.002, 0.011}, {3.75, 0.0005, 0.024}, {12.0, 0.05, 0.009}};

// Manning's flow written out on its own, from the circle's central angle, without the engine.
double independentFlow(const Pipe& p, double y) {
    if (y <= 0.0)
        return 0.0;
    const double phi = y >= p.D ? 2.0 * M_PI : 2.0 * std::acos(1.0 - 2.0 * y / p.D);
    const double area = p.D * p.D / 8.0 * (phi - std::sin(phi));
    const double perimeter = phi * p.D / 2.0;
    return 1.486 / p.n * area * std::cbrt(std::pow(area / perimeter, 2.0)) * std::sqrt(p.S);
}

// Every depth where the independent flow crosses Q: a scan in steps of D / 20000, each
// crossing then halved down to double precision.
std::vector<double> independentRoots(const Pipe& p, double Q) {
    constexpr int kSteps = 20000;
    std::vector<double> roots;
    double y0 = 0.0, f0 = -Q;
    for (int i = 1; i <= kSteps; ++i) {
        const double y1 = p.D * i / kSteps, f1 = independentFlow(p, y1) - Q;
        if ((f0 < 0.0) != (f1 < 0.0)) {
            double a = y0, b = y1;
            for (int k = 0; k < 200; ++k) {
                const double m = (a + b) / 2.0;
                ((independentFlow(p, m) - Q < 0.0) == (f0 < 0.0) ? a : b) = m;
            }
            roots.push_back((a + b) / 2.0);
        }
        y0 = y1;
        f0 = f1;
    }
    return roots;
}

TEST(HydraulicElements, CircleRatiosWhateverThePipe) {
    for (const Pipe& p : kPipes) {
        SCOPED_TRACE(p.D);
        const double qFull = flowAtDepth(p, p.D), vFull = velocityAtDepth(p, p.D);
        const Peak q = largestFlow(p), v = largestVelocity(p);
        EXPECT_NEAR(q.value / qFull, 1.0757, 5e-5);
        EXPECT_NEAR(q.depth / p.D, 0.9382, 5e-5);
        EXPECT_NEAR(v.value / vFull, 1.1400, 5e-5);
        EXPECT_NEAR(v.depth / p.D, 0.8128, 5e-5);
        // The ratios belong to the circle: every pipe gives the same to the search's precision.
        const Pipe& first = kPipes.front();
        EXPECT_NEAR(q.depth / p.D, largestFlow(first).depth / first.D, 1e-7);
        EXPECT_NEAR(q.value / qFull, largestFlow(first).value / flowAtDepth(first, first.D), 1e-13);
        // Nothing the engine computes lies above the peak it reports.
        for (double r = 0.90; r < 0.97; r += 0.0001)
            EXPECT_LE(flowAtDepth(p, r * p.D), q.value);
    }
}

TEST(HydraulicElements, CurveFromInvertToCrownThroughThePeaks) {
    const Pipe p = kPipes.front();
    const std::vector<ElementPoint> curve = elementCurve(p, 100);
    ASSERT_EQ(curve.size(), 103u); // 101 even ratios and the two peaks
    EXPECT_EQ(curve.front().ratio, 0.0);
    EXPECT_EQ(curve.front().Q, 0.0);
    EXPECT_EQ(curve.back().ratio, 1.0);
    EXPECT_EQ(curve.back().Q, flowAtDepth(p, p.D));
    EXPECT_DOUBLE_EQ(curve[50].V, 4.536303775432201); // half full: R = D / 4
    double largest = 0.0;
    for (std::size_t i = 1; i < curve.size(); ++i) {
        EXPECT_LT(curve[i - 1].ratio, curve[i].ratio);
        largest = std::max(largest, curve[i].Q);
    }
    EXPECT_EQ(largest, largestFlow(p).value);
}

TEST(NormalDepths, BothRootsAgainstAnIndependentSearch) {
    std::mt19937 random(20240610);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int twoRoots = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const Pipe p{0.2 + 11.8 * unit(random), std::pow(10.0, -4.0 + 3.0 * unit(random)),
                     0.009 + 0.021 * unit(random)};
        const NormalDepths below = normalDepths(p, 0.0);
        const double qFull = below.fullFlow, qPeak = below.peak.value;
        // Half the flows in the zone of two depths, short of the peak where the two roots
        // merge; the others anywhere below the full-pipe flow.
        const double Q = trial % 2 ? qFull + (qPeak - qFull) * (0.001 + 0.998 * unit(random))
                                   : qFull * std::pow(10.0, -6.0 * unit(random));
        SCOPED_TRACE(testing::Message()
                     << "D " << p.D << " S " << p.S << " n " << p.n << " Q " << Q);
        const NormalDepths d = normalDepths(p, Q);
        const std::vector<double> roots = independentRoots(p, Q);
        ASSERT_TRUE(d.lower);
        ASSERT_EQ(roots.size(), d.upper ? 2u : 1u);
        EXPECT_NEAR(*d.lower, roots[0], 1e-9 * p.D + 1e-9 * roots[0]);
        EXPECT_NEAR(flowAtDepth(p, *d.lower), Q, 1e-6 * Q);
        EXPECT_LT(*d.lower, d.peak.depth);
        if (d.upper) {
            ++twoRoots;
            EXPECT_NEAR(*d.upper, roots[1], 1e-9 * p.D);
            EXPECT_NEAR(flowAtDepth(p, *d.upper), Q, 1e-6 * Q);
            EXPECT_GT(*d.upper, d.peak.depth);
            EXPECT_LT(*d.upper, p.D);
        }
        // The main window's solver finds the lower root, within its tolerance.
        if (Q <= flowAtDepth(p, hydrocalc::kNormalTop * p.D)) {
            const double shown = hydrocalc::fDnormal(p.n, p.D, 0, hydrocalc::kCircular, p.S, Q);
            EXPECT_NEAR(flowAtDepth(p, shown), flowAtDepth(p, *d.lower), 1e-6 * Q);
        }
    }
    EXPECT_EQ(twoRoots, 150);
}

TEST(NormalDepths, EdgesOfTheTwoDepthZone) {
    const Pipe p = kPipes.front();
    const NormalDepths none = normalDepths(p, 0.0);
    const double qFull = none.fullFlow, qPeak = none.peak.value;
    EXPECT_NEAR(qFull, 3.5628046538, 1e-9);
    EXPECT_NEAR(qPeak, 3.8325308040, 1e-9);
    const struct {
        const char* name;
        double Q;
        bool lower, upper;
        double lowerDepth, upperDepth; // from a separate hand calculation; 0 = not checked
    } cases[] = {
        {"no flow", 0.0, false, false, 0, 0},
        {"negative flow", -1.0, false, false, 0, 0},
        {"tiny flow", 1e-06, true, false, 0.0005483, 0},
        {"full-pipe flow: the crown is no open-channel depth", qFull, true, false, 0.8196294, 0},
        {"between full and Qmax", 3.7, true, true, 0.8592634, 0.9916853},
        {"between Qmax and the peak", 3.832, true, true, 0.9338166, 0.9424507},
        {"the peak itself", qPeak, true, true, 0, 0},
        {"above the peak", std::nextafter(qPeak, 10.0) * (1 + 1e-12), false, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const NormalDepths d = normalDepths(p, c.Q);
        EXPECT_EQ(d.lower.has_value(), c.lower);
        EXPECT_EQ(d.upper.has_value(), c.upper);
        if (c.lowerDepth > 0) {
            EXPECT_NEAR(*d.lower, c.lowerDepth, 5e-7);
        }
        if (c.upperDepth > 0) {
            EXPECT_NEAR(*d.upper, c.upperDepth, 5e-7);
        }
        if (d.lower && d.upper) {
            EXPECT_LE(*d.lower, *d.upper);
        }
    }
    EXPECT_NEAR(twoDepthZoneStart(p), 0.8196294, 5e-7);
    EXPECT_NEAR(flowAtDepth(p, twoDepthZoneStart(p)), qFull, 1e-15 * qFull);
}

} // namespace
} // namespace runnelex::elements
