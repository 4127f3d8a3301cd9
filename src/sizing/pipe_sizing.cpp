// SPDX-License-Identifier: GPL-3.0-or-later
#include "sizing/pipe_sizing.h"

#include "calc/calc_session.h"
#include "calc/number_text.h"
#include "input/iosafe.h"
#include "input/units.h"

namespace runnelex::sizing {

const std::vector<double>& defaultSizesInches() {
    static const std::vector<double> sizes = {4,  6,  8,  10,  12,  15,  18,  21,  24, 27,
                                              30, 33, 36, 42,  48,  54,  60,  66,  72, 78,
                                              84, 90, 96, 102, 108, 114, 120, 132, 144};
    return sizes;
}

namespace {

Check atLeast(double value, double bound) {
    return value >= bound ? Check::Pass : Check::Fail;
}

void judge(SizeRow& row, const Criteria& c) {
    const CalcResults& r = row.results;
    if (row.fault || r.outcome != Outcome::OpenChannel) {
        // No open-channel flow: the pipe is too small (surcharged) or nothing was computed.
        row.depth = Check::Fail;
        const Check velocity = row.fault ? Check::Fail : Check::NotApplicable;
        row.minVelocity = velocity;
        row.maxVelocity = c.maxVelocity ? velocity : Check::NotApplicable;
        row.meetsAll = false;
        return;
    }
    row.depth = *r.DoverD <= c.maxDepthRatio ? Check::Pass : Check::Fail;
    row.minVelocity = atLeast(*r.Vnorm, c.minVelocity);
    row.maxVelocity = !c.maxVelocity               ? Check::NotApplicable
                      : *r.Vnorm <= *c.maxVelocity ? Check::Pass
                                                   : Check::Fail;
    row.meetsAll = row.depth == Check::Pass && row.minVelocity == Check::Pass &&
                   row.maxVelocity != Check::Fail;
}

} // namespace

SizingResult sizePipe(const CalcInputs& in, const CalcEntry& entry,
                      const std::vector<double>& sizesIn, const Criteria& criteria) {
    SizingResult result;
    result.rows.reserve(sizesIn.size());
    for (double size : sizesIn) {
        SizeRow row;
        row.diamIn = size;
        CalcInputs sized = in;
        sized.DiamFt = units::diamToFeet(size, false); // as typed in inches
        sized.DiamInFeet = false;
        CalcEntry typed = entry;
        typed.diam = generalNumberText(size);
        typed.diamUnit = 0;
        CalcSession session(sized, typed);
        if (session.calculate() == SessionStatus::Fault)
            row.fault = session.lastFault();
        row.results = *session.lastResults();
        row.labels = session.labels();
        row.record = session.recordFields();
        judge(row, criteria);
        if (row.meetsAll && !result.chosen)
            result.chosen = result.rows.size();
        result.rows.push_back(std::move(row));
    }
    return result;
}

std::optional<std::string> parseMaxDepthRatio(std::string_view text, double& value) {
    const auto x = iosafe::parseNumber(text);
    if (!x || !(*x > 0.0) || *x > 1.0)
        return "the largest depth ratio must be a number above 0 and at most 1";
    value = *x;
    return std::nullopt;
}

std::optional<std::string> parseVelocity(std::string_view text, const char* what, double& value) {
    const auto x = iosafe::parseNumber(text);
    if (!x || !(*x >= 0.0))
        return std::string("the ") + what + " must be a number of ft/s, 0 or more";
    value = *x;
    return std::nullopt;
}

std::optional<std::string> parseSizeList(std::string_view text, std::vector<double>& sizesIn) {
    std::vector<double> sizes;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find_first_of(", \t", at);
        const std::string_view word =
            text.substr(at, end == std::string_view::npos ? end : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        if (word.empty())
            continue;
        const auto x = iosafe::parseNumber(word);
        if (!x || !(*x > 0.0))
            return "the size \"" + std::string(word) + "\" is not a positive number of inches";
        sizes.push_back(*x);
    }
    if (sizes.empty())
        return std::string("the size list is empty");
    sizesIn = std::move(sizes);
    return std::nullopt;
}

std::optional<std::string> checkVelocityRange(const Criteria& criteria) {
    if (criteria.maxVelocity && *criteria.maxVelocity < criteria.minVelocity)
        return std::string("the largest velocity lies below the smallest");
    return std::nullopt;
}

std::string sizeListText(const std::vector<double>& sizesIn) {
    std::string text;
    for (double size : sizesIn)
        text += (text.empty() ? "" : ", ") + generalNumberText(size);
    return text;
}

} // namespace runnelex::sizing
