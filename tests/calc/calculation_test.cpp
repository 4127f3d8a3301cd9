// One calculation: the outcomes, their branch rules and what a fault leaves behind.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "calc/calculation.h"
#include "calc/number_text.h"
#include "engine/hydrocalc.h"

namespace runnelex {
namespace {

CalcInputs pipe(double D, double S, double n, double Q) {
    CalcInputs in;
    in.DiamFt = D;
    in.SlopeFtFt = S;
    in.ManningN = n;
    in.Qcfs = Q;
    return in;
}

CalcInputs workedExample(double Q = 2) {
    return pipe(1, 0.01, 0.013, Q);
}

std::string shown(const std::optional<double>& v) {
    return v ? displayNumber(*v) : std::string("<none>");
}

TEST(WorkedExample, EveryValueToFourDecimals) {
    const CalcResults r = computeCalculation(workedExample());
    ASSERT_EQ(r.outcome, Outcome::OpenChannel);
    ASSERT_FALSE(r.fault);
    const struct {
        double ratio;
        const char *V, *Q;
    } rows[] = {{0.50, "4.5363", "1.7814"},
                {0.75, "5.1418", "3.2488"},
                {0.93, "5.0323", "3.8307"},
                {1.00, "4.5363", "3.5628"}};
    ASSERT_EQ(r.Capacity.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(rows[i].ratio);
        EXPECT_EQ(r.Capacity[i].ratio, rows[i].ratio);
        EXPECT_EQ(displayNumber(r.Capacity[i].V), rows[i].V);
        EXPECT_EQ(displayNumber(r.Capacity[i].Q), rows[i].Q);
    }
    const struct {
        const char* name;
        const std::optional<double>& value;
        const char* text;
    } fields[] = {{"Qmax", r.Qmax, "3.8307"},     {"Dnorm", r.Dnorm, "0.5359"},
                  {"AreaW", r.AreaW, "0.4285"},   {"PerimW", r.PerimW, "1.6426"},
                  {"Rh", r.Rh, "0.2609"},         {"Vnorm", r.Vnorm, "4.6671"},
                  {"FrNo", r.FrNo, "1.2548"},     {"Dcr", r.Dcr, "0.6034"},
                  {"DoverD", r.DoverD, "0.5359"}, {"Hf", r.Hf, "0.0032"},
                  {"Vfull", r.Vfull, "2.5465"},   {"Qnorm", r.Qnorm, "2"}};
    for (const auto& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(shown(f.value), f.text);
    }
}

struct BranchCase {
    const char* name;
    CalcInputs in;
    std::optional<Outcome> outcome;
    std::size_t rows;
    bool normal; // the open-channel fields are present
    bool full;   // Hf and Vfull are present
};

void PrintTo(const BranchCase& c, std::ostream* os) {
    *os << c.name;
}

class Branches : public ::testing::TestWithParam<BranchCase> {};

TEST_P(Branches, TakeTheirOutcome) {
    const BranchCase& c = GetParam();
    const CalcResults r = computeCalculation(c.in);
    EXPECT_FALSE(r.fault);
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.Capacity.size(), c.rows);
    EXPECT_EQ(r.Qmax.has_value(), c.rows == 4);
    for (const auto* v :
         {&r.Dnorm, &r.AreaW, &r.PerimW, &r.Rh, &r.Vnorm, &r.Qnorm, &r.FrNo, &r.Dcr, &r.DoverD})
        EXPECT_EQ(v->has_value(), c.normal);
    EXPECT_EQ(r.Hf.has_value(), c.full);
    EXPECT_EQ(r.Vfull.has_value(), c.full);
}

INSTANTIATE_TEST_SUITE_P(
    Calculation, Branches,
    ::testing::Values(
        BranchCase{"WorkedExample", workedExample(), Outcome::OpenChannel, 4, true, true},
        BranchCase{"BetweenFullAndQmax", workedExample(3.7), Outcome::OpenChannel, 4, true, true},
        BranchCase{"Surcharged", workedExample(4), Outcome::Surcharged, 4, false, true},
        BranchCase{"NoFlow", workedExample(0), Outcome::NoDesignFlow, 4, false, false},
        BranchCase{"NegativeFlow", workedExample(-1), Outcome::NoDesignFlow, 4, false, false},
        BranchCase{"NoDiameter", pipe(0, 0.01, 0.013, 2), Outcome::InputsInvalid, 0, false, false},
        BranchCase{"NoSlope", pipe(1, 0, 0.013, 2), Outcome::InputsInvalid, 0, false, false},
        BranchCase{"NegativeSlope", pipe(1, -0.01, 0.013, 2), Outcome::InputsInvalid, 0, false,
                   false},
        BranchCase{"NoN", pipe(1, 0.01, 0, 2), Outcome::InputsInvalid, 0, false, false},
        BranchCase{"InvalidEvenWithoutFlow", pipe(-1, 0.01, 0.013, 0), Outcome::InputsInvalid, 0,
                   false, false},
        BranchCase{"MicroFlow", workedExample(1e-06), Outcome::OpenChannel, 4, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BranchRules, SurchargedFullPipeValues) {
    const CalcResults r = computeCalculation(workedExample(4));
    EXPECT_EQ(shown(r.Hf), "0.0126");
    EXPECT_EQ(shown(r.Vfull), "5.093");
}

TEST(BranchRules, BetweenFullPipeFlowAndQmaxIsOpenChannel) {
    const CalcResults r = computeCalculation(workedExample(3.7));
    EXPECT_GT(*r.Dnorm, 0.75);
    EXPECT_LT(*r.Dnorm, 0.93);
}

TEST(BranchRules, FlowEqualToQmaxStaysOpenChannel) {
    const double qmax = *computeCalculation(workedExample(0)).Qmax;
    EXPECT_EQ(computeCalculation(workedExample(qmax)).outcome, Outcome::OpenChannel);
    const double above = std::nextafter(qmax, std::numeric_limits<double>::infinity());
    EXPECT_EQ(computeCalculation(workedExample(above)).outcome, Outcome::Surcharged);
}

TEST(BranchRules, FroudeAndCriticalDepthUseTheFlowAtNormalDepth) {
    using namespace hydrocalc;
    const CalcResults r = computeCalculation(workedExample());
    ASSERT_TRUE(r.Qnorm);
    EXPECT_EQ(*r.Qnorm, *r.Vnorm * *r.AreaW);
    EXPECT_NE(*r.Qnorm, 2.0);
    EXPECT_EQ(*r.FrNo, fFroude(1, *r.Dnorm, *r.Qnorm));
    EXPECT_NE(*r.FrNo, fFroude(1, *r.Dnorm, 2.0));
    EXPECT_EQ(*r.Dcr, fDcritCircular(1, *r.Qnorm));
    EXPECT_EQ(*r.DoverD, *r.Dnorm / 1.0);
}

TEST(BranchRules, FullPipeValuesUseDesignFlowAndPlainRadius) {
    using namespace hydrocalc;
    for (double Q : {2.0, 4.0}) {
        SCOPED_TRACE(Q);
        const CalcResults r = computeCalculation(pipe(2, 0.005, 0.015, Q));
        const double Afull = fAreaW(2, 0, 2, kCircular);
        const double Rfull = Afull / fPerimW(2, 0, 2, kCircular);
        EXPECT_EQ(*r.Vfull, Q / Afull);
        EXPECT_EQ(*r.Hf, fSfManning(Q / Afull, Rfull, 0.015));
    }
}

TEST(BranchRules, SubcriticalFlatPipe) {
    const CalcResults r = computeCalculation(pipe(1, 0.001, 0.013, 1));
    ASSERT_EQ(r.outcome, Outcome::OpenChannel);
    EXPECT_LT(*r.FrNo, 1.0);
}

TEST(BranchRules, FlowTooSmallForTheMarchEndsAtFirstStep) {
    // Subcritical already at one ten-thousandth of the pipe: the march's bounded result.
    const CalcResults r = computeCalculation(workedExample(1e-20));
    ASSERT_EQ(r.outcome, Outcome::OpenChannel);
    EXPECT_EQ(*r.Dcr, 1e-4);
}

struct FaultCase {
    const char* name;
    CalcInputs in;
    std::optional<Outcome> outcome;
    std::size_t rows;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class FaultsKeepWhatWasComputed : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultsKeepWhatWasComputed, AndStop) {
    const FaultCase& c = GetParam();
    const CalcResults r = computeCalculation(c.in);
    ASSERT_TRUE(r.fault);
    EXPECT_FALSE(r.fault->empty());
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.Capacity.size(), c.rows);
    EXPECT_FALSE(r.Dnorm);
    EXPECT_FALSE(r.Hf);
}

INSTANTIATE_TEST_SUITE_P(
    Calculation, FaultsKeepWhatWasComputed,
    ::testing::Values(
        // The solver drives the depth ratio below ~3e-17: fArccos(1) divides by zero.
        FaultCase{"FlowTooSmallForTheSolver", workedExample(1e-40), Outcome::OpenChannel, 4},
        FaultCase{"DiameterSquareOverflows", pipe(1e200, 0.01, 0.013, 1), std::nullopt, 0},
        FaultCase{"CapacityFlowOverflows", pipe(1e116, 0.01, 0.013, 1), std::nullopt, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace runnelex
