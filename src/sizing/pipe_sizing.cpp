// SPDX-License-Identifier: GPL-3.0-or-later
#include "sizing/pipe_sizing.h"

#include <algorithm>

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

Criteria defaultCriteria(UnitSystem system) {
    Criteria c;
    if (system == UnitSystem::SI)
        c.minVelocity = 0.6;
    return c;
}

namespace {

// Smallest full area first; equal areas, the lower rise first.
void byFullArea(std::vector<SectionSize>& sizes) {
    std::stable_sort(sizes.begin(), sizes.end(), [](const SectionSize& a, const SectionSize& b) {
        const double areaA = a.first * a.second, areaB = b.first * b.second;
        return areaA != areaB ? areaA < areaB : a.second < b.second;
    });
}

// A span and rise of a catalogue: a size for a box, for a square only when they are equal.
void addCatalogueSize(SizeList& list, double span, double rise) {
    if (list.shape == sections::Shape::Box)
        list.sizes.push_back({span, rise});
    else if (rise == span)
        list.sizes.push_back({span, 0.0});
}

SizeList metricSizes(sections::Shape shape) {
    SizeList list{shape, {}, false};
    if (shape == sections::Shape::Circle) {
        for (double d : {100,  150,  225,  300,  375,  450,  525,  600,  675,  750,  825,  900,
                         1050, 1200, 1350, 1500, 1650, 1800, 1950, 2100, 2250, 2400, 2700, 3000})
            list.sizes.push_back({d, 0.0});
        return list;
    }
    for (double span = 600; span <= 3600; span += 300)
        for (double rise = 300; rise <= span; rise += 300)
            addCatalogueSize(list, span, rise);
    if (shape == sections::Shape::Box)
        byFullArea(list.sizes);
    return list;
}

} // namespace

SizeList defaultSizes(sections::Shape shape, UnitSystem system) {
    if (system == UnitSystem::SI)
        return metricSizes(shape);
    SizeList list{shape, {}, shape != sections::Shape::Circle};
    if (shape == sections::Shape::Circle) {
        for (double d : defaultSizesInches())
            list.sizes.push_back({d, 0.0});
        return list;
    }
    // The precast catalogue: each span with the rises made for it.
    static const std::vector<std::pair<double, std::vector<double>>> catalogue = {
        {3, {2, 3}},
        {4, {2, 3, 4}},
        {5, {3, 4, 5}},
        {6, {3, 4, 5, 6}},
        {7, {4, 5, 6, 7}},
        {8, {4, 5, 6, 7, 8}},
        {9, {5, 6, 7, 8, 9}},
        {10, {5, 6, 7, 8, 9, 10}},
        {11, {4, 6, 8, 10, 11}},
        {12, {4, 6, 8, 10, 12}}};
    for (const auto& [span, rises] : catalogue)
        for (double rise : rises)
            addCatalogueSize(list, span, rise);
    if (shape == sections::Shape::Box)
        byFullArea(list.sizes);
    return list;
}

std::string sizeText(sections::Shape shape, const SectionSize& size) {
    if (shape == sections::Shape::Box)
        return generalNumberText(size.first) + "x" + generalNumberText(size.second);
    return generalNumberText(size.first);
}

SizingResult sizePipe(const CalcInputs& in, const CalcEntry& entry,
                      const std::vector<double>& sizesIn, const Criteria& criteria) {
    SizeList list;
    for (double d : sizesIn)
        list.sizes.push_back({d, 0.0});
    return sizeSections(in, entry, list, criteria);
}

SizingResult sizeSections(const CalcInputs& in, const CalcEntry& entry, const SizeList& list,
                          const Criteria& criteria) {
    SizingResult result;
    result.shape = list.shape;
    result.system = in.System;
    result.rows.reserve(list.sizes.size());
    const bool box = list.shape == sections::Shape::Box;
    for (const SectionSize& size : list.sizes) {
        SizeRow row;
        row.size = size;
        CalcInputs sized = in;
        sized.Shape = list.shape;
        sized.DiamInFeet = list.inFeet;
        sized.DiamFt = units::diamToFeet(box ? size.second : size.first, list.inFeet, in.System);
        sized.SpanFt = box ? units::diamToFeet(size.first, list.inFeet, in.System) : 0.0;
        CalcEntry typed = entry;
        typed.shape = list.shape;
        typed.diamUnit = list.inFeet ? 1 : 0;
        typed.diam = box ? std::string() : generalNumberText(size.first);
        typed.span = box ? generalNumberText(size.first) : std::string();
        typed.rise = box ? generalNumberText(size.second) : std::string();
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

std::optional<std::string> parseSizeList(std::string_view text, sections::Shape shape,
                                         std::vector<SectionSize>& sizesOut, UnitSystem system) {
    const auto positive = [](std::string_view word) -> std::optional<double> {
        const auto x = iosafe::parseNumber(word);
        return x && *x > 0.0 ? x : std::nullopt;
    };
    const char* const unit = system == UnitSystem::SI           ? "millimetres"
                             : shape == sections::Shape::Circle ? "inches"
                                                                : "feet";
    std::vector<SectionSize> sizes;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find_first_of(", \t", at);
        const std::string_view word =
            text.substr(at, end == std::string_view::npos ? end : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        if (word.empty())
            continue;
        const std::string shown = "the size \"" + std::string(word) + "\" ";
        if (shape == sections::Shape::Box) {
            const std::size_t x = word.find_first_of("xX");
            const auto span = positive(word.substr(0, x));
            const auto rise =
                x == std::string_view::npos ? std::nullopt : positive(word.substr(x + 1));
            if (!span || !rise)
                return shown + "is not SPANxRISE, two positive numbers of " + unit;
            sizes.push_back({*span, *rise});
            continue;
        }
        const auto size = positive(word);
        if (!size)
            return shown + "is not a positive number of " + unit;
        sizes.push_back({*size, 0.0});
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
