// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sections/shape_table.h"

// How a section stands in a record's Diam field: a shape that stands bare as its first
// dimension's text ("12"), every other as its word and its dimensions' texts joined by "x"
// ("square 4", "box 6x4"), the texts as typed.
namespace runnelex::sections {

struct SectionText {
    const ShapeRow* shape = &defaultShape();
    std::vector<std::string> dimensions; // in the row's order
};

std::string sectionText(const ShapeRow& shape, std::span<const std::string> dimensions);

// Reads a record's Diam field back. The shape word may be in any case and blanks may surround
// the parts; the dimensions' texts are not checked here (the last one takes the rest of the
// field). Nothing when a shape word lacks its dimensions ("box 6", "square").
std::optional<SectionText> parseSectionText(std::string_view field);

// The forms a Diam field may take, for a message: a diameter, "square SIDE" or "box SPANxRISE".
std::string sectionTextForms();

} // namespace runnelex::sections
