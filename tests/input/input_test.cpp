// SPDX-License-Identifier: GPL-3.0-or-later
// Units, the safe conversion, the entry checks and the unit selection handlers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "common/number_text.h"
#include "engine/hydrocalc.h"
#include "input/entry_check.h"
#include "input/iosafe.h"
#include "input/unit_selection.h"
#include "input/units.h"

// glibc keeps the locale path it parses from LOCPATH for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:__argz_add_sep\n";
}

namespace runnelex {
namespace {

struct Recorder {
    std::vector<std::string> shown;
    hydrocalc::Notify notify() {
        return [this](const std::string& m) {
            shown.push_back(m);
        };
    }
};

std::vector<std::string> messages(const char* message) {
    return message ? std::vector<std::string>{message} : std::vector<std::string>{};
}

auto fields(const CalcInputs& x) {
    return std::tie(x.Dims[0], x.SlopeFtFt, x.ManningN, x.Qcfs, x.Unitflow, x.DiamInFeet,
                    x.SlopeInPercent);
}

TEST(Units, UnknownCodes) {
    // The conversions of the known codes are checked through the entry checks and displayRun.
    double x = 7;
    EXPECT_FALSE(units::flowToCfs(1, "cfs", x));
    EXPECT_FALSE(units::flowFromCfs(1, "", x));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(units::capacityHeading("cfs"), "");
    EXPECT_THROW(units::flowToCfs(1.7e308, "MGD", x), hydrocalc::ArithmeticError);
}

TEST(SafeDbl, ConvertsAndReports) {
    const struct {
        const char* name;
        iosafe::SafeValue value;
        double result;
        const char* message; // with reporting on
    } cases[] = {
        {"null", iosafe::Null{}, 0, " was null.  converted to zero."},
        {"empty text", std::string(), 0, " was not numeric.  converted to zero."},
        {"letters", std::string("abc"), 0, "abc was not numeric.  converted to zero."},
        {"negative text", std::string("-3"), 0, "-3 was negative. converted to zero."},
        {"negative number", -3.0, 0, "-3 was negative. converted to zero."},
        {"minus zero text", std::string("-0"), 0, nullptr},
        {"number", 12.5, 12.5, nullptr},
        {"blanks and exponent", std::string(" 1.25e1 "), 12.5, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder on, off;
        EXPECT_EQ(iosafe::fSafeDbl(c.value, true, on.notify()), c.result);
        EXPECT_EQ(iosafe::fSafeDbl(c.value, false, off.notify()), c.result);
        EXPECT_EQ(on.shown, messages(c.message));
        EXPECT_TRUE(off.shown.empty());
    }
}

TEST(NumericTest, AcceptsNumbersOnly) {
    // clang-format off
    const char* const accepted[] = {
        "0", " 12.5 ", "\t7\t", "+1", "-2", ".5", "5.", "1E+3", "2.5e-3", "1e-300",
        "1.7976931348623157e308", "2.2250738585072014e-308"};
    const char* const rejected[] = {
        "", " ", ".", "+", "e5", "1e", "1e+", "1,5", "1 000", "0x10", "inf", "nan", "Infinity",
        "1e309", "-1e309", "1e-400", "1e-310", "12a", "--1", "+-1", "1..2", "1.5e2.5", "\n1"};
    // clang-format on
    for (const char* text : accepted) {
        SCOPED_TRACE(text);
        const auto parsed = iosafe::parseNumber(text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, std::strtod(text, nullptr)); // the test runs in the "C" locale
    }
    for (const char* text : rejected) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(iosafe::isNumeric(text));
        Recorder rec;
        EXPECT_EQ(iosafe::fSafeDbl(std::string(text), true, rec.notify()), 0.0);
        EXPECT_EQ(rec.shown, messages((std::string(text) + iosafe::kNotNumericMessage).c_str()));
    }
}

// Restores the "C" locale however the test ends.
struct ClassicLocaleAtExit {
    ~ClassicLocaleAtExit() { std::locale::global(std::locale::classic()); }
};

TEST(NumericTest, IndependentOfTheUserLocale) {
    ClassicLocaleAtExit guard;
    try {
        std::locale::global(std::locale("de_DE.UTF-8")); // also sets the C library's locale
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "no German locale installed";
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    ASSERT_STREQ(buf, "1,5") << "the German locale does not use the decimal comma";

    EXPECT_EQ(iosafe::parseNumber("2.5e-3"), 0.0025);
    EXPECT_FALSE(iosafe::parseNumber("1,5"));
    EXPECT_EQ(iosafe::fSafeDbl(std::string("12.5"), false), 12.5);
    EXPECT_EQ(displayNumber(1234567.891), "1234567.891");
    EXPECT_EQ(displayNumber(1.5e20), "1.5E+20");
    CalcInputs in;
    EXPECT_TRUE(entry::checkEntry(entry::Box::Diam, "8.5", in).runCalc);
    EXPECT_EQ(in.Dims[0], 8.5 / 12);
}

TEST(EntryCheck, KeystrokeFilter) {
    for (int code : {8, 9, 10, 11, 13, 46, 48, 57, -1, -20000})
        EXPECT_EQ(entry::filterKey(code), code) << code;
    for (int code : {0, 3, 12, 22, 24, 26, 32, 43, 44, 45, 47, 58, 69, 101, 127, 200})
        EXPECT_EQ(entry::filterKey(code), 0) << code;
    for (int code : {9, 10, 11, 13})
        EXPECT_TRUE(entry::isCommitKey(code)) << code;
    for (int code : {8, 12, 46, 48})
        EXPECT_FALSE(entry::isCommitKey(code)) << code;
}

double& fieldOf(entry::Box box, CalcInputs& in) {
    using entry::Box;
    return box == Box::Diam    ? in.Dims[0]
           : box == Box::Slope ? in.SlopeFtFt
           : box == Box::Flow  ? in.Qcfs
                               : in.ManningN;
}

TEST(EntryCheck, StoresOrRejects) {
    using entry::Box;
    const char* diamMsg = "Diameter must be a positive real number.";
    const char* slopeMsg = "Slope must be a positive real number.";
    const char* nMsg = "Manning's n must be a positive real number.";
    const char* qMsg = "Q must be a positive real number.";
    const char* unitMsg = "Unitflow incorrectly defined in DoCalc";
    // clang-format off
    const struct {
        Box box;
        std::string text;
        std::string unit;   // "ft.", "%" or the flow code set before the check
        double field;       // the box's field afterwards (7 before)
        std::optional<std::string> message;
        bool emptyBox, runCalc;
        std::optional<std::string> heading;
    } cases[] = {
        {Box::Diam, "8", "", 0.6666666666666666, {}, false, true, {}},
        {Box::Diam, "24", "ft.", 24, {}, false, true, {}},
        {Box::Slope, "5", "%", 0.05, {}, false, true, {}},
        {Box::ManningN, "0.015", "", 0.015, {}, false, true, {}},
        {Box::Flow, "2", "CFS", 2, {}, false, true, "Q (cfs)"},
        {Box::Flow, "2", "GPM", 0.004455359999999999, {}, false, true, "Q (gpm)"},
        {Box::Flow, "10", "MGD", 15.469999999999999, {}, false, true, "Q (mgd)"},
        {Box::Flow, "2", "gpm", 7, unitMsg, false, true, {}},
        // An empty box is zero without a word, except n, which has no empty state.
        {Box::Diam, "", "", 0, {}, false, false, {}},
        {Box::Flow, "", "", 0, {}, false, false, {}},
        {Box::ManningN, "", "", 7, nMsg, true, false, {}},
        {Box::Diam, "0", "", 7, diamMsg, true, false, {}},
        {Box::Flow, ".", "", 7, qMsg, true, false, {}},
        {Box::ManningN, "0", "", 7, nMsg, true, false, {}},
        {Box::Diam, "-1", "", 7, diamMsg, true, false, {}},
        {Box::Slope, "1e999", "", 7, slopeMsg, true, false, {}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " " + c.unit);
        CalcInputs in;
        in.Dims[0] = in.SlopeFtFt = in.ManningN = in.Qcfs = 7;
        in.DiamInFeet = c.unit == "ft.";
        in.SlopeInPercent = c.unit == "%";
        if (c.box == Box::Flow && !c.unit.empty())
            in.Unitflow = c.unit;
        CalcInputs expected = in;
        fieldOf(c.box, expected) = c.field;
        const entry::EntryResult r = entry::checkEntry(c.box, c.text, in);
        EXPECT_EQ(fields(in), fields(expected));
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.emptyBox, c.emptyBox);
        EXPECT_EQ(r.runCalc, c.runCalc);
        EXPECT_EQ(r.capacityHeading, c.heading);
    }
}

// The handlers apply the index rules: an index outside the list shows its message and picks the
// list's first unit.
TEST(UnitSelection, ReReadTheBoxInTheNewUnitAndTouchOnlyTheirOwnField) {
    const char* diamMsg = "UnitDiam List Value invalid.  Defaulting to inches...";
    const char* slopeMsg = "UnitSlope List Value invalid.  Defaulting to ft/ft...";
    const char* flowMsg = "UnitFloW List Value invalid.  Defaulting to CFS...";
    // clang-format off
    const struct {
        char list; // 'd' diameter, 's' slope, 'f' flow
        int index;
        const char* text;
        double base;      // the list's base value afterwards
        const char* unit; // its unit afterwards
        const char* heading;
        const char* message;
    } cases[] = {
        {'d', 1, "24", 24, "ft.", "", nullptr}, {'d', 0, "24", 2, "in.", "", nullptr},
        {'d', 2, "24", 2, "in.", "", diamMsg}, {'d', -1, "24", 2, "in.", "", diamMsg},
        {'d', 1, "", 0, "ft.", "", nullptr}, {'d', 1, "-3", 0, "ft.", "", nullptr},
        {'s', 1, "0.5", 0.005, "%", "", nullptr}, {'s', 0, "0.5", 0.5, "ft/ft", "", nullptr},
        {'s', 2, "abc", 0, "ft/ft", "", slopeMsg}, {'s', -1, "1", 1, "ft/ft", "", slopeMsg},
        {'f', 2, "1000", 2.22768, "GPM", "Q (gpm)", nullptr},
        {'f', 1, "1", 1.547, "MGD", "Q (mgd)", nullptr},
        {'f', 0, "", 0, "CFS", "Q (cfs)", nullptr}, {'f', 3, "2", 2, "CFS", "Q (cfs)", flowMsg},
        {'f', -1, "2", 2, "CFS", "Q (cfs)", flowMsg}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.list) + std::to_string(c.index) + " '" + c.text + "'");
        CalcInputs in;
        in.Dims[0] = in.SlopeFtFt = in.Qcfs = 9;
        in.DiamInFeet = in.SlopeInPercent = true; // an invalid index must reset them
        in.Unitflow = "MGD";
        CalcInputs expected = in;
        Recorder rec;
        std::string heading;
        if (c.list == 'd') {
            selection::selectDiamUnit(c.index, c.text, in, rec.notify());
            expected.Dims[0] = c.base;
            expected.DiamInFeet = std::string(c.unit) == "ft.";
        } else if (c.list == 's') {
            selection::selectSlopeUnit(c.index, c.text, in, rec.notify());
            expected.SlopeFtFt = c.base;
            expected.SlopeInPercent = std::string(c.unit) == "%";
        } else {
            heading = selection::selectFlowUnit(c.index, c.text, in, rec.notify());
            expected.Qcfs = c.base;
            expected.Unitflow = c.unit;
        }
        EXPECT_EQ(fields(in), fields(expected));
        EXPECT_EQ(rec.shown, messages(c.message));
        EXPECT_EQ(heading, c.heading);
    }
}

} // namespace
} // namespace runnelex
