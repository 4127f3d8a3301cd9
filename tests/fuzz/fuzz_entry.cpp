// SPDX-License-Identifier: GPL-3.0-or-later
// The entry checks of the four numeric boxes and the re-reading of a box by the unit lists,
// fed any text as pasted, in any unit, over any earlier inputs; and the reading of a number
// they rest on, against the C library's.
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include <locale.h>

#include "fuzz_check.h"
#include "input/calc_inputs.h"
#include "input/entry_check.h"
#include "input/iosafe.h"
#include "input/unit_selection.h"
#include "input/units.h"

namespace {

using namespace runnelex;
using fuzz::escaped;
using fuzz::require;

// Compares doubles bit for bit, so that a NaN left in a field compares equal to itself.
bool same(const CalcInputs& a, const CalcInputs& b) {
    const auto bits = [](const CalcInputs& x) {
        return std::tuple(
            std::bit_cast<std::uint64_t>(x.Dims[0]), std::bit_cast<std::uint64_t>(x.SlopeFtFt),
            std::bit_cast<std::uint64_t>(x.ManningN), std::bit_cast<std::uint64_t>(x.Qcfs),
            x.Unitflow, x.DiamInFeet, x.SlopeInPercent);
    };
    return bits(a) == bits(b);
}

double& fieldOf(entry::Box box, CalcInputs& in) {
    using entry::Box;
    return box == Box::Diam       ? in.Dims[0]
           : box == Box::Slope    ? in.SlopeFtFt
           : box == Box::ManningN ? in.ManningN
                                  : in.Qcfs;
}

const char* const kUnitflows[] = {"CFS", "MGD", "GPM", "cfs", ""};

CalcInputs earlierInputs(FuzzedDataProvider& fdp) {
    CalcInputs in;
    in.Dims[0] = fdp.ConsumeFloatingPoint<double>();
    in.SlopeFtFt = fdp.ConsumeFloatingPoint<double>();
    in.ManningN = fdp.ConsumeFloatingPoint<double>();
    in.Qcfs = fdp.ConsumeFloatingPoint<double>();
    in.Unitflow = fdp.PickValueInArray(kUnitflows);
    in.DiamInFeet = fdp.ConsumeBool();
    in.SlopeInPercent = fdp.ConsumeBool();
    return in;
}

void checkOneEntry(entry::Box box, const std::string& text, const CalcInputs& before) {
    const std::string shown = escaped(text);
    CalcInputs in = before;
    entry::EntryResult r;
    try {
        r = entry::checkEntry(box, text, in);
    } catch (const hydrocalc::ArithmeticError&) {
        // Only a flow in MGD can leave the range of a double on its way to cfs.
        const auto v = iosafe::parseNumber(text);
        require(box == entry::Box::Flow && before.Unitflow == "MGD" && v &&
                    std::isinf(*v / units::kMgdPerCfs),
                "only an MGD flow beyond the range overflows", shown);
        return;
    }
    const auto value = iosafe::parseNumber(text);
    CalcInputs expected = before;
    if (text.empty() && box != entry::Box::ManningN) {
        fieldOf(box, expected) = 0.0;
        require(same(in, expected) && !r.message && !r.emptyBox && !r.runCalc && !r.capacityHeading,
                "an empty box is 0, silently, and nothing runs", shown);
        return;
    }
    if (!value || !(*value > 0.0)) {
        require(same(in, before), "a rejected entry changes no field", shown);
        require(r.message == std::string(entry::rejectionMessage(box)) && r.emptyBox &&
                    !r.runCalc && !r.capacityHeading,
                "a rejected entry shows the box's message and empties the box", shown);
        return;
    }
    require(r.runCalc && !r.emptyBox, "an accepted entry runs the calculation", shown);
    // The value in base units; every other field as it was.
    const double x = *value;
    bool known = true;
    switch (box) {
    case entry::Box::Diam:
        expected.Dims[0] = before.DiamInFeet ? x : x / units::kInchesPerFoot;
        break;
    case entry::Box::Slope:
        expected.SlopeFtFt = before.SlopeInPercent ? x / units::kPercentPerFtFt : x;
        break;
    case entry::Box::ManningN:
        expected.ManningN = x;
        break;
    case entry::Box::Flow:
        known = units::flowToCfs(x, before.Unitflow, expected.Qcfs);
        break;
    default: // a box's side, span and rise: not typed here
        return;
    }
    require(same(in, expected), "an accepted entry stores its value in base units", shown);
    const double stored = fieldOf(box, in);
    require(!known || (std::isfinite(stored) && stored > 0.0),
            "an accepted entry stores a finite positive value", shown);
    if (box == entry::Box::Flow && !known)
        require(r.message == std::string(entry::kUnitflowUndefinedMessage) && !r.capacityHeading,
                "an unknown flow code is reported and keeps the heading", shown);
    else if (box == entry::Box::Flow)
        require(!r.message && r.capacityHeading == units::capacityHeading(before.Unitflow),
                "an accepted flow sets the heading of its unit", shown);
    else
        require(!r.message && !r.capacityHeading, "an accepted entry shows nothing", shown);
}

// A text that is a number between its blanks has the value the C library reads, inside the
// range of a double; a text with any other character is no number.
void readsAsTheCLibrary(const std::string& text) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    const auto parsed = iosafe::parseNumber(text);
    const std::string shown = escaped(text);
    const std::size_t first = text.find_first_not_of(" \t");
    const std::string core = first == std::string::npos
                                 ? ""
                                 : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    if (core.empty() || core.find_first_not_of("0123456789.eE+-") != std::string::npos) {
        require(!parsed, "a text with other characters is no number", shown);
        return;
    }
    char* end = nullptr;
    errno = 0;
    const double value = strtod_l(core.c_str(), &end, c);
    const bool whole = end == core.c_str() + core.size();
    const bool inRange =
        errno != ERANGE && std::isfinite(value) && (value == 0.0 || std::fabs(value) >= DBL_MIN);
    if (parsed)
        require(whole && inRange && value == *parsed,
                "an accepted text has the value the C library reads", shown);
    else
        require(!(whole && inRange), "a decimal number inside the range is accepted", shown);
}

