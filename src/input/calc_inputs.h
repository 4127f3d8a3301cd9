// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/unit_system.h"
#include "friction/law_table.h"
#include "sections/shape_table.h"

namespace runnelex {

// The main window's current inputs, always in the base units of the system (ft, ft/ft, cfs in
// US customary; m, m/m, m3/s in SI).
struct CalcInputs {
    // The section: its shape and its dimensions in the shape's order (the circle's diameter
    // first), in ft (m).
    const sections::ShapeRow* Shape = &sections::defaultShape();
    sections::Dimensions Dims{};
    // What its text dimensions read as (an arch's family or radii, an outline), lengths in ft
    // (m); empty where not given.
    sections::TextValues Texts{};
    double SlopeFtFt = 0.0;
    // The friction law and its coefficient as typed (Manning's n for Manning's law), with the
    // coefficient's unit and the law's further inputs.
    const friction::LawRow* Law = &friction::defaultLaw();
    double ManningN = 0.013;
    friction::LawSettings LawParams{};
    double Qcfs = 0.0;
    std::string Unitflow = "CFS"; // "CFS", "MGD" or "GPM"; in SI "m³/s", "L/s" or "ML/d"
    bool DiamInFeet = false;      // in SI: the diameter is typed in m (else mm)
    bool SlopeInPercent = false;
    UnitSystem System = UnitSystem::US;
};

} // namespace runnelex
