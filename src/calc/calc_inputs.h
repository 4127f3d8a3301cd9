// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sections/section.h"

namespace runnelex {

// The unit systems a calculation can be made in: US customary (ft, ft/ft, cfs; Manning's 1.486)
// and SI (m, m/m, m3/s; Manning's 1).
enum class UnitSystem { US, SI };

// The main window's current inputs, always in the base units of the system (ft, ft/ft, cfs in
// US customary; m, m/m, m3/s in SI).
struct CalcInputs {
    double DiamFt = 0.0; // the circle's diameter, the square's side, the box's rise
    double SlopeFtFt = 0.0;
    double ManningN = 0.013;
    double Qcfs = 0.0;
    std::string Unitflow = "CFS"; // "CFS", "MGD" or "GPM"
    bool DiamInFeet = false;
    bool SlopeInPercent = false;
    // Beside the circular pipe: the shape of the conduit, and a box's span.
    sections::Shape Shape = sections::Shape::Circle;
    double SpanFt = 0.0;
    UnitSystem System = UnitSystem::US;
};

} // namespace runnelex
