// Units, the safe conversion, the entry checks and the unit selection handlers.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <locale>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "calc/number_text.h"
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

// --- Units ---

TEST(IndexRules, ListPositionsAndInvalidIndexes) {
    const char* diamMsg = "UnitDiam List Value invalid.  Defaulting to inches...";
    const char* slopeMsg = "UnitSlope List Value invalid.  Defaulting to ft/ft...";
    const char* flowMsg = "UnitFloW List Value invalid.  Defaulting to CFS...";
    const struct {
        const char* rule;
        int index;
        std::string result;
        const char* message; // nullptr: none
    } cases[] = {
        {"diam", 0, "0", nullptr},    {"diam", 1, "1", nullptr},    {"diam", 2, "0", diamMsg},
        {"diam", -1, "0", diamMsg},   {"slope", 0, "0", nullptr},   {"slope", 1, "1", nullptr},
        {"slope", 2, "0", slopeMsg},  {"slope", -1, "0", slopeMsg}, {"flow", 0, "CFS", nullptr},
        {"flow", 1, "MGD", nullptr},  {"flow", 2, "GPM", nullptr},  {"flow", 3, "CFS", flowMsg},
        {"flow", -1, "CFS", flowMsg},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rule) + " " + std::to_string(c.index));
        Recorder rec;
        const std::string rule = c.rule;
        const std::string result =
            rule == "diam" ? std::to_string(units::diamInFeetFromIndex(c.index, rec.notify()))
            : rule == "slope"
                ? std::to_string(units::slopeInPercentFromIndex(c.index, rec.notify()))
                : units::unitflowFromIndex(c.index, rec.notify());
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(rec.shown,
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

double toCfs(double x, const char* code) {
    double q = -1;
    EXPECT_TRUE(units::flowToCfs(x, code, q));
    return q;
}

double fromCfs(double q, const char* code) {
    double x = -1;
    EXPECT_TRUE(units::flowFromCfs(q, code, x));
    return x;
}

TEST(Conversions, ExactDoubles) {
    // clang-format off
    const struct {
        const char* name;
        double got, expected;
    } cases[] = {
        {"24 in.", units::diamToFeet(24, false), 2},   {"24 ft.", units::diamToFeet(24, true), 24},
        {"8 in.", units::diamToFeet(8, false), 0.6666666666666666},
        {"0.5 %", units::slopeToFtFt(0.5, true), 0.005}, {"5 %", units::slopeToFtFt(5, true), 0.05},
        {"5 ft/ft", units::slopeToFtFt(5, false), 5},
        {"1 cfs in MGD", fromCfs(1, "MGD"), 0.6464124111182935},
        {"1 cfs in GPM", fromCfs(1, "GPM"), 448.8975077210372},
        {"1 cfs in CFS", fromCfs(1, "CFS"), 1},         {"1 CFS", toCfs(1, "CFS"), 1},
        {"1 MGD", toCfs(1, "MGD"), 1.547},              {"10 MGD", toCfs(10, "MGD"), 15.469999999999999},
        {"1000 GPM", toCfs(1000, "GPM"), 2.22768},      {"2 GPM", toCfs(2, "GPM"), 0.004455359999999999},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, c.expected);
    }
}

TEST(Conversions, UnknownCodeLeavesTheValueAndHeadingFollowsTheCode) {
    double value = 7;
    EXPECT_FALSE(units::flowToCfs(1, "cfs", value));
    EXPECT_FALSE(units::flowFromCfs(1, "", value));
    EXPECT_EQ(value, 7);
    EXPECT_EQ(units::capacityHeading("CFS"), "Q (cfs)");
    EXPECT_EQ(units::capacityHeading("MGD"), "Q (mgd)");
    EXPECT_EQ(units::capacityHeading("GPM"), "Q (gpm)");
    EXPECT_THROW(units::flowToCfs(1.7e308, "MGD", value), hydrocalc::ArithmeticError);
}

// --- fSafeDbl ---

struct SafeCase {
    const char* name;
    iosafe::SafeValue value;
    double result;
    const char* message; // with reporting on; nullptr: none
};

void PrintTo(const SafeCase& c, std::ostream* os) {
    *os << c.name;
}

class SafeDbl : public ::testing::TestWithParam<SafeCase> {};

