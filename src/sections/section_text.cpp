// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/section_text.h"

#include <algorithm>
#include <cctype>

namespace runnelex::sections {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t';
    };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

const char* shapeWord(Shape shape) {
    switch (shape) {
    case Shape::Circle:
        return "circle";
    case Shape::Square:
        return "square";
    case Shape::Box:
        break;
    }
    return "box";
}

std::optional<Shape> shapeNamed(std::string_view word) {
    for (Shape s : {Shape::Circle, Shape::Square, Shape::Box})
        if (sameWord(trimmed(word), shapeWord(s)))
            return s;
    return std::nullopt;
}

std::string sectionText(const SectionText& section) {
    switch (section.shape) {
    case Shape::Circle:
        return section.first;
    case Shape::Square:
        return "square " + section.first;
    case Shape::Box:
        break;
    }
    return "box " + section.first + "x" + section.second;
}

std::optional<SectionText> parseSectionText(std::string_view field) {
    const std::string_view text = trimmed(field);
    const std::size_t blank = text.find_first_of(" \t");
    const std::optional<Shape> shape =
        blank == std::string_view::npos ? std::nullopt : shapeNamed(text.substr(0, blank));
    if (!shape || *shape == Shape::Circle) {
        if (shapeNamed(text)) // a shape word alone
            return std::nullopt;
        return SectionText{Shape::Circle, std::string(field), {}};
    }
    const std::string_view rest = trimmed(text.substr(blank));
    if (*shape == Shape::Square)
        return rest.empty() ? std::nullopt
                            : std::optional(SectionText{Shape::Square, std::string(rest), {}});
    const std::size_t x = rest.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    const std::string_view span = trimmed(rest.substr(0, x)), rise = trimmed(rest.substr(x + 1));
    if (span.empty() || rise.empty())
        return std::nullopt;
    return SectionText{Shape::Box, std::string(span), std::string(rise)};
}

} // namespace runnelex::sections
