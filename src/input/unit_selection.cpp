// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/unit_selection.h"

#include "input/iosafe.h"
#include "input/units.h"

namespace runnelex::selection {

void selectDiamUnit(int index, const std::string& diamText, CalcInputs& in,
                    const hydrocalc::Notify& notify) {
    in.DiamInFeet = units::diamInFeetFromIndex(index, notify, in.System);
    const double x = iosafe::fSafeDbl(diamText, false);
    in.Dims[0] = units::diamToFeet(x, in.DiamInFeet, in.System);
}

void selectSlopeUnit(int index, const std::string& slopeText, CalcInputs& in,
                     const hydrocalc::Notify& notify) {
    in.SlopeInPercent = units::slopeInPercentFromIndex(index, notify, in.System);
    const double x = iosafe::fSafeDbl(slopeText, false);
    in.SlopeFtFt = units::slopeToFtFt(x, in.SlopeInPercent);
}

std::string selectFlowUnit(int index, const std::string& flowText, CalcInputs& in,
                           const hydrocalc::Notify& notify) {
    in.Unitflow = units::unitflowFromIndex(index, notify, in.System);
    const double x = iosafe::fSafeDbl(flowText, false);
    units::flowToCfs(x, in.Unitflow, in.Qcfs);
    return units::capacityHeading(in.Unitflow);
}

} // namespace runnelex::selection
