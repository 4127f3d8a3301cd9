// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "input/unit_system.h"
#include "sections/section.h"

namespace runnelex {

// The main window's current inputs, always in the base units of the system (ft, ft/ft, cfs in
// US customary; m, m/m, m3/s in SI).
struct CalcInputs {
    double DiamFt = 0.0; // the circle's diameter, the square's side, the box's rise
    double SlopeFtFt = 0.0;
    double ManningN = 0.013;
    double Qcfs = 0.0;
    std::string Unitflow = "CFS"; // "CFS", "MGD" or "GPM"; in SI "m³/s", "L/s" or "ML/d"
    bool DiamInFeet = false;      // in SI: the diameter is typed in m (else mm)
    bool SlopeInPercent = false;
    // Beside the circular pipe: the shape of the conduit, and a box's span.
    sections::Shape Shape = sections::Shape::Circle;
    double SpanFt = 0.0;
    UnitSystem System = UnitSystem::US;
};

} // namespace runnelex
