// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/section_text.h"

#include <cctype>

#include "common/words.h"

namespace runnelex::sections {

using words::trimmed;

namespace {

// A text dimension as the record holds it: on one line, whatever line ends it was typed with.
std::string oneLine(const TextDimension& t, const std::string& typed) {
    if (typed.find_first_of("\t\r\n") == std::string::npos)
        return typed;
    // A text that reads as nothing stays as typed: the entry check refuses it before any record.
    const auto values = t.read(typed);
    return values ? t.write(*values) : typed;
}

bool startsNumber(std::string_view text) {
    return !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.' ||
                             text[0] == '-' || text[0] == '+');
}

} // namespace

std::string sectionText(const ShapeRow& shape, std::span<const std::string> dimensions) {
    if (shape.bareInRecord)
        return dimensions.empty() ? std::string() : dimensions[0];
    std::string lengths, texts;
    for (std::size_t i = 0; i < dimensions.size() && i < shape.dimensionCount(); ++i) {
        const DimensionSpec& d = shape.dimensions[i];
        if (d.isLength())
            lengths.append(lengths.empty() ? "" : "x").append(dimensions[i]);
        else if (!dimensions[i].empty())
            texts.append(" ").append(d.text->recordPrefix).append(oneLine(*d.text, dimensions[i]));
    }
    std::string text(shape.word);
    if (!lengths.empty() || texts.empty())
        text.append(" ").append(lengths);
    return text.append(texts);
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
    SectionText parsed{shape, std::vector<std::string>(shape->dimensionCount())};
    std::string_view rest = trimmed(text.substr(blank));
    std::size_t lengths = 0, texts = 0;
    for (const DimensionSpec& d : shape->dimensions)
        ++(d.isLength() ? lengths : texts);
    // The lengths, joined by "x", come first; the last takes the rest, or, when texts follow,
    // the rest up to a blank.
    std::size_t seen = 0;
    for (std::size_t i = 0; i < shape->dimensionCount(); ++i) {
        if (!shape->dimensions[i].isLength())
            continue;
        std::string_view part = rest;
        if (++seen < lengths) {
            const std::size_t x = rest.find_first_of("xX");
            if (x == std::string_view::npos)
                return std::nullopt;
            part = rest.substr(0, x);
            rest = rest.substr(x + 1);
        } else if (texts > 0) {
            rest = trimmed(rest);
            const std::size_t gap = rest.find_first_of(" \t");
            part = rest.substr(0, gap);
            rest = gap == std::string_view::npos ? std::string_view() : trimmed(rest.substr(gap));
        } else {
            rest = {};
        }
        parsed.dimensions[i] = trimmed(part);
        if (parsed.dimensions[i].empty())
            return std::nullopt;
    }
    if (rest.empty())
        return parsed;
    // A text goes to the dimension its mark names ("r84,8.75"), else to the first unmarked one.
    std::size_t target = shape->dimensionCount();
    for (std::size_t i = 0; i < shape->dimensionCount(); ++i) {
        const DimensionSpec& d = shape->dimensions[i];
        if (d.isLength())
            continue;
        const std::string_view mark = d.text->recordPrefix;
        if (!mark.empty() && rest.substr(0, mark.size()) == mark &&
            startsNumber(rest.substr(mark.size()))) {
            target = i;
            rest.remove_prefix(mark.size());
            break;
        }
        if (mark.empty() && target == shape->dimensionCount())
            target = i;
    }
    if (target == shape->dimensionCount())
        return std::nullopt;
    parsed.dimensions[target] = oneLine(*shape->dimensions[target].text, std::string(rest));
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
        text.append("\"").append(row.word);
        std::string lengths, texts;
        for (const DimensionSpec& d : row.dimensions) {
            if (d.isLength()) {
                lengths.append(lengths.empty() ? "" : "x").append(words::upperCase(d.caption));
                continue;
            }
            texts.append(texts.empty() ? " " : "|").append(d.text->recordPrefix);
            if (d.text->recordPrefix.empty())
                texts.append(words::upperCase(d.caption));
            else
                texts.append(d.text->form);
        }
        if (!lengths.empty())
            text.append(" ").append(lengths);
        text.append(texts).append("\"");
    }
    return text;
}

} // namespace runnelex::sections
