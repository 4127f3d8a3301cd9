// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/section_text.h"

#include <cctype>

namespace runnelex::sections {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string lower(std::string_view s) {
    std::string l(s);
    for (char& c : l)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return l;
}

} // namespace

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
            text += "a " + lower(row.dimensions[0].caption);
            continue;
        }
        text += "\"" + std::string(row.word) + " ";
        for (std::size_t d = 0; d < row.dimensionCount(); ++d)
            text += (d == 0 ? "" : "x") + upper(row.dimensions[d].caption);
        text += "\"";
    }
    return text;
}

} // namespace runnelex::sections
