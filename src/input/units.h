// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

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

inline constexpr const char* kDiamIndexMessage =
    "UnitDiam List Value invalid.  Defaulting to inches...";
inline constexpr const char* kSlopeIndexMessage =
    "UnitSlope List Value invalid.  Defaulting to ft/ft...";
inline constexpr const char* kFlowIndexMessage =
    "UnitFloW List Value invalid.  Defaulting to CFS...";

// Index rules: a list position to the unit field; any other index shows its message and gives
// the first unit of the list.
bool diamInFeetFromIndex(int index, const Notify& notify);
bool slopeInPercentFromIndex(int index, const Notify& notify);
std::string unitflowFromIndex(int index, const Notify& notify);

// To base units. Overflow throws hydrocalc::ArithmeticError.
double diamToFeet(double x, bool diamInFeet);
double slopeToFtFt(double x, bool slopeInPercent);
// An unknown flow code leaves nothing to convert: returns false and leaves `cfs` alone.
bool flowToCfs(double x, const std::string& unitflow, double& cfs);

// From base units, for display: false for an unknown code.
bool flowFromCfs(double cfs, const std::string& unitflow, double& shown);

// Caption of the capacity table's flow heading; empty for an unknown code.
std::string capacityHeading(const std::string& unitflow);
inline constexpr const char* kCapacityHeadingLayout = "Q(cfs)";

// The unit words of the calculation record.
inline std::string diamUnitWord(bool diamInFeet) {
    return diamInFeet ? "ft." : "in.";
}
inline std::string slopeUnitWord(bool slopeInPercent) {
    return slopeInPercent ? "%" : "ft/ft";
}

} // namespace runnelex::units