// A unit list re-reads the unchanged box text in the new unit.
void selectUnit(int list, int index, const std::string& text, const CalcInputs& before) {
    const std::string shown = escaped(text);
    CalcInputs in = before;
    std::vector<std::string> messages;
    const hydrocalc::Notify notify = [&](const std::string& m) {
        messages.push_back(m);
    };
    double* field = nullptr;
    try {
        if (list == 0) {
            selection::selectDiamUnit(index, text, in, notify);
            field = &in.Dims[0];
        } else if (list == 1) {
            selection::selectSlopeUnit(index, text, in, notify);
            field = &in.SlopeFtFt;
        } else {
            const std::string heading = selection::selectFlowUnit(index, text, in, notify);
            require(heading == units::capacityHeading(in.Unitflow),
                    "the heading follows the chosen flow unit", shown);
            field = &in.Qcfs;
        }
    } catch (const hydrocalc::ArithmeticError&) {
        require(list == 2 && in.Unitflow == "MGD" &&
                    std::isinf(iosafe::fSafeDbl(text, false) / units::kMgdPerCfs),
                "only an MGD flow beyond the range overflows", shown);
        return;
    }
    const bool validIndex = index >= 0 && index < (list == 2 ? 3 : 2);
    require(messages.size() == (validIndex ? 0u : 1u),
            "an index outside the list is reported once, a valid one not at all", shown);
    require(std::isfinite(*field) && *field >= 0.0,
            "a re-read box gives a finite value, 0 when unusable", shown);
    if (iosafe::fSafeDbl(text, false) == 0.0)
        require(*field == 0.0, "an unusable box text reads as 0 in any unit", shown);
    CalcInputs others = in;
    *(list == 0   ? &others.Dims[0]
      : list == 1 ? &others.SlopeFtFt
                  : &others.Qcfs) = list == 0   ? before.Dims[0]
                                    : list == 1 ? before.SlopeFtFt
                                                : before.Qcfs;
    others.DiamInFeet = list == 0 ? before.DiamInFeet : others.DiamInFeet;
    others.SlopeInPercent = list == 1 ? before.SlopeInPercent : others.SlopeInPercent;
    others.Unitflow = list == 2 ? before.Unitflow : others.Unitflow;
    require(same(others, before), "a unit list touches only its own fields", shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    const CalcInputs before = earlierInputs(fdp);
    const int what = fdp.ConsumeIntegralInRange(0, 6);
    const int index = fdp.ConsumeIntegralInRange(-2, 3);
    const std::string text = fdp.ConsumeRemainingBytesAsString();
    readsAsTheCLibrary(text);
    if (what < 4)
        checkOneEntry(static_cast<entry::Box>(what), text, before);
    else
        selectUnit(what - 4, index, text, before);
    return 0;
}
