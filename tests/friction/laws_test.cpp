// SPDX-License-Identifier: GPL-3.0-or-later
// Every friction law against its equation worked out on its own in long double for random
// circles and boxes in both systems; the published and computed check values; the properties
// the equations have exactly; the n column of the record read back.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/arith.h"
#include "friction/colebrook_white_law.h"
#include "friction/friction_text.h"
#include "friction/kutter_law.h"
#include "friction/law_table.h"
#include "friction/water_viscosity.h"
#include "hydraulics/conduit.h"
#include "sections/shape_table.h"

namespace runnelex::friction {
namespace {

using Real = long double;
constexpr Real kFt = 0.3048L;

// The four equations written out from their published forms, in the units of the system.
Real independentVelocity(std::string_view law, Real c, Real R, Real S, bool si) {
    if (law == "manning")
        return (si ? 1 : 1.486L) / c * std::pow(R, 2.0L / 3) * std::sqrt(S);
    if (law == "kutter") {
        const Real a = si ? 23 : 41.65L, b = si ? 1 : 1.811L, k = si ? 0.00155L : 0.00281L;
        return (a + b / c + k / S) / (1 + (a + k / S) * c / std::sqrt(R)) * std::sqrt(R * S);
    }
    if (law == "hazen-williams")
        return (si ? 0.849L : 1.318L) * c * std::pow(R, 0.63L) * std::pow(S, 0.54L);
    // Colebrook-White: c is k in mm.
    const Real g = si ? 9.80665L : 9.80665L / kFt, nu = si ? 1.141e-6L : 1.141e-6L / (kFt * kFt);
    const Real k = c / 1000 / (si ? 1 : kFt), root = std::sqrt(8 * g * R * S);
    return -2 * root * std::log10(k / (14.8L * R) + 2.51L * nu / (4 * R * root));
}

struct Pipe {
    bool circle;
    Real B, D;
    Real theta(Real y) const { return 2 * std::asin(std::sqrt(y / D)); }
    Real area(Real y) const {
        return circle ? D * D / 8 * (2 * theta(y) - std::sin(2 * theta(y))) : B * y;
    }
    Real perimeter(Real y) const { return circle ? theta(y) * D : B + 2 * y; }
};

// Coefficients of the laws' ranges in the unit the row takes them (k in mm).
struct LawCase {
    const char* word;
    double lo, hi;
};
constexpr LawCase kCases[] = {{"manning", 0.009, 0.03},
                              {"kutter", 0.009, 0.03},
                              {"colebrook", 0.0, 6.0},
                              {"hazen-williams", 60, 150}};

TEST(Laws, RandomSectionsFollowTheEquations) {
    std::mt19937_64 random(20250611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (const LawCase& lc : kCases)
        for (UnitSystem system : {UnitSystem::US, UnitSystem::SI})
            for (int trial = 0; trial < 40; ++trial) {
                const bool si = system == UnitSystem::SI, circle = trial % 2 == 0;
                const LawRow& row = *lawNamed(lc.word);
                const double c = lc.lo + (lc.hi - lc.lo) * unit(random);
                const double S = std::pow(10.0, -4 + 3 * unit(random));
                const double D = (si ? 0.15 : 0.5) * std::pow(20.0, unit(random));
                const double B = D * (0.5 + 2 * unit(random));
                sections::Dimensions dims{};
                const sections::ShapeRow& shape = *sections::shapeNamed(circle ? "circle" : "box");
                dims[0] = circle ? D : B;
                dims[1] = D;
                LawSettings settings;
                settings.coefficientUnit = 0; // k in mm in either system
                const auto section = shape.make(dims, {}, system);
                const auto law = row.make(c, settings, system);
                const hydraulics::Conduit conduit(*section, *law, S, system);
                const Pipe pipe{circle, B, D};
                SCOPED_TRACE(std::string(lc.word) + (si ? " SI " : " US ") +
                             (circle ? "circle " : "box ") + std::to_string(trial));
                for (double share : {0.1, 0.5, 0.85}) {
                    const Real y = share * D;
                    const Real want =
                        pipe.area(y) *
                        independentVelocity(lc.word, c, pipe.area(y) / pipe.perimeter(y), S, si);
                    EXPECT_NEAR(conduit.flowAt(share * D), static_cast<double>(want),
                                1e-12 * static_cast<double>(want));
                }
                // The normal depth is the first double whose flow reaches Q; the flow there is
                // the equation's to the precision of the depth.
                const double Q = conduit.flowAt(0.6 * D) * 0.7;
                const double y = conduit.normalDepth(Q, 0.93 * D);
                const Real R = pipe.area(y) / pipe.perimeter(y);
                const double back =
                    static_cast<double>(pipe.area(y) * independentVelocity(lc.word, c, R, S, si));
                if (conduit.engineRoute()) {
                    EXPECT_NEAR(back, Q, 1e-6 * Q); // the engine's own bisection and tolerance
                } else {
                    EXPECT_GE(conduit.flowAt(y), Q);
                    EXPECT_LT(conduit.flowAt(std::nextafter(y, 0.0)), Q);
                    EXPECT_NEAR(back, Q, 1e-9 * Q);
                }
                // The slope a velocity needs is the first double at which the law reaches it.
                const double Rf = D / 4, V = law->velocity(Rf, S);
                const double Sf = law->slope(V, Rf);
                EXPECT_NEAR(Sf, S, 1e-9 * S);
                if (!row.coefficient.units.empty() || row.word == "kutter") {
                    EXPECT_GE(law->velocity(Rf, Sf), V);
                    EXPECT_LT(law->velocity(Rf, std::nextafter(Sf, 0.0)), V);
                }
            }
}

// The check values of the design tables and of 25-digit arithmetic.
struct CheckValue {
    const char* name;
    const char* law;
    double coefficient, nu, R, S;
    UnitSystem system;
    double V, tolerance;
};

class LawCheckValues : public testing::TestWithParam<CheckValue> {};

TEST_P(LawCheckValues, VelocityMatches) {
    const CheckValue& c = GetParam();
    LawSettings settings;
    settings.coefficientUnit = 0;
    if (c.nu > 0)
        settings.parameters[0] = c.nu;
    const auto law = lawNamed(c.law)->make(c.coefficient, settings, c.system);
    EXPECT_NEAR(law->velocity(c.R, c.S), c.V, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Notes, LawCheckValues,
    testing::Values(CheckValue{"cw_full_1200", "colebrook", 0.6, 1.005e-6, 0.3, 1.0 / 250,
                               UnitSystem::SI, 2.36120, 5e-6},
                    CheckValue{"cw_table_300", "colebrook", 0.6, 1.0e-6, 0.075, 1.0 / 200,
                               UnitSystem::SI, 1.10791, 5e-6},
                    CheckValue{"cw_table_900", "colebrook", 0.6, 1.0e-6, 0.225, 1.0 / 150,
                               UnitSystem::SI, 2.55577, 5e-6},
                    CheckValue{"cw_table_400_k3", "colebrook", 3.0, 1.0e-6, 0.1, 1.0 / 300,
                               UnitSystem::SI, 0.86837, 5e-6},
                    CheckValue{"cw_300_full", "colebrook", 0.6, 0, 0.075, 0.005, UnitSystem::SI,
                               1.106186, 5e-7},
                    CheckValue{"cw_300_quarter", "colebrook", 0.6, 0, 0.0439877, 0.005,
                               UnitSystem::SI, 0.783066, 5e-6},
                    CheckValue{"cw_300_k15_nu131", "colebrook", 1.5, 1.31e-6, 0.075, 0.005,
                               UnitSystem::SI, 0.977392, 5e-7},
                    CheckValue{"hazen_williams_si", "hazen-williams", 120, 0, 0.075, 0.005,
                               UnitSystem::SI, 1.139781, 5e-7},
                    CheckValue{"hazen_williams_us", "hazen-williams", 120, 0, 0.075 / 0.3048, 0.005,
                               UnitSystem::US, 3.74024, 5e-6}),
    [](const auto& info) { return std::string(info.param.name); });

// Kutter's C at n 0.013 and R 0.075 m (in ft the same radius), by 25-digit arithmetic.
TEST(Laws, KutterCheckValues) {
    const struct {
        UnitSystem system;
        double R, S, C;
    } rows[] = {{UnitSystem::SI, 0.075, 1e-4, 40.8206},
                {UnitSystem::SI, 0.075, 1e-3, 46.8618},
                {UnitSystem::SI, 0.075, 1e-2, 47.6755},
                {UnitSystem::US, 0.075 / 0.3048, 1e-4, 73.9255},
                {UnitSystem::US, 0.075 / 0.3048, 1e-3, 84.8744},
                {UnitSystem::US, 0.075 / 0.3048, 1e-2, 86.3497}};
    for (const auto& r : rows) {
        const KutterLaw law(0.013, r.system);
        EXPECT_NEAR(law.chezyC(r.R, r.S), r.C, 5e-5) << r.R << " " << r.S;
        EXPECT_DOUBLE_EQ(law.velocity(r.R, r.S), law.chezyC(r.R, r.S) * std::sqrt(r.R * r.S));
    }
}

// Kutter's C is 1/n at R = 1 m whatever the slope; the Colebrook-White velocity of a circle at
// half depth is its full-bore velocity (R = D/4 both).
TEST(Laws, ExactProperties) {
    const KutterLaw kutter(0.013, UnitSystem::SI);
    for (double S : {1e-5, 1e-3, 0.1})
        EXPECT_NEAR(kutter.chezyC(1.0, S), 1 / 0.013, 1e-12 / 0.013) << S;
    const auto circle = sections::shapeNamed("circle");
    for (UnitSystem system : {UnitSystem::US, UnitSystem::SI}) {
        const auto section = circle->make({1.0}, {}, system);
        const auto law = lawNamed("colebrook")->make(0.6, {}, system);
        const hydraulics::Conduit c(*section, *law, 0.005, system);
        EXPECT_NEAR(c.velocityAt(0.5), law->velocity(0.25, 0.005), 1e-14);
    }
}

// The same pipe typed in either system: Colebrook-White gives it the same flow; Manning's too,
// but for the ratio of 1.486 to the foot's cube root, which its two constants carry.
TEST(Laws, SameFlowInEitherSystem) {
    const auto circle = sections::shapeNamed("circle");
    const double Dm = 0.6, S = 0.004, ft3 = 0.3048 * 0.3048 * 0.3048;
    for (const char* word : {"colebrook", "manning"}) {
        LawSettings settings;
        settings.coefficientUnit = 0;
        const double c = word == std::string("manning") ? 0.013 : 1.5;
        const auto si = circle->make({Dm}, {}, UnitSystem::SI);
        const auto us = circle->make({Dm / 0.3048}, {}, UnitSystem::US);
        const auto lawSi = lawNamed(word)->make(c, settings, UnitSystem::SI);
        const auto lawUs = lawNamed(word)->make(c, settings, UnitSystem::US);
        const hydraulics::Conduit a(*si, *lawSi, S, UnitSystem::SI);
        const hydraulics::Conduit b(*us, *lawUs, S, UnitSystem::US);
        const double ratio = word == std::string("manning") ? 1.486 * std::cbrt(0.3048) : 1.0;
        for (double share : {0.3, 0.7, 1.0}) {
            const double qSi = a.flowAt(share * Dm) * ratio;
            EXPECT_NEAR(b.flowAt(share * Dm / 0.3048) * ft3, qSi, 1e-12 * qSi) << word;
        }
    }
}

TEST(Laws, ViscosityOfWater) {
    const struct {
        double celsius, nu;
    } reference[] = {{10, 1.306e-6}, {15, 1.139e-6}, {20, 1.004e-6}};
    for (const auto& r : reference)
        EXPECT_NEAR(waterViscosity(r.celsius), r.nu, 0.005 * r.nu) << r.celsius;
}

TEST(Laws, RecordColumnReadsBack) {
    const struct {
        const char* law;
        const char* coefficient;
        LawSettings settings;
        UnitSystem system;
        const char* want;
    } rows[] = {
        {"manning", "0.013", {}, UnitSystem::US, "0.013"},
        {"kutter", "0.013", {}, UnitSystem::SI, "kutter 0.013"},
        {"colebrook", "1.5", {}, UnitSystem::SI, "colebrook 1.5 mm"},
        {"colebrook", "0.06", {}, UnitSystem::US, "colebrook 0.06 in."},
        {"colebrook",
         "1.5",
         {std::nullopt, {1.31e-6, {}}},
         UnitSystem::SI,
         "colebrook 1.5 mm nu 1.31e-06"},
        {"colebrook",
         "1",
         {1, {ColebrookWhiteLaw::kDefaultNuSi, {}}},
         UnitSystem::SI,
         "colebrook 1 m"},
        {"hazen-williams", "120", {}, UnitSystem::US, "hazen-williams 120"},
    };
    for (const auto& r : rows) {
        const std::string text =
            frictionText(*lawNamed(r.law), r.coefficient, r.settings, r.system);
        EXPECT_EQ(text, r.want);
        const auto read = readFrictionText(text);
        ASSERT_TRUE(std::holds_alternative<FrictionParts>(read)) << text;
        const FrictionParts& parts = std::get<FrictionParts>(read);
        EXPECT_EQ(parts.law, lawNamed(r.law));
        EXPECT_EQ(parts.coefficient, r.coefficient);
    }
    for (const char* bad : {"kutter", "colebrook 1.5", "colebrook 1.5 mm nu", "colebrook 1 mm x 2"})
        EXPECT_TRUE(std::holds_alternative<std::string>(readFrictionText(bad))) << bad;
}

// The fault a call ends in, or "" when it ends without one.
template <typename F> std::string faultOf(F&& f) {
    try {
        f();
    } catch (const hydrocalc::ArithmeticError& e) {
        return e.what();
    }
    return {};
}

TEST(Laws, CheckedSlopeFaultsAsTheSlopeDoes) {
    // Velocities and radii from far below to far above any pipe's, rough and smooth, in both
    // systems: the check without the search meets every fault the search meets.
    for (const UnitSystem system : {UnitSystem::US, UnitSystem::SI}) {
        std::vector<std::unique_ptr<FrictionLaw>> laws;
        for (const double k : {0.0, 1e-4, 10.0, 1e200})
            laws.push_back(std::make_unique<ColebrookWhiteLaw>(
                k, ColebrookWhiteLaw::defaultViscosity(system), system));
        for (const double n : {1e-200, 0.013, 1e200})
            laws.push_back(std::make_unique<KutterLaw>(n, system));
        for (const auto& law : laws)
            for (double V = 1e-300; V < 1e300; V *= 1e15)
                for (double R = 1e-300; R < 1e300; R *= 1e15)
                    EXPECT_EQ(faultOf([&] { law->checkSlope(V, R); }),
                              faultOf([&] { law->slope(V, R); }))
                        << law->row().word << " " << law->coefficient() << " V " << V << " R " << R;
    }
}

} // namespace
} // namespace runnelex::friction
