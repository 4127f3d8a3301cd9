// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "common/unit_system.h"
#include "friction/law_table.h"
#include "input/dimension_texts.h"
#include "sections/shape_table.h"

namespace runnelex {

// The main window's entry as the user sees it: the texts in the five boxes and the position of
// each unit list (0 = in., ft/ft, CFS). Other windows start from it. Beside the circular pipe,
// the shape and the texts of its dimensions' boxes.
inline constexpr const char* kStartManningN = "0.013"; // what the n box holds at start

struct CalcEntry {
    std::string pipe, slope, n = kStartManningN, flow;
    int diamUnit = 0, slopeUnit = 0, flowUnit = 0;
    const sections::ShapeRow* shape = &sections::defaultShape();
    DimensionTexts dimensions;          // "diam" is the main window's diameter box
    UnitSystem system = UnitSystem::US; // of the unit lists' positions
    // The friction law (n holds its coefficient), its coefficient's unit and the texts of its
    // further inputs' boxes by word.
    const friction::LawRow* law = &friction::defaultLaw();
    std::optional<std::size_t> coefficientUnit;
    DimensionTexts lawTexts;
};

} // namespace runnelex
