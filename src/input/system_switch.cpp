// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/system_switch.h"

#include <cmath>
#include <optional>

#include "common/number_text.h"
#include "input/iosafe.h"
#include "input/units.h"
#include "sections/shape_table.h"

namespace runnelex::units {

namespace {

constexpr double kCubicMetresPerCubicFoot = kMetresPerFoot * kMetresPerFoot * kMetresPerFoot;

// The value a box's text converts, or nothing for a text the switch leaves alone: anything
// but a positive number, which the entry check would refuse anyway.
std::optional<double> positive(const std::string& text) {
    const std::optional<double> x = iosafe::parseNumber(text);
    if (!x || !(*x > 0.0))
        return std::nullopt;
    return x;
}

std::string written(const std::string& text, double value) {
    // A value that overflows or underflows the other unit is no better than the text typed.
    if (!std::isfinite(value) || !(value > 0.0))
        return text;
    return generalNumberText(value);
}

} // namespace

std::string convertedLength(const std::string& text, bool inFeet, UnitSystem from, UnitSystem to) {
    const std::optional<double> x = positive(text);
    if (!x || from == to)
        return text;
    const double perBase = from == UnitSystem::SI ? kMmPerM : kInchesPerFoot;
    const double base = inFeet ? *x : *x / perBase; // ft or m
    const double other = from == UnitSystem::US ? base * kMetresPerFoot : base / kMetresPerFoot;
    return written(text,
                   inFeet ? other : other * (to == UnitSystem::SI ? kMmPerM : kInchesPerFoot));
}

std::string convertedDimension(std::string_view word, const std::string& text, bool inFeet,
                               UnitSystem from, UnitSystem to) {
    const sections::DimensionSpec* d = sections::firstDimension(word);
    if (d == nullptr || d->isLength())
        return convertedLength(text, inFeet, from, to);
    auto values = d->text->lengths && from != to ? d->text->read(text) : std::nullopt;
    if (!values)
        return text;
    for (double& x : *values)
        if (x > 0.0)
            x = *iosafe::parseNumber(convertedLength(generalNumberText(x), inFeet, from, to));
    return d->text->write(*values);
}

std::string convertedFlow(const std::string& text, const std::string& unitflow, UnitSystem from,
                          const std::string& unitflowTo, UnitSystem to) {
    const std::optional<double> x = positive(text);
    if (!x || from == to)
        return text;
    double base = 0.0, shown = 0.0; // cfs or m³/s
    try {
        if (!flowToCfs(*x, unitflow, base))
            return text;
        const double other = from == UnitSystem::US ? base * kCubicMetresPerCubicFoot
                                                    : base / kCubicMetresPerCubicFoot;
        if (!flowFromCfs(other, unitflowTo, shown))
            return text;
    } catch (const hydrocalc::ArithmeticError&) {
        return text;
    }
    return written(text, shown);
}

} // namespace runnelex::units
