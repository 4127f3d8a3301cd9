// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/section_text.h"

#include "common/words.h"

namespace runnelex::sections {

using words::trimmed;

std::string sectionText(const ShapeRow& shape, std::span<const std::string> dimensions) {
    if (shape.bareInRecord)
        return dimensions.empty() ? std::string() : dimensions[0];
    std::string text(shape.word);
    for (std::size_t i = 0; i < dimensions.size(); ++i)
        text.append(i == 0 ? " " : "x").append(dimensions[i]);
    return text;
}

std::optional<SectionText> parseSectionText(std::string_view field) {
    const std::string_view text = trimmed(field);
    const std::size_t blank = text.find_first_of(" \t");
    const ShapeRow* shape =
        blank == std::string_view::npos ? nullptr : shapeNamed(text.substr(0, blank));
    if (shape == nullptr || shape->bareInRecord) {
        if (shapeNamed(text) != nullptr) // a shape word alone
            return std::nullopt;
        return SectionText{&defaultShape(), {std::string(field)}};
    }
    SectionText parsed{shape, {}};
    std::string_view rest = trimmed(text.substr(blank));
    for (std::size_t i = 0; i + 1 < shape->dimensionCount(); ++i) {
        const std::size_t x = rest.find_first_of("xX");
        if (x == std::string_view::npos)
            return std::nullopt;
        parsed.dimensions.emplace_back(trimmed(rest.substr(0, x)));
        rest = rest.substr(x + 1);
    }
    parsed.dimensions.emplace_back(trimmed(rest));
    for (const std::string& d : parsed.dimensions)
        if (d.empty())
            return std::nullopt;
    return parsed;
}

std::string sectionTextForms() {
    const auto table = shapeTable();
    std::string text;
    for (std::size_t i = 0; i < table.size(); ++i) {
        text += i == 0 ? "" : i + 1 == table.size() ? " or " : ", ";
        const ShapeRow& row = table[i];
        if (row.bareInRecord) {
            text.append("a ").append(words::lowerCase(row.dimensions[0].caption));
            continue;
        }
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) of a joined temporary.
        text.append("\"").append(row.word).append(" ");
        for (std::size_t d = 0; d < row.dimensionCount(); ++d)
            text.append(d == 0 ? "" : "x").append(words::upperCase(row.dimensions[d].caption));
        text += "\"";
    }
    return text;
}

} // namespace runnelex::sections
