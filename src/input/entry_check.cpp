// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/entry_check.h"

#include "input/iosafe.h"
#include "input/units.h"

namespace runnelex::entry {

int filterKey(int code) {
    if (code < 0)
        return code;
    switch (code) {
    case kBackspace:
    case kTab:
    case kLineFeed:
    case kCtrlK:
    case kEnter:
    case '.':
        return code;
    default:
        return code >= '0' && code <= '9' ? code : 0;
    }
}

bool isCommitKey(int code) {
    return code == kTab || code == kLineFeed || code == kCtrlK || code == kEnter;
}

const char* rejectionMessage(Box box) {
    switch (box) {
    case Box::Diam:
        return "Diameter must be a positive real number.";
    case Box::Slope:
        return "Slope must be a positive real number.";
    case Box::ManningN:
        return "Manning's n must be a positive real number.";
    case Box::Flow:
        return "Q must be a positive real number.";
    case Box::Side:
        return "Side must be a positive real number.";
    case Box::Span:
        return "Span must be a positive real number.";
    case Box::Rise:
        return "Rise must be a positive real number.";
    }
    return "";
}

namespace {
double& fieldOf(Box box, CalcInputs& in) {
    switch (box) {
    case Box::Diam:
    case Box::Side:
    case Box::Rise:
        return in.DiamFt;
    case Box::Span:
        return in.SpanFt;
    case Box::Slope:
        return in.SlopeFtFt;
    case Box::ManningN:
        return in.ManningN;
    case Box::Flow:
        break;
    }
    return in.Qcfs;
}
} // namespace

std::optional<std::string> rejectionOf(Box box, const std::string& text) {
    if (text.empty() && box != Box::ManningN)
        return std::nullopt;
    const auto value = iosafe::parseNumber(text);
    if (!value || !(*value > 0.0))
        return rejectionMessage(box);
    return std::nullopt;
}

EntryResult checkEntry(Box box, const std::string& text, CalcInputs& in) {
    EntryResult result;
    if (text.empty() && box != Box::ManningN) {
        fieldOf(box, in) = 0.0; // an empty box is zero, silently, and nothing runs
        return result;
    }
    if (const auto why = rejectionOf(box, text)) {
        result.message = *why;
        result.emptyBox = true;
        return result;
    }
    const double x = iosafe::fSafeDbl(text, false);
    switch (box) {
    case Box::Diam:
    case Box::Side:
    case Box::Rise:
    case Box::Span:
        fieldOf(box, in) = units::diamToFeet(x, in.DiamInFeet, in.System);
        break;
    case Box::Slope:
        in.SlopeFtFt = units::slopeToFtFt(x, in.SlopeInPercent);
        break;
    case Box::ManningN:
        in.ManningN = x;
        break;
    case Box::Flow:
        if (units::flowToCfs(x, in.Unitflow, in.Qcfs))
            result.capacityHeading = units::capacityHeading(in.Unitflow);
        else
            result.message = kUnitflowUndefinedMessage;
        break;
    }
    result.runCalc = true;
    return result;
}

} // namespace runnelex::entry
