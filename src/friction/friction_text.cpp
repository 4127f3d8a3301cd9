// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/friction_text.h"

#include "common/words.h"

namespace runnelex::friction {

std::string frictionText(const LawRow& row, std::string_view coefficientText,
                         const LawSettings& settings, UnitSystem system) {
    if (row.bareInRecord)
        return std::string(coefficientText);
    // Appended piece by piece: no false -Wrestrict of GCC 12 in the release build.
    std::string text(row.word);
    text.append(" ").append(coefficientText);
    if (!row.coefficient.units.empty())
        text.append(" ").append(row.coefficient.units[coefficientUnit(row, settings, system)].word);
    if (row.recordTail)
        text.append(row.recordTail(settings, system));
    return text;
}

namespace {

std::vector<std::string_view> blankSeparated(std::string_view text) {
    std::vector<std::string_view> items;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            return items;
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        items.push_back(text.substr(at, end - at));
        at = end;
    }
}

} // namespace

std::variant<FrictionParts, std::string> readFrictionText(std::string_view text) {
    const std::vector<std::string_view> items = blankSeparated(text);
    const LawRow* law = items.empty() ? nullptr : lawNamed(items[0]);
    if (law == nullptr)
        return FrictionParts{&defaultLaw(), std::string(text), {}, {}};
    FrictionParts parts{law, {}, {}, {}};
    const CoefficientSpec& c = law->coefficient;
    std::string how = "write ";
    how.append(law->word).append(" and its ").append(words::lowerCase(c.caption));
    if (!c.units.empty())
        how.append(" and unit");
    if (items.size() < 2)
        return how;
    parts.coefficient = std::string(items[1]);
    std::size_t at = 2;
    if (!c.units.empty()) {
        if (items.size() < 3)
            return how;
        parts.unit = std::string(items[2]);
        at = 3;
    }
    for (; at < items.size(); at += 2) {
        if (law->parameterIndex(words::lowerCase(items[at])) == law->parameters.size() ||
            at + 1 == items.size())
            return std::string("unknown ").append(law->word).append(" input ").append(items[at]);
        parts.parameters.emplace_back(words::lowerCase(items[at]), std::string(items[at + 1]));
    }
    if (parts.parameters.size() > 1)
        return std::string(parts.parameters[0].first)
            .append(" and ")
            .append(parts.parameters[1].first)
            .append(": give one of them");
    return parts;
}

} // namespace runnelex::friction