TEST_P(SafeDbl, ConvertsAndReports) {
    const SafeCase& c = GetParam();
    Recorder on, off;
    EXPECT_EQ(iosafe::fSafeDbl(c.value, true, on.notify()), c.result);
    EXPECT_EQ(iosafe::fSafeDbl(c.value, false, off.notify()), c.result);
    EXPECT_EQ(on.shown,
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_TRUE(off.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, SafeDbl,
    ::testing::Values(
        SafeCase{"Null", iosafe::Null{}, 0, " was null.  converted to zero."},
        SafeCase{"EmptyText", std::string(), 0, " was not numeric.  converted to zero."},
        SafeCase{"Letters", std::string("abc"), 0, "abc was not numeric.  converted to zero."},
        SafeCase{"NegativeText", std::string("-3"), 0, "-3 was negative. converted to zero."},
        SafeCase{"NegativeNumber", -3.0, 0, "-3 was negative. converted to zero."},
        SafeCase{"ZeroText", std::string("0"), 0, nullptr},
        SafeCase{"MinusZeroText", std::string("-0"), 0, nullptr},
        SafeCase{"Text", std::string("12.5"), 12.5, nullptr},
        SafeCase{"Number", 12.5, 12.5, nullptr},
        SafeCase{"BlanksAndExponent", std::string(" 1.25e1 "), 12.5, nullptr},
        SafeCase{"OutOfRange", std::string("1e309"), 0,
                 "1e309 was not numeric.  converted to zero."}),
    [](const auto& info) { return std::string(info.param.name); });

const char* const kAccepted[] = {"0",
                                 "12.5",
                                 " 12.5 ",
                                 "\t7\t",
                                 "+1",
                                 "-2",
                                 ".5",
                                 "5.",
                                 "007",
                                 "1e3",
                                 "1E+3",
                                 "2.5e-3",
                                 "-0.0",
                                 "1e-300",
                                 "1.7976931348623157e308",
                                 "2.2250738585072014e-308"};
const char* const kRejected[] = {"",         " ",     ".",      "+",       "-",      "e5",   "1e",
                                 "1e+",      "1,5",   "1 000",  "0x10",    "inf",    "-inf", "nan",
                                 "Infinity", "1e309", "-1e309", "1e-400",  "1e-310", "12a",  "--1",
                                 "+-1",      "1..2",  "1.2.3",  "1.5e2.5", "\n1"};

TEST(NumericTest, AcceptedTextsConvertLikeTheCLocale) {
    for (const char* text : kAccepted) {
        SCOPED_TRACE(text);
        const auto parsed = iosafe::parseNumber(text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, std::strtod(text, nullptr)); // the test runs in the "C" locale
        const double expected = *parsed < 0 ? 0.0 : *parsed;
        Recorder rec;
        EXPECT_EQ(iosafe::fSafeDbl(std::string(text), true, rec.notify()), expected);
        if (*parsed >= 0) {
            EXPECT_TRUE(rec.shown.empty());
        }
    }
}

TEST(NumericTest, RejectedTextsAreNotNumeric) {
    for (const char* text : kRejected) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(iosafe::isNumeric(text));
        Recorder rec;
        EXPECT_EQ(iosafe::fSafeDbl(std::string(text), true, rec.notify()), 0.0);
        EXPECT_EQ(rec.shown,
                  std::vector<std::string>{std::string(text) + iosafe::kNotNumericMessage});
    }
}

// Restores the "C" locale however the test ends.
struct GlobalLocale {
    bool set(const char* name) {
        try {
            std::locale::global(std::locale(name)); // also sets the C library's locale
            return true;
        } catch (const std::runtime_error&) {
            return false;
        }
    }
    ~GlobalLocale() { std::locale::global(std::locale::classic()); }
};

TEST(NumericTest, IndependentOfTheUserLocale) {
    GlobalLocale guard;
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8",
                           "fr_FR.utf8",  "de_DE",      "fr_FR"};
    const char* active = nullptr;
    for (const char* name : names)
        if (guard.set(name)) {
            active = name;
            break;
        }
    if (!active)
        GTEST_SKIP() << "no German or French locale installed";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    ASSERT_STREQ(buf, "1,5") << active << " does not use the decimal comma";

    EXPECT_EQ(iosafe::parseNumber("1.5"), 1.5);
    EXPECT_EQ(iosafe::parseNumber("2.5e-3"), 0.0025);
    EXPECT_FALSE(iosafe::parseNumber("1,5"));
    EXPECT_EQ(iosafe::fSafeDbl(std::string("12.5"), false), 12.5);
    EXPECT_EQ(displayNumber(4.53630), "4.5363");
    EXPECT_EQ(displayNumber(1234567.891), "1234567.891");
    EXPECT_EQ(displayNumber(1.5e20), "1.5E+20");
    CalcInputs in;
    EXPECT_TRUE(entry::checkEntry(entry::Box::Diam, "8.5", in).runCalc);
    EXPECT_EQ(in.DiamFt, 8.5 / 12);
}

