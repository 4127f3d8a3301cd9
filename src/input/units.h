// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/unit_system.h"
#include "engine/hydrocalc.h"

// The unit model: list items, index rules, conversion factors and the capacity heading.
namespace runnelex::units {

using Notify = hydrocalc::Notify;

inline constexpr double kInchesPerFoot = 12;
inline constexpr double kPercentPerFtFt = 100;
inline constexpr double kMgdPerCfs = 0.6464124111182935;
inline constexpr double kGpmPerCfs = 448.8975077210372;

inline constexpr std::array<std::string_view, 2> kDiamItems = {"in.", "ft."};
inline constexpr std::array<std::string_view, 2> kSlopeItems = {"ft/ft", "%"};
inline constexpr std::array<std::string_view, 3> kFlowItems = {"CFS", "MGD", "GPM"};

// SI: lengths in mm or m, slopes in m/m or %, flows in m³/s, L/s or ML/d (megalitres a day).
inline constexpr double kMmPerM = 1000;
inline constexpr double kLpsPerCms = 1000;
inline constexpr double kMldPerCms = 86.4; // 1 ML/d = 1000 m³ in 86 400 s
inline constexpr std::array<std::string_view, 2> kSiDiamItems = {"mm", "m"};
inline constexpr std::array<std::string_view, 2> kSiSlopeItems = {"m/m", "%"};
inline constexpr std::array<std::string_view, 3> kSiFlowItems = {"m\u00b3/s", "L/s", "ML/d"};

// The three lists of a system, as the unit lists show them.
struct UnitLists {
    const std::array<std::string_view, 2>& diam;
    const std::array<std::string_view, 2>& slope;
    const std::array<std::string_view, 3>& flow;
};
UnitLists unitLists(UnitSystem system);

// The units results are shown in, as the captions beside them name them.
struct ResultUnits {
    const char* depth;     // "ft"
    const char* perimeter; // "ft."
    const char* area;      // "sq. ft."
    const char* velocity;  // "ft/sec"
    const char* slope;     // "ft/ft"
    const char* capacityV; // the capacity table's velocity heading, "V(fps)"
    const char* flowSmall; // the capacity heading's unit in lower case, "cfs"
};
const ResultUnits& resultUnits(UnitSystem system);

inline constexpr const char* kDiamIndexMessage =
    "UnitDiam List Value invalid.  Defaulting to inches...";
inline constexpr const char* kSlopeIndexMessage =
    "UnitSlope List Value invalid.  Defaulting to ft/ft...";
inline constexpr const char* kFlowIndexMessage =
    "UnitFloW List Value invalid.  Defaulting to CFS...";

// Index rules: a list position to the unit field; any other index shows its message and gives
// the first unit of the list.
bool diamInFeetFromIndex(int index, const Notify& notify, UnitSystem system = UnitSystem::US);
bool slopeInPercentFromIndex(int index, const Notify& notify, UnitSystem system = UnitSystem::US);
std::string unitflowFromIndex(int index, const Notify& notify, UnitSystem system = UnitSystem::US);

// To base units (ft or m). Overflow throws hydrocalc::ArithmeticError.
double diamToFeet(double x, bool diamInFeet, UnitSystem system = UnitSystem::US);
double slopeToFtFt(double x, bool slopeInPercent);
// An unknown flow code leaves nothing to convert: returns false and leaves `cfs` alone.
bool flowToCfs(double x, const std::string& unitflow, double& cfs);

// From base units, for display: false for an unknown code.
bool flowFromCfs(double cfs, const std::string& unitflow, double& shown);

// Caption of the capacity table's flow heading; empty for an unknown code.
std::string capacityHeading(const std::string& unitflow);
inline constexpr const char* kCapacityHeadingLayout = "Q(cfs)";

// The unit words of the calculation record.
std::string diamUnitWord(bool diamInFeet, UnitSystem system = UnitSystem::US);
std::string slopeUnitWord(bool slopeInPercent, UnitSystem system = UnitSystem::US);

// The position in `items` of a unit word as a person may write it: exactly, in any case,
// without its point ("in", "FT"), with 3 for the superscript ("m3/s"), blanks around it.
// Nothing when it names none of them.
std::optional<std::size_t> unitWordIndex(std::span<const std::string_view> items,
                                         std::string_view word);

// The system a flow code belongs to; nothing for an unknown code.
std::optional<UnitSystem> systemOfFlowCode(const std::string& unitflow);

} // namespace runnelex::units
