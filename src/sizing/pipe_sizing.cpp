// SPDX-License-Identifier: GPL-3.0-or-later
#include "sizing/pipe_sizing.h"

#include <algorithm>
#include <cctype>

#include "calc/calc_session.h"
#include "common/number_text.h"
#include "input/entry_check.h"
#include "input/iosafe.h"
#include "input/units.h"

namespace runnelex::sizing {

std::vector<double> defaultSizesInches() {
    std::vector<double> inches;
    for (const sections::Dimensions& d : sections::defaultShape().catalogue(UnitSystem::US).sizes)
        inches.push_back(d[0]);
    return inches;
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

Criteria defaultCriteria(UnitSystem system) {
    Criteria c;
    if (system == UnitSystem::SI)
        c.minVelocity = 0.6;
    return c;
}

SizeList defaultSizes(const sections::ShapeRow& shape, UnitSystem system) {
    sections::Catalogue c = shape.catalogue(system);
    return {&shape, std::move(c.sizes), system == UnitSystem::US && c.inFeet};
}

std::string sizeText(const sections::ShapeRow& shape, const sections::Dimensions& size) {
    return shape.sizeName(size);
}

SizingResult sizePipe(const CalcInputs& in, const CalcEntry& entry,
                      const std::vector<double>& sizesIn, const Criteria& criteria) {
    SizeList list;
    for (double d : sizesIn)
        list.sizes.push_back({d});
    return sizeSections(in, entry, list, criteria);
}

SizingResult sizeSections(const CalcInputs& in, const CalcEntry& entry, const SizeList& list,
                          const Criteria& criteria) {
    SizingResult result;
    result.shape = list.shape;
    result.system = in.System;
    result.rows.reserve(list.sizes.size());
    const sections::ShapeRow& shape = *list.shape;
    for (const sections::Dimensions& size : list.sizes) {
        SizeRow row;
        row.size = size;
        CalcInputs sized = in;
        sized.Shape = &shape;
        sized.DiamInFeet = list.inFeet;
        sized.Dims = {};
        CalcEntry typed = entry;
        typed.shape = &shape;
        typed.diamUnit = list.inFeet ? 1 : 0;
        sized.Texts = {};
        for (std::size_t i = 0; i < shape.dimensionCount(); ++i) {
            const std::string text = shape.sizeText(size, i);
            if (const sections::TextDimension* t = shape.dimensions[i].text)
                sized.Texts[i] = entry::readTextDimension(*t, text, list.inFeet, in.System)
                                     .value_or(std::vector<double>());
            else
                sized.Dims[i] = units::diamToFeet(size[i], list.inFeet, in.System);
            typed.dimensions.set(shape.dimensions[i].word, text);
        }
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

std::optional<std::string> parseVelocity(std::string_view text, const char* what, double& value,
                                         UnitSystem system) {
    const auto x = iosafe::parseNumber(text);
    if (!x || !(*x >= 0.0))
        return std::string("the ") + what + " must be a number of " +
               (system == UnitSystem::SI ? "m/s" : "ft/s") + ", 0 or more";
    value = *x;
    return std::nullopt;
}

std::optional<std::string> parseSizeList(std::string_view text, const sections::ShapeRow& shape,
                                         std::vector<sections::Dimensions>& sizesOut,
                                         UnitSystem system) {
    const auto positive = [](std::string_view word) -> std::optional<double> {
        const auto x = iosafe::parseNumber(word);
        return x && *x > 0.0 ? x : std::nullopt;
    };
    const char* const unit = system == UnitSystem::SI                 ? "millimetres"
                             : shape.catalogue(UnitSystem::US).inFeet ? "feet"
                                                                      : "inches";
    // A typed size gives the lengths; an arch's family or radii are not sizes.
    std::vector<std::size_t> place;
    for (std::size_t i = 0; i < shape.dimensionCount(); ++i)
        if (shape.dimensions[i].isLength())
            place.push_back(i);
    const std::size_t count = place.size();
    std::string form; // "SPANxRISE, two positive numbers"
    for (std::size_t i = 0; count > 1 && i < count; ++i) {
        if (i > 0)
            form += 'x';
        for (char c : shape.dimensions[place[i]].caption)
            form += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    static constexpr const char* kCounts[] = {"", "one", "two", "three", "four"};
    std::vector<sections::Dimensions> sizes;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find_first_of(", \t", at);
        const std::string_view word =
            text.substr(at, end == std::string_view::npos ? end : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        if (word.empty())
            continue;
        const std::string shown = "the size \"" + std::string(word) + "\" ";
        sections::Dimensions size{};
        std::string_view rest = word;
        bool ok = true;
        for (std::size_t i = 0; i < count && ok; ++i) {
            const std::size_t x = i + 1 < count ? rest.find_first_of("xX") : std::string_view::npos;
            if (i + 1 < count && x == std::string_view::npos) {
                ok = false;
                break;
            }
            const auto value = positive(rest.substr(0, x));
            ok = value.has_value();
            size[place[i]] = value.value_or(0.0);
            rest = x == std::string_view::npos ? std::string_view() : rest.substr(x + 1);
        }
        if (!ok)
            return count > 1 ? shown + "is not " + form + ", " + kCounts[count] +
                                   " positive numbers of " + unit
                             : shown + "is not a positive number of " + unit;
        sizes.push_back(size);
    }
    if (sizes.empty())
        return std::string("the size list is empty");
    sizesOut = std::move(sizes);
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