// --- Entry checks ---

TEST(KeystrokeFilter, KeepsDigitsPointAndEditingKeys) {
    for (int code : {8, 9, 10, 11, 13, 46, 48, 53, 57, -1, -20000}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(entry::filterKey(code), code);
    }
    for (int code : {0, 3, 22, 24, 26, 32, 43, 44, 45, 47, 58, 65, 69, 101, 127, 200}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(entry::filterKey(code), 0);
    }
    for (int code : {9, 10, 11, 13})
        EXPECT_TRUE(entry::isCommitKey(code)) << code;
    for (int code : {8, 46, 48, 0})
        EXPECT_FALSE(entry::isCommitKey(code)) << code;
}

struct EntryCase {
    const char* name;
    entry::Box box;
    std::string text;
    std::function<void(CalcInputs&)> units; // the unit state before the check
    double field;                           // the box's field afterwards (7 before)
    std::optional<std::string> message;
    bool emptyBox, runCalc;
    std::optional<std::string> heading;
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << c.name;
}

class EntryCheck : public ::testing::TestWithParam<EntryCase> {};

double fieldOf(entry::Box box, const CalcInputs& in) {
    switch (box) {
    case entry::Box::Diam:
        return in.DiamFt;
    case entry::Box::Slope:
        return in.SlopeFtFt;
    case entry::Box::ManningN:
        return in.ManningN;
    case entry::Box::Flow:
        break;
    }
    return in.Qcfs;
}

TEST_P(EntryCheck, StoresOrRejects) {
    const EntryCase& c = GetParam();
    CalcInputs in;
    in.DiamFt = in.SlopeFtFt = in.ManningN = in.Qcfs = 7;
    if (c.units)
        c.units(in);
    const entry::EntryResult r = entry::checkEntry(c.box, c.text, in);
    EXPECT_EQ(fieldOf(c.box, in), c.field);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.emptyBox, c.emptyBox);
    EXPECT_EQ(r.runCalc, c.runCalc);
    EXPECT_EQ(r.capacityHeading, c.heading);
}

using entry::Box;
const auto kFeet = [](CalcInputs& in) {
    in.DiamInFeet = true;
};
const auto kPercent = [](CalcInputs& in) {
    in.SlopeInPercent = true;
};
const auto flowIn = [](const char* code) {
    return [code](CalcInputs& in) {
        in.Unitflow = code;
    };
};
const std::string kDiamMsg = "Diameter must be a positive real number.";
const std::string kSlopeMsg = "Slope must be a positive real number.";
const std::string kNMsg = "Manning's n must be a positive real number.";
const std::string kQMsg = "Q must be a positive real number.";

