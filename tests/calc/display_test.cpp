// The display rule and the label texts one run writes, in the order it writes them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "calc/display_run.h"
#include "calc/number_text.h"
#include "engine/hydrocalc.h"

namespace runnelex {
namespace {

struct NumberCase {
    double value;
    int decimals;
    const char* text;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.value << " to " << c.decimals << " decimals";
}

class DisplayNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(DisplayNumber, RoundsHalfToEvenWithoutTrailingZeros) {
    EXPECT_EQ(displayNumber(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, DisplayNumber,
    ::testing::Values(NumberCase{2.0, 4, "2"}, NumberCase{4.53630, 4, "4.5363"},
                      NumberCase{4.536303775432201, 4, "4.5363"},
                      // Exact binary ties go to the even digit.
                      NumberCase{0.03125, 4, "0.0312"}, NumberCase{0.09375, 4, "0.0938"},
                      NumberCase{0.125, 2, "0.12"}, NumberCase{0.375, 2, "0.38"},
                      NumberCase{2.5, 0, "2"}, NumberCase{3.5, 0, "4"},
                      // 2.675 is stored just below the tie.
                      NumberCase{2.675, 2, "2.67"}, NumberCase{100.0, 4, "100"},
                      NumberCase{1200.5, 2, "1200.5"}, NumberCase{0.1 + 0.2, 4, "0.3"},
                      NumberCase{0.0001, 4, "0.0001"}, NumberCase{0.00004, 4, "0"},
                      NumberCase{-0.0, 4, "0"}, NumberCase{-0.00001, 4, "0"},
                      NumberCase{-1.23456, 4, "-1.2346"}, NumberCase{1719.5947, 2, "1719.59"},
                      NumberCase{123456789012.34567, 4, "123456789012.346"},
                      NumberCase{1e14, 4, "100000000000000"}, NumberCase{1e15, 4, "1E+15"},
                      NumberCase{1.5e20, 4, "1.5E+20"},
                      NumberCase{1.7976931348623157e308, 4, "1.79769313486232E+308"}));

TEST(DisplayNumberFaults, NonFiniteThrows) {
    for (double v :
         {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(v);
        EXPECT_THROW(displayNumber(v), hydrocalc::ArithmeticError);
    }
}

CalcInputs workedExample(double Q, const std::string& unitflow = "CFS") {
    CalcInputs in;
    in.DiamFt = 1;
    in.SlopeFtFt = 0.01;
    in.Qcfs = Q;
    in.Unitflow = unitflow;
    return in;
}

const char* const kUnmatched = "Unitflow variable unmatched in case stucture.";

using Steps = std::vector<std::pair<std::string, std::string>>; // label (empty: message), text

Steps stepsOf(const DisplayRun& run) {
    Steps out;
    for (const DisplayStep& s : run.steps)
        out.emplace_back(s.kind == DisplayStep::Kind::SetLabel ? s.label : "", s.text);
    return out;
}

const Steps kCapacityCfs = {{"lblrV050", "4.5363"}, {"lblrQ050", "1.7814"}, {"lblrV075", "5.1418"},
                            {"lblrQ075", "3.2488"}, {"lblrV093", "5.0323"}, {"lblrQ093", "3.8307"},
                            {"lblrV100", "4.5363"}, {"lblrQ100", "3.5628"}};

Steps concat(Steps a, const Steps& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct RunCase {
    const char* name;
    CalcInputs in;
    Steps steps;
    bool fault;
};

void PrintTo(const RunCase& c, std::ostream* os) {
    *os << c.name;
}

class DisplayRunSteps : public ::testing::TestWithParam<RunCase> {};

TEST_P(DisplayRunSteps, InOrder) {
    const DisplayRun run = displayRun(GetParam().in);
    EXPECT_EQ(stepsOf(run), GetParam().steps);
    EXPECT_EQ(run.fault.has_value(), GetParam().fault);
}

// The capacity rows with an unmatched code: each velocity, then the message.
Steps unmatchedRows() {
    Steps out;
    for (std::size_t i = 0; i < kCapacityCfs.size(); i += 2) {
        out.push_back(kCapacityCfs[i]);
        out.emplace_back("", kUnmatched);
    }
    return out;
}

CalcInputs hugePipe() {
    CalcInputs in = workedExample(1);
    in.DiamFt = 1e200; // its square overflows
    return in;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Run, DisplayRunSteps,
    ::testing::Values(
        RunCase{"WorkedExample", workedExample(2), concat(kCapacityCfs, {
            {"lblrDnorm", "0.5359"}, {"lblrAreaW", "0.4285"}, {"lblrPerimW", "1.6426"},
            {"lblrRh", "0.2609"}, {"lblrVnorm", "4.6671"}, {"lblrFrNo", "1.2548"},
            {"lblrDcr", "0.6034"}, {"lblrDoverD", "0.5359"}, {"lblrRegime", "Supercritical"},
            {"lblFullCondition", "If the pipe were flowing full "},
            {"lblFullCause", "due to tailwater:"}, {"lblrHf", "0.0032"}, {"lblrVfull", "2.5465"}}),
            false},
        RunCase{"Surcharged", workedExample(4), concat(kCapacityCfs, {
            {"lblrDnorm", ""}, {"lblrVnorm", ""}, {"lblrDoverD", "1"}, {"lblrFrNo", ""},
            {"lblrDcr", ""}, {"lblFullCondition", "Flow is flowing full due to:"},
            {"lblFullCause", "Surcharge!"}, {"lblrRegime", "Surcharged!"},
            {"lblrHf", "0.0126"}, {"lblrVfull", "5.093"}}),
            false},
        RunCase{"NoDesignFlow", workedExample(0), kCapacityCfs, false},
        RunCase{"InputsInvalid", CalcInputs{}, {}, false},
        RunCase{"Mgd", workedExample(0, "MGD"), {
            {"lblrV050", "4.5363"}, {"lblrQ050", "1.1515"}, {"lblrV075", "5.1418"},
            {"lblrQ075", "2.1001"}, {"lblrV093", "5.0323"}, {"lblrQ093", "2.4762"},
            {"lblrV100", "4.5363"}, {"lblrQ100", "2.303"}}, false},
        RunCase{"Gpm", workedExample(0, "GPM"), {
            {"lblrV050", "4.5363"}, {"lblrQ050", "799.67"}, {"lblrV075", "5.1418"},
            {"lblrQ075", "1458.4"}, {"lblrV093", "5.0323"}, {"lblrQ093", "1719.59"},
            {"lblrV100", "4.5363"}, {"lblrQ100", "1599.33"}}, false},
        // Codes compare exactly: a lower-case code is as unknown as an empty one.
        RunCase{"UnknownUnitflow", workedExample(0, ""), unmatchedRows(), false},
        RunCase{"LowerCaseUnitflow", workedExample(0, "cfs"), unmatchedRows(), false},
        // Faults end the run where they happen.
        RunCase{"SquareOfDiameterOverflows", hugePipe(), {}, true},
        RunCase{"FlowTooSmallForTheSolver", workedExample(1e-40), kCapacityCfs, true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(DisplayRunFault, GpmConversionOverflowStopsAfterTheFirstVelocity) {
    CalcInputs in = workedExample(0, "GPM");
    in.DiamFt = 1e115; // capacities near the top of the double range
    const DisplayRun run = displayRun(in);
    ASSERT_FALSE(run.results.fault);
    ASSERT_EQ(run.results.Capacity.size(), 4u);
    EXPECT_EQ(stepsOf(run), (Steps{{"lblrV050", displayNumber(run.results.Capacity[0].V)}}));
    EXPECT_TRUE(run.fault);
}

TEST(DisplayRunRegime, SubcriticalBelowFroudeOne) {
    CalcInputs in = workedExample(1);
    in.SlopeFtFt = 0.001;
    const Steps steps = stepsOf(displayRun(in));
    EXPECT_NE(std::find(steps.begin(), steps.end(),
                        std::pair<std::string, std::string>("lblrRegime", "Subcritical")),
              steps.end());
}

TEST(ApplyDisplayRun, SurchargedRunKeepsEarlierAreaPerimeterRadius) {
    LabelTexts labels = startupLabelTexts();
    EXPECT_EQ(labels["lblCapQ"], "Q(cfs)");
    EXPECT_EQ(labels["lblrAreaW"], "");
    applyDisplayRun(displayRun(workedExample(2)), labels);
    applyDisplayRun(displayRun(workedExample(4)), labels);
    const std::pair<const char*, const char*> expected[] = {
        {"lblrAreaW", "0.4285"}, {"lblrPerimW", "1.6426"}, {"lblrRh", "0.2609"},
        {"lblrDnorm", ""},       {"lblrDoverD", "1"},      {"lblrRegime", "Surcharged!"},
        {"lblrHf", "0.0126"},    {"lblCapQ", "Q(cfs)"}};
    for (const auto& [name, text] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(labels[name], text);
    }
}

TEST(ApplyDisplayRun, MessagesComeBetweenTheLabels) {
    LabelTexts labels = startupLabelTexts();
    labels["lblrQ050"] = "old";
    std::vector<std::string> trace;
    applyDisplayRun(displayRun(workedExample(0, "")), labels, [&](const std::string& m) {
        trace.push_back(labels["lblrV050"] + "|" + labels["lblrV075"] + "|" + m);
    });
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[0], std::string("4.5363||") + kUnmatched);
    EXPECT_EQ(trace[1], std::string("4.5363|5.1418|") + kUnmatched);
    EXPECT_EQ(labels["lblrQ050"], "old");
}

} // namespace
} // namespace runnelex
