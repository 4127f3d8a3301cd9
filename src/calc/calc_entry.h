// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace runnelex {

// The main window's entry as the user sees it: the texts in the five boxes and the position of
// each unit list (0 = in., ft/ft, CFS). Other windows start from it.
inline constexpr const char* kStartManningN = "0.013"; // what the n box holds at start

struct CalcEntry {
    std::string pipe, diam, slope, n = kStartManningN, flow;
    int diamUnit = 0, slopeUnit = 0, flowUnit = 0;
};

} // namespace runnelex
