// SPDX-License-Identifier: GPL-3.0-or-later
// The whole calculation and each engine function fed any doubles: every run ends, with results
// or an ArithmeticError, never anything else.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/display_run.h"
#include "common/number_text.h"
#include "engine/hydrocalc.h"
#include "fuzz_check.h"
#include "fuzz_doubles.h"

namespace {

using namespace runnelex;
using namespace runnelex::hydrocalc;
using fuzz::anyDouble;
using fuzz::describe;
using fuzz::require;

// An engine result is a finite number; a fault is an ArithmeticError, which ends it.
template <typename F> void engineCall(const char* what, const std::string& args, F&& f) {
    try {
        const double r = f();
        require(std::isfinite(r), what, args);
    } catch (const ArithmeticError&) {
    }
}

// The value of a shown number, read with more range than a double: 15 digits of the largest
// doubles round above the largest double ("1.79769313486232E+308").
long double readBack(const std::string& text, const std::string& args) {
    const std::string_view digits(text);
    require(!text.empty() && digits.find_first_not_of("0123456789.E+-") == digits.npos,
            "a shown value is digits, point, sign and exponent", args + " " + text);
    char* end = nullptr;
    const long double back = std::strtold(text.c_str(), &end);
    require(end == text.c_str() + text.size(), "a shown value reads back", args + " " + text);
    return back;
}

// The labels that show numbers: the results but the regime.
bool showsNumber(Label l) {
    return static_cast<std::size_t>(l) < kResultLabelCount && l != Label::Regime;
}

void wholeCalculation(FuzzedDataProvider& fdp) {
    static const char* const kUnitflows[] = {"CFS", "MGD", "GPM", "gpm"};
    CalcInputs in;
    in.Dims[0] = anyDouble(fdp);
    in.SlopeFtFt = anyDouble(fdp);
    in.ManningN = anyDouble(fdp);
    in.Qcfs = anyDouble(fdp);
    in.Unitflow = fdp.PickValueInArray(kUnitflows);
    in.DiamInFeet = fdp.ConsumeBool();
    in.SlopeInPercent = fdp.ConsumeBool();
    const std::string args =
        describe({in.Dims[0], in.SlopeFtFt, in.ManningN, in.Qcfs}) + in.Unitflow;

    const DisplayRun run = displayRun(in);
    LabelTexts labels = startupLabelTexts();
    int messages = 0;
    applyDisplayRun(run, labels, [&](const std::string& m) {
        require(m == kUnitflowUnmatchedMessage, "the only message of a run is the unit's", args);
        ++messages;
    });
    for (std::size_t i = 0; i < kLabelCount; ++i) {
        const Label l = labelAt(i);
        if (showsNumber(l) && !labels[l].empty())
            readBack(labels[l], args + " " + labelName(l));
    }
    const CalcResults& r = run.results;
    if (run.fault)
        return;
    require(r.outcome.has_value(), "a run without a fault knows its outcome", args);
    if (*r.outcome == Outcome::InputsInvalid) {
        require(run.steps.empty(), "invalid inputs show nothing", args);
        return;
    }
    const double D = in.Dims[0];
    require(r.Capacity.size() == 4 && r.Qmax, "the capacity table is complete", args);
    if (*r.outcome == Outcome::OpenChannel) {
        require(*r.Dnorm > 0.0 && *r.Dnorm <= 0.93 * D, "the normal depth lies in its bracket",
                args);
        require(*r.Dcr > 0.0 && *r.Dcr <= D * (1.0 + kCritStep),
                "the critical depth lies in the pipe, up to one step", args);
        require(std::isfinite(*r.FrNo) && *r.FrNo >= 0.0, "the Froude number is finite", args);
        require(*r.DoverD > 0.0 && *r.DoverD <= 0.93, "d/D lies in the bracket", args);
    }
    if (*r.outcome != Outcome::NoDesignFlow)
        require(r.Hf && r.Vfull && std::isfinite(*r.Hf) && std::isfinite(*r.Vfull),
                "a design flow gives the full-pipe slope and velocity", args);
}

void engineFunction(int which, FuzzedDataProvider& fdp) {
    const double a = anyDouble(fdp), b = anyDouble(fdp), c = anyDouble(fdp);
    const double d = anyDouble(fdp), e = anyDouble(fdp), f = anyDouble(fdp);
    const auto shape = fdp.ConsumeIntegral<ShapeCode>();
    const std::string args = describe({a, b, c, d, e, f}) + std::to_string(shape);
    switch (which) {
    case 0:
        engineCall("fDnormal", args, [&] { return fDnormal(a, b, c, shape, d, e); });
        break;
    case 1: {
        int notices = 0;
        engineCall("fDcritical", args, [&] {
            return fDcritical(a, b, c, shape, [&](const std::string&) { ++notices; });
        });
        require(notices <= 1, "an unknown shape is reported once", args);
        break;
    }
    case 2:
        engineCall("fFroude", args, [&] { return fFroude(a, b, c); });
        break;
    case 3:
        engineCall("fAreaW", args, [&] { return fAreaW(a, b, c, shape); });
        engineCall("fPerimW", args, [&] { return fPerimW(a, b, c, shape); });
        engineCall("fRh", args, [&] { return fRh(a, b); });
        engineCall("fTheta", args, [&] { return fTheta(a); });
        engineCall("fArccos", args, [&] { return fArccos(a); });
        break;
    case 4:
        engineCall("fVmanning", args, [&] { return fVmanning(a, b, c); });
        engineCall("fSfManning", args, [&] { return fSfManning(a, b, c); });
        break;
    default: {
        // The display rule: a finite value gives a number text, any other a fault.
        const int decimals = shape & 1 ? kGpmDigits : kDigits;
        try {
            const std::string text = displayNumber(a, decimals);
            require(std::isfinite(a), "only a finite value shows", args);
            const long double back = readBack(text, args);
            require(std::fabs(back - a) <= 0.5e-2L + std::fabs(a) * 1e-14L,
                    "a shown value is the value rounded", args + " " + text);
            // Outside the main window's US circle: four significant digits, never 0 for a
            // value that is not.
            const std::string sig = displayNumber(a, decimals, DigitRule::Significant);
            require(std::fabs(readBack(sig, args) - a) <= std::fabs(a) * (5e-4L + 1e-14L),
                    "a shown value keeps four significant digits", args + " " + sig);
        } catch (const ArithmeticError&) {
            require(!std::isfinite(a), "only a value that is no number fails to show", args);
        }
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    const int which = fdp.ConsumeIntegralInRange(0, 6);
    if (which == 0)
        wholeCalculation(fdp);
    else
        engineFunction(which - 1, fdp);
    return 0;
}
