// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace runnelex {

// The main window's current inputs, always in base units (ft, ft/ft, cfs).
struct CalcInputs {
    double DiamFt = 0.0;
    double SlopeFtFt = 0.0;
    double ManningN = 0.013;
    double Qcfs = 0.0;
    std::string Unitflow = "CFS"; // "CFS", "MGD" or "GPM"
    bool DiamInFeet = false;
    bool SlopeInPercent = false;
};

} // namespace runnelex
