// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "input/unit_system.h"
#include "sections/section.h"

namespace runnelex {

// The main window's entry as the user sees it: the texts in the five boxes and the position of
// each unit list (0 = in., ft/ft, CFS). Other windows start from it. Beside the circular pipe,
// the shape, and a box's span and rise (a square's side is the diameter's text).
inline constexpr const char* kStartManningN = "0.013"; // what the n box holds at start

struct CalcEntry {
    std::string pipe, diam, slope, n = kStartManningN, flow;
    int diamUnit = 0, slopeUnit = 0, flowUnit = 0;
    sections::Shape shape = sections::Shape::Circle;
    std::string span, rise;
    UnitSystem system = UnitSystem::US; // of the unit lists' positions
};

} // namespace runnelex
