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

UnitLists unitLists(UnitSystem system) {
    if (system == UnitSystem::SI)
        return {kSiDiamItems, kSiSlopeItems, kSiFlowItems};
    return {kDiamItems, kSlopeItems, kFlowItems};
}

const ResultUnits& resultUnits(UnitSystem system) {
    static const ResultUnits us{"ft", "ft.", "sq. ft.", "ft/sec", "ft/ft", "V(fps)", "cfs"};
    static const ResultUnits si{"m", "m", "m\u00b2", "m/s", "m/m", "V(m/s)", "m\u00b3/s"};
    return system == UnitSystem::SI ? si : us;
}

bool diamInFeetFromIndex(int index, const Notify& notify, UnitSystem system) {
    if (index == 0)
        return false;
    if (index == 1)
        return true;
    tell(notify, system == UnitSystem::SI ? "UnitDiam List Value invalid.  Defaulting to mm..."
                                          : kDiamIndexMessage);
    return false;
}

bool slopeInPercentFromIndex(int index, const Notify& notify, UnitSystem system) {
    if (index == 0)
        return false;
    if (index == 1)
        return true;
    tell(notify, system == UnitSystem::SI ? "UnitSlope List Value invalid.  Defaulting to m/m..."
                                          : kSlopeIndexMessage);
    return false;
}

std::string unitflowFromIndex(int index, const Notify& notify, UnitSystem system) {
    const auto& items = unitLists(system).flow;
    if (index >= 0 && index < static_cast<int>(items.size()))
        return std::string(items[static_cast<std::size_t>(index)]);
    tell(notify, system == UnitSystem::SI
                     ? "UnitFloW List Value invalid.  Defaulting to m\u00b3/s..."
                     : kFlowIndexMessage);
    return std::string(items[0]);
}

double diamToFeet(double x, bool diamInFeet, UnitSystem system) {
    if (diamInFeet)
        return x;
    return div(x, system == UnitSystem::SI ? kMmPerM : kInchesPerFoot);
}

std::string diamUnitWord(bool diamInFeet, UnitSystem system) {
    return std::string(unitLists(system).diam[diamInFeet ? 1 : 0]);
}

std::string slopeUnitWord(bool slopeInPercent, UnitSystem system) {
    return std::string(unitLists(system).slope[slopeInPercent ? 1 : 0]);
}

namespace {
// The form two unit words are compared in: lower case, no blanks around, no final point, 3 for ³.
std::string comparable(std::string_view word) {
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word.substr(i, 2) == "\u00b3") {
            out += '3';
            ++i;
            continue;
        }
        const char c = word[i];
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const auto blank = out.find_last_not_of(" \t");
    out.erase(blank == std::string::npos ? 0 : blank + 1);
    out.erase(0, out.find_first_not_of(" \t"));
    if (!out.empty() && out.back() == '.')
        out.pop_back();
    return out;
}
} // namespace

std::optional<std::size_t> unitWordIndex(std::span<const std::string_view> items,
                                         std::string_view word) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == word)
            return i;
    const std::string wanted = comparable(word);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (comparable(items[i]) == wanted)
            return i;
    return std::nullopt;
}

std::optional<UnitSystem> systemOfFlowCode(const std::string& unitflow) {
    for (UnitSystem s : {UnitSystem::US, UnitSystem::SI})
        for (std::string_view item : unitLists(s).flow)
            if (item == unitflow)
                return s;
    return std::nullopt;
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
    else if (unitflow == kSiFlowItems[0])
        cfs = x;
    else if (unitflow == kSiFlowItems[1])
        cfs = div(x, kLpsPerCms);
    else if (unitflow == kSiFlowItems[2])
        cfs = div(x, kMldPerCms);
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
    else if (unitflow == kSiFlowItems[0])
        shown = cfs;
    else if (unitflow == kSiFlowItems[1])
        shown = mul(cfs, kLpsPerCms);
    else if (unitflow == kSiFlowItems[2])
        shown = mul(cfs, kMldPerCms);
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
    if (systemOfFlowCode(unitflow) == UnitSystem::SI)
        return "Q (" + unitflow + ")";
    return {};
}

} // namespace runnelex::units