INSTANTIATE_TEST_SUITE_P(
    Boxes, EntryCheck,
    ::testing::Values(
        EntryCase{"Diam12Inches", Box::Diam, "12", {}, 1, {}, false, true, {}},
        EntryCase{"Diam8Inches", Box::Diam, "8", {}, 0.6666666666666666, {}, false, true, {}},
        EntryCase{"Diam24Feet", Box::Diam, "24", kFeet, 24, {}, false, true, {}},
        EntryCase{"Slope5Percent", Box::Slope, "5", kPercent, 0.05, {}, false, true, {}},
        EntryCase{"Slope5FtFt", Box::Slope, "5", {}, 5, {}, false, true, {}},
        EntryCase{"N", Box::ManningN, "0.015", {}, 0.015, {}, false, true, {}},
        EntryCase{"FlowCfs", Box::Flow, "2", {}, 2, {}, false, true, "Q (cfs)"},
        EntryCase{"FlowGpm",
                  Box::Flow,
                  "2",
                  flowIn("GPM"),
                  0.004455359999999999,
                  {},
                  false,
                  true,
                  "Q (gpm)"},
        EntryCase{"FlowMgd",
                  Box::Flow,
                  "10",
                  flowIn("MGD"),
                  15.469999999999999,
                  {},
                  false,
                  true,
                  "Q (mgd)"},
        EntryCase{"FlowUnknownUnit",
                  Box::Flow,
                  "2",
                  flowIn("gpm"),
                  7,
                  "Unitflow incorrectly defined in DoCalc",
                  false,
                  true,
                  {}},
        EntryCase{"EmptyDiam", Box::Diam, "", {}, 0, {}, false, false, {}},
        EntryCase{"EmptySlope", Box::Slope, "", {}, 0, {}, false, false, {}},
        EntryCase{"EmptyFlow", Box::Flow, "", {}, 0, {}, false, false, {}},
        EntryCase{"EmptyN", Box::ManningN, "", {}, 7, kNMsg, true, false, {}},
        EntryCase{"ZeroDiam", Box::Diam, "0", {}, 7, kDiamMsg, true, false, {}},
        EntryCase{"ZeroPointZeroSlope", Box::Slope, "0.0", {}, 7, kSlopeMsg, true, false, {}},
        EntryCase{"PointFlow", Box::Flow, ".", {}, 7, kQMsg, true, false, {}},
        EntryCase{"ZeroN", Box::ManningN, "0", {}, 7, kNMsg, true, false, {}},
        EntryCase{"PointN", Box::ManningN, ".", {}, 7, kNMsg, true, false, {}},
        EntryCase{"NegativeDiam", Box::Diam, "-1", {}, 7, kDiamMsg, true, false, {}},
        EntryCase{"LettersFlow", Box::Flow, "abc", {}, 7, kQMsg, true, false, {}},
        EntryCase{"OutOfRangeSlope", Box::Slope, "1e999", {}, 7, kSlopeMsg, true, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Unit selection handlers ---

TEST(UnitSelection, ReReadTheBoxInTheNewUnitAndTouchOnlyTheirOwnField) {
    // clang-format off
    const struct {
        char list; // 'd' diameter, 's' slope, 'f' flow
        int index;
        const char* text;
        double base;        // the list's base value afterwards
        std::string unit;   // its unit field afterwards
        std::string heading;
        std::size_t messages;
    } cases[] = {
        {'d', 1, "24", 24, "1", "", 0},       {'d', 0, "24", 2, "0", "", 0},
        {'d', 4, "24", 2, "0", "", 1},        {'d', 1, "", 0, "1", "", 0},
        {'d', 1, "-3", 0, "1", "", 0},        {'s', 1, "0.5", 0.005, "1", "", 0},
        {'s', -1, "abc", 0, "0", "", 1},      {'f', 2, "1000", 2.22768, "GPM", "Q (gpm)", 0},
        {'f', 0, "", 0, "CFS", "Q (cfs)", 0}, {'f', 3, "2", 2, "CFS", "Q (cfs)", 1},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.list) + std::to_string(c.index) + " '" + c.text + "'");
        CalcInputs in;
        in.DiamFt = in.SlopeFtFt = in.Qcfs = 9;
        in.DiamInFeet = in.SlopeInPercent = true; // an invalid index must reset them
        in.Unitflow = "MGD";
        const CalcInputs before = in;
        Recorder rec;
        std::string heading;
        if (c.list == 'd')
            selection::selectDiamUnit(c.index, c.text, in, rec.notify());
        else if (c.list == 's')
            selection::selectSlopeUnit(c.index, c.text, in, rec.notify());
        else
            heading = selection::selectFlowUnit(c.index, c.text, in, rec.notify());
        EXPECT_EQ(rec.shown.size(), c.messages);
        EXPECT_EQ(heading, c.heading);
        EXPECT_EQ(in.ManningN, before.ManningN);
        const double base = c.list == 'd' ? in.DiamFt : c.list == 's' ? in.SlopeFtFt : in.Qcfs;
        EXPECT_EQ(base, c.base);
        const std::string unit = c.list == 'd'   ? std::to_string(in.DiamInFeet)
                                 : c.list == 's' ? std::to_string(in.SlopeInPercent)
                                                 : in.Unitflow;
        EXPECT_EQ(unit, c.unit);
        if (c.list != 'd') {
            EXPECT_EQ(in.DiamFt, before.DiamFt);
            EXPECT_EQ(in.DiamInFeet, before.DiamInFeet);
        }
        if (c.list != 's') {
            EXPECT_EQ(in.SlopeFtFt, before.SlopeFtFt);
            EXPECT_EQ(in.SlopeInPercent, before.SlopeInPercent);
        }
        if (c.list != 'f') {
            EXPECT_EQ(in.Qcfs, before.Qcfs);
            EXPECT_EQ(in.Unitflow, before.Unitflow);
        }
    }
}

} // namespace
} // namespace runnelex
