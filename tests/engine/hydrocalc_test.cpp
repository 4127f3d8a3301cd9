// SPDX-License-Identifier: GPL-3.0-or-later
// The hydraulic engine against hand-checked reference values and its fault cases.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/hydrocalc.h"

namespace runnelex::hydrocalc {
namespace {

const double kPi = 4.0 * std::atan(1.0);

TEST(Geometry, AreaPerimeterRadius) {
    const struct {
        const char* name;
        double D, B, d;
        ShapeCode shape;
        double A, P, R, tol;
    } cases[] = {
        {"half full", 1, 0, 0.5, kCircular, 0.39269908169872414, 1.5707963267948966, 0.25, 1e-15},
        {"three quarters", 1, 0, 0.75, kCircular, 0.63185195, 2.09439510, 0.30168708, 5e-9},
        {"full", 2, 0, 2, kCircular, kPi, 2 * kPi, 0.5, 1e-14},
        {"at invert", 1, 0, 0, kCircular, 0, 0, 0, 0},
        {"below invert", 1, 0, -0.2, kCircular, 0, 0, 0, 0},
        // The rectangle's wetted perimeter is its whole box unless the depth lies inside it.
        {"rect inside", 2, 3, 1, kRectangle, 3, 5, 0.6, 0},
        {"rect at top", 2, 3, 2, kRectangle, 6, 10, 0.6, 0},
        {"rect empty", 2, 3, 0, kRectangle, 0, 10, 0, 0},
        {"unknown shape", 1, 3, 0.5, 2, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const double A = fAreaW(c.D, c.B, c.d, c.shape);
        const double P = fPerimW(c.D, c.B, c.d, c.shape);
        EXPECT_NEAR(A, c.A, c.tol);
        EXPECT_NEAR(P, c.P, c.tol);
        EXPECT_NEAR(fRh(A, P), c.R, c.tol);
    }
    EXPECT_EQ(fAreaW(1, 0, 1, kCircular), fAreaW(1, 0, 7, kCircular));
    EXPECT_EQ(fPerimW(1, 0, 1, kCircular), fPerimW(1, 0, 7, kCircular));
    EXPECT_EQ(fRh(5.0, -1.0), 0.0); // the guard looks at the perimeter only
    EXPECT_GT(fTheta(3e-17), 0.0);  // just above the ratio where fArccos(1) divides by zero
}

TEST(Manning, ReferenceVelocityAndFrictionSlope) {
    EXPECT_DOUBLE_EQ(fVmanning(0.013, 0.25, 0.01), 4.536303775432201);
    EXPECT_EQ(fVmanning(0.013, 0.0, 0.01), 0.0);
    EXPECT_NEAR(fSfManning(fVmanning(0.013, 0.25, 0.01), 0.25, 0.013), 0.01, 1e-17);
    EXPECT_DOUBLE_EQ(fSfManning(2.5464790894703255, 0.25, 0.013), 0.003151200012066895);
}

// Flow carried by a circular pipe D = 1, n = 0.013, S = 0.01 at depth y.
double pipeFlow(double y) {
    const double A = fAreaW(1, 0, y, kCircular);
    return fVmanning(0.013, fRh(A, fPerimW(1, 0, y, kCircular)), 0.01) * A;
}

TEST(NormalDepth, SolvesWithinItsBracket) {
    const struct {
        const char* name;
        double D, B;
        ShapeCode shape;
        double S, Q, depth, tol;
        int passes; // -1: not checked
    } cases[] = {
        {"worked example", 1, 0, kCircular, 0.01, 2, 0.5358646774, 5e-11, 17},
        {"quarter flow", 1, 0, kCircular, 0.01, 0.5, 0.25307, 5e-6, -1},
        {"micro", 1, 0, kCircular, 0.01, 1e-06, 0.000548, 5e-7, -1},
        {"top of bracket", 1, 0, kCircular, 0.01, pipeFlow(0.93), 0.929993, 1e-6, -1},
        {"above bracket runs out", 1, 0, kCircular, 0.01, 1.01 * pipeFlow(0.93), 0.93, 1e-15,
         10000},
        {"first depth fits", 1, 0, kCircular, 0.01, pipeFlow(0.465), 0.465, 0, 0},
        {"rectangle", 2, 3, kRectangle, 0.001, 10, 1.20610, 5e-6, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int passes = -1;
        EXPECT_NEAR(fDnormal(0.013, c.D, c.B, c.shape, c.S, c.Q, &passes), c.depth, c.tol);
        if (c.passes >= 0) {
            EXPECT_EQ(passes, c.passes);
        }
    }
    const double q = pipeFlow(fDnormal(0.013, 1, 0, kCircular, 0.01, 2));
    EXPECT_NEAR(q, 2.0000011, 5e-8);
    EXPECT_LE(std::fabs(q - 2) / 2, kNormalTol);
}

TEST(Froude, ReferenceValues) {
    EXPECT_NEAR(fFroude(1, 0.5, 1), 0.7161141, 5e-8);
    EXPECT_GT(fFroude(1, 1, 1), 0.0);
    EXPECT_LT(fFroude(1, 1, 1), 1e-6);
    EXPECT_NEAR(fFroude(1, 1e-4, 1e-7), 1.62, 0.005);
    EXPECT_NEAR(fFroude(1, 1e-4, 1e-8), 0.162, 0.0005);
}

TEST(CriticalDepth, MarchEndsWithinThePipe) {
    const struct {
        const char* name;
        double D, B, Q;
        ShapeCode shape;
        double depth, tol;
    } cases[] = {
        // The 4200th step: repeated addition keeps the sum within a few ulps of 4200 h.
        {"unit flow", 1, 0, 1, kCircular, 0.42, 1e-12},
        {"worked example", 1, 0, 2.0000011, kCircular, 0.6034, 5e-5},
        {"just below crown", 1, 0, 100, kCircular, 0.9999999999999, 5e-13},
        {"subcritical at first step", 1, 0, 1e-08, kCircular, 1e-4, 0},
        {"no flow", 1, 0, 0, kCircular, 1e-4, 0},
        {"no flow, wide pipe", 4, 0, 0, kCircular, 4e-4, 0},
        {"supercritical at crown", 1, 0, 1e10, kCircular, 1, 0},
        {"rectangle", 1, 3, 10, kRectangle, 0.7015912, 5e-8},
        {"rectangle ignores height", 50, 3, 10, kRectangle, 0.7015912, 5e-8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> shown;
        const Notify notify = [&](const std::string& m) {
            shown.push_back(m);
        };
        EXPECT_NEAR(fDcritical(c.D, c.B, c.Q, c.shape, notify), c.depth, c.tol);
        EXPECT_TRUE(shown.empty());
    }
}

TEST(CriticalDepth, UnknownShapeNotifiesOnceAndUsesCircle) {
    std::vector<std::string> shown;
    const double y = fDcritical(1, 3, 1, 5, [&](const std::string& m) { shown.push_back(m); });
    EXPECT_EQ(shown, std::vector<std::string>{"Error in fDcritical: Shape improperly defined; "
                                              "calculating based on Circular!"});
    EXPECT_EQ(y, fDcritCircular(1, 1));
}

constexpr double kHuge = 1e200;

// Each fault names what went wrong: a division by zero (a pole of pow included), a result out
// of range, or an operation without a real result.
TEST(Faults, ThrowArithmeticErrorNamingTheFault) {
    const char* const div0 = "Division by zero";
    const char* const over = "Overflow";
    const char* const invalid = "Invalid operation";
    const struct {
        const char* name;
        std::function<double()> call;
        const char* fault;
    } cases[] = {
        {"arccos of one", [] { return fArccos(1.0); }, div0},
        {"arccos outside range", [] { return fArccos(1.5); }, invalid},
        {"theta of tiny ratio", [] { return fTheta(2.7e-17); }, div0},
        {"area of zero diameter", [] { return fAreaW(0, 0, 0.5, kCircular); }, div0},
        {"perimeter of zero diameter", [] { return fPerimW(0, 0, 0.5, kCircular); }, div0},
        {"area square overflows", [] { return fAreaW(kHuge, 0, kHuge / 2, kCircular); }, over},
        {"velocity zero n", [] { return fVmanning(0, 0.25, 0.01); }, div0},
        {"velocity negative slope", [] { return fVmanning(0.013, 0.25, -0.01); }, invalid},
        {"friction slope zero radius", [] { return fSfManning(2, 0, 0.013); }, div0},
        {"friction slope overflows", [] { return fSfManning(kHuge, 1e-200, 0.013); }, over},
        {"normal depth zero flow", [] { return fDnormal(0.013, 1, 0, kCircular, 0.01, 0); }, div0},
        {"normal depth zero D", [] { return fDnormal(0.013, 0, 0, kCircular, 0.01, 1); }, div0},
        {"Froude at invert", [] { return fFroude(1, 0, 1); }, div0},
        {"Froude flow square overflows", [] { return fFroude(1, 0.5, kHuge); }, over},
        {"critical zero diameter", [] { return fDcritCircular(0, 1); }, div0},
        {"rectangle zero width", [] { return fDcritical(1, 0, 1, kRectangle, {}); }, div0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ADD_FAILURE() << "returned " << c.call();
        } catch (const ArithmeticError& e) {
            EXPECT_STREQ(e.what(), c.fault);
        }
    }
}

} // namespace
} // namespace runnelex::hydrocalc
