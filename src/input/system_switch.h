// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "common/unit_system.h"

// A switch of the unit system keeps the same pipe on screen: each typed length and flow is
// written again in the unit at the same list position of the other system (12 in. becomes
// 304.8 mm, 5 CFS 0.14158423296 m³/s). Slopes are ratios in both systems and stay as typed.
namespace runnelex::units {

inline constexpr double kMetresPerFoot = 0.3048; // the international foot, exactly

// A dimension's text typed in the diameter list's unit (`inFeet`: the second item) of `from`,
// in the unit at that position of `to`. A text that is not a positive number, or whose value
// would leave the range of a double, comes back unchanged.
std::string convertedLength(const std::string& text, bool inFeet, UnitSystem from, UnitSystem to);
// The same for the text of the dimension a word names: a text dimension's lengths each converted
// (an arch's radii, an outline), its other texts unchanged (a family).
std::string convertedDimension(std::string_view word, const std::string& text, bool inFeet,
                               UnitSystem from, UnitSystem to);
// The same for a flow typed in the unit `unitflow` of `from`, written in `unitflowTo` of `to`.
std::string convertedFlow(const std::string& text, const std::string& unitflow, UnitSystem from,
                          const std::string& unitflowTo, UnitSystem to);

} // namespace runnelex::units
