// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/units.h"

namespace runnelex::units {

using hydrocalc::checked::div;
using hydrocalc::checked::mul;

namespace {
void tell(const Notify& notify, const char* text) {
    if (notify)
        notify(text);
}
} // namespace

bool diamInFeetFromIndex(int index, const Notify& notify) {
    if (index == 0)
        return false;
    if (index == 1)
        return true;
    tell(notify, kDiamIndexMessage);
    return false;
}

bool slopeInPercentFromIndex(int index, const Notify& notify) {
    if (index == 0)
        return false;
    if (index == 1)
        return true;
    tell(notify, kSlopeIndexMessage);
    return false;
}

std::string unitflowFromIndex(int index, const Notify& notify) {
    if (index >= 0 && index < static_cast<int>(kFlowItems.size()))
        return std::string(kFlowItems[static_cast<std::size_t>(index)]);
    tell(notify, kFlowIndexMessage);
    return "CFS";
}

double diamToFeet(double x, bool diamInFeet) {
    return diamInFeet ? x : div(x, kInchesPerFoot);
}

double slopeToFtFt(double x, bool slopeInPercent) {
    return slopeInPercent ? div(x, kPercentPerFtFt) : x;
}

bool flowToCfs(double x, const std::string& unitflow, double& cfs) {
    if (unitflow == "CFS")
        cfs = x;
    else if (unitflow == "MGD")
        cfs = div(x, kMgdPerCfs);
    else if (unitflow == "GPM")
        cfs = div(x, kGpmPerCfs);
    else
        return false;
    return true;
}

bool flowFromCfs(double cfs, const std::string& unitflow, double& shown) {
    if (unitflow == "CFS")
        shown = cfs;
    else if (unitflow == "MGD")
        shown = mul(cfs, kMgdPerCfs);
    else if (unitflow == "GPM")
        shown = mul(cfs, kGpmPerCfs);
    else
        return false;
    return true;
}

std::string capacityHeading(const std::string& unitflow) {
    if (unitflow == "CFS")
        return "Q (cfs)";
    if (unitflow == "MGD")
        return "Q (mgd)";
    if (unitflow == "GPM")
        return "Q (gpm)";
    return {};
}

} // namespace runnelex::units
