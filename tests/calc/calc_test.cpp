// SPDX-License-Identifier: GPL-3.0-or-later
// One calculation, the display rule, and the label texts a run writes in the order it writes them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "calc/display_run.h"
#include "common/number_text.h"
#include "engine/hydrocalc.h"

namespace runnelex {
namespace {

TEST(DisplayNumber, RoundsHalfToEvenWithoutTrailingZeros) {
    // Exact binary ties go to the even digit; 2.675 is stored just below its tie.
    // clang-format off
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {2.0, 4, "2"}, {4.53630, 4, "4.5363"}, {100.0, 4, "100"}, {1200.5, 2, "1200.5"},
        {0.03125, 4, "0.0312"}, {0.09375, 4, "0.0938"}, {0.125, 2, "0.12"}, {0.375, 2, "0.38"},
        {2.5, 0, "2"}, {3.5, 0, "4"}, {2.675, 2, "2.67"}, {0.1 + 0.2, 4, "0.3"},
        {0.0001, 4, "0.0001"}, {0.00004, 4, "0"}, {-0.0, 4, "0"}, {-0.00001, 4, "0"},
        {-1.23456, 4, "-1.2346"}, {123456789012.34567, 4, "123456789012.346"},
        {1e14, 4, "100000000000000"}, {1e15, 4, "1E+15"}, {1.5e20, 4, "1.5E+20"},
        {1.7976931348623157e308, 4, "1.79769313486232E+308"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(displayNumber(c.value, c.decimals), c.text) << c.value << " to " << c.decimals;
    EXPECT_THROW(displayNumber(std::numeric_limits<double>::infinity()),
                 hydrocalc::ArithmeticError);
    EXPECT_THROW(displayNumber(std::numeric_limits<double>::quiet_NaN()),
                 hydrocalc::ArithmeticError);
}

// Outside the main window's US circle a value keeps four significant digits: more decimals for
// small values, never "0" for a positive one, the fixed rule's text where it has enough.
TEST(DisplayNumber, SignificantRuleKeepsFourDigits) {
    // clang-format off
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.0036526, 4, "0.003653"}, {0.00037477, 4, "0.0003748"}, {-0.0036526, 4, "-0.003653"},
        {0.0992284, 4, "0.09923"}, {0.5359, 4, "0.5359"}, {12.345678, 4, "12.3457"},
        {0.00099996, 4, "0.001"}, {1.23456e-5, 4, "1.235E-05"}, {0.0, 4, "0"},
        {1.23456, 2, "1.235"}, {1234.5678, 2, "1234.57"},
        {4.9406564584124654e-324, 4, "4.94065645841247E-324"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(displayNumber(c.value, c.decimals, DigitRule::Significant), c.text) << c.value;
    EXPECT_EQ(displayNumber(0.00037477), "0.0004"); // the fixed rule is unchanged
}

// The quick route must give the exact route's text for every value: random magnitudes, values
// a few units in the last place around decimal ties, and ties that are exact in binary.
TEST(DisplayNumber, QuickRouteAgreesWithTheExactConversion) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<> unit(0, 1);
    for (int i = 0; i < 200000; ++i) {
        const int decimals = i % 5;
        double v = 0;
        switch (i % 4) {
        case 0: // any magnitude a result can have
            v = std::pow(10.0, unit(rng) * 40 - 20);
            break;
        case 1: { // around a decimal tie: (k + 1/2) / 10^decimals, nudged by a few ulps
            const double k = std::floor(std::pow(10.0, unit(rng) * 14));
            v = (k + 0.5) / std::pow(10.0, decimals);
            for (int n = static_cast<int>(unit(rng) * 9) - 4; n != 0; n += n > 0 ? -1 : 1)
                v = std::nextafter(v, n > 0 ? INFINITY : 0.0);
            break;
        }
        case 2: // binary ties: odd multiples of 2^-k
            v = std::ldexp(2.0 * std::floor(unit(rng) * 1e6) + 1,
                           -static_cast<int>(unit(rng) * 20));
            break;
        default: // near 10^15 / 10^decimals, where the quick route hands over
            v = (1e15 / std::pow(10.0, decimals)) * (0.999 + unit(rng) * 0.002);
        }
        if (i % 3 == 0)
            v = -v;
        ASSERT_EQ(displayNumber(v, decimals), displayNumberExact(v, decimals))
            << std::hexfloat << v << " to " << decimals;
    }
}

CalcInputs pipe(double D, double S, double n, double Q, const std::string& unitflow = "CFS") {
    CalcInputs in;
    in.Dims[0] = D;
    in.SlopeFtFt = S;
    in.ManningN = n;
    in.Qcfs = Q;
    in.Unitflow = unitflow;
    return in;
}

CalcInputs workedExample(double Q, const std::string& unitflow = "CFS") {
    return pipe(1, 0.01, 0.013, Q, unitflow);
}

const char* const kUnmatched = "Unitflow variable unmatched in case stucture.";

// The labels a run writes, in order, without their "lblr"/"lbl" prefix; "!" for a message.
// (What they show: tests/cli/golden.)
std::string stepsOf(const DisplayRun& run) {
    std::string out;
    for (const DisplayStep& s : run.steps) {
        const std::string name = s.kind == DisplayStep::Kind::Message ? "!" : labelName(s.label);
        out += ' ' + name.substr(name.find_first_of("!ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"));
    }
    return out.empty() ? out : out.substr(1);
}

// Each branch writes only what it computed, the capacity rows first; a fault ends the run
// where it happened.
TEST(DisplayRun, StepsInOrder) {
    const std::string cap = "V050 Q050 V075 Q075 V093 Q093 V100 Q100";
    // clang-format off
    const struct {
        const char* name;
        CalcInputs in;
        std::string steps;
        bool fault;
    } cases[] = {
        {"worked example", workedExample(2), cap + " Dnorm AreaW PerimW Rh Vnorm FrNo Dcr DoverD "
         "Regime FullCondition FullCause Hf Vfull", false},
        {"surcharged", workedExample(4), cap + " Dnorm Vnorm DoverD AreaW PerimW Rh FrNo Dcr FullCondition "
         "FullCause Regime Hf Vfull", false},
        {"no design flow", workedExample(0), cap, false},
        {"negative flow", workedExample(-1), cap, false},
        {"no diameter", pipe(0, 0.01, 0.013, 2), "", false},
        {"no slope", pipe(1, 0, 0.013, 2), "", false},
        {"no n", pipe(1, 0.01, 0, 2), "", false},
        {"invalid without flow", pipe(-1, 0.01, 0.013, 0), "", false},
        // Codes compare exactly: a lower-case code is as unknown as an empty one.
        {"unknown code", workedExample(0, ""), "V050 ! V075 ! V093 ! V100 !", false},
        {"lower-case code", workedExample(0, "cfs"), "V050 ! V075 ! V093 ! V100 !", false},
        // The solver drives the depth ratio below ~3e-17: fArccos(1) divides by zero.
        {"flow too small for the solver", workedExample(1e-40), cap, true},
        {"square of diameter overflows", pipe(1e200, 0.01, 0.013, 1), "", true},
        {"capacity flow overflows", pipe(1e116, 0.01, 0.013, 1), "", true},
        {"GPM conversion overflows", pipe(1e115, 0.01, 0.013, 0, "GPM"), "V050", true}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DisplayRun run = displayRun(c.in);
        EXPECT_EQ(stepsOf(run), c.steps);
        EXPECT_EQ(run.fault.has_value(), c.fault);
    }
    EXPECT_EQ(*displayRun(workedExample(1e-40)).fault, "Division by zero");
    EXPECT_EQ(*displayRun(pipe(1e115, 0.01, 0.013, 0, "GPM")).fault, "Overflow");
    EXPECT_FALSE(displayRun(pipe(1e115, 0.01, 0.013, 0, "GPM")).results.fault);
}

TEST(Calculation, BranchRules) {
    const CalcResults worked = computeCalculation(workedExample(2));
    EXPECT_EQ(worked.outcome, Outcome::OpenChannel);
    // Above the full-pipe flow but within Qmax the pipe still runs open, deep in its bracket.
    const CalcResults deep = computeCalculation(workedExample(3.7));
    EXPECT_EQ(deep.outcome, Outcome::OpenChannel);
    EXPECT_GT(*deep.Dnorm, 0.75);
    EXPECT_LT(*deep.Dnorm, 0.93);
    // A flow of exactly Qmax stays open channel; the next double surcharges.
    const double qmax = *worked.Qmax;
    EXPECT_EQ(computeCalculation(workedExample(qmax)).outcome, Outcome::OpenChannel);
    const double above = std::nextafter(qmax, std::numeric_limits<double>::infinity());
    EXPECT_EQ(computeCalculation(workedExample(above)).outcome, Outcome::Surcharged);
    // Subcritical already at one ten-thousandth of the pipe: the march's bounded result.
    EXPECT_EQ(*computeCalculation(workedExample(1e-20)).Dcr, 1e-4);
}

TEST(ApplyDisplayRun, SurchargedRunShowsTheFullPipe) {
    LabelTexts labels = startupLabelTexts();
    EXPECT_EQ(labels[Label::CapQ], "Q(cfs)");
    EXPECT_EQ(labels[Label::AreaW], "");
    applyDisplayRun(displayRun(workedExample(2)), labels);
    applyDisplayRun(displayRun(workedExample(4)), labels);
    EXPECT_EQ(labels[Label::AreaW] + "|" + labels[Label::PerimW] + "|" + labels[Label::Rh],
              "0.7854|3.1416|0.25");
    EXPECT_EQ(labels[Label::Dnorm] + "|" + labels[Label::Regime] + "|" + labels[Label::CapQ],
              "|Surcharged!|Q(cfs)");
}

TEST(ApplyDisplayRun, MessagesComeBetweenTheLabels) {
    LabelTexts labels = startupLabelTexts();
    labels[Label::Q050] = "old";
    std::vector<std::string> trace;
    applyDisplayRun(displayRun(workedExample(0, "")), labels, [&](const std::string& m) {
        trace.push_back(labels[Label::V050] + "|" + labels[Label::V075] + "|" + m);
    });
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[0], std::string("4.5363||") + kUnmatched);
    EXPECT_EQ(trace[1], std::string("4.5363|5.1418|") + kUnmatched);
    EXPECT_EQ(labels[Label::Q050], "old");
}

} // namespace
} // namespace runnelex
