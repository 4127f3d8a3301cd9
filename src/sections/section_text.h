// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sections/section.h"

// How a section stands in a record's diameter field: a circle as its diameter's text ("12"), a
// square as "square 4", a box as "box 6x4" (span x rise), the texts as typed.
namespace runnelex::sections {

struct SectionText {
    Shape shape = Shape::Circle;
    std::string first;  // the diameter, the side, or the span
    std::string second; // the rise of a box
};

std::string sectionText(const SectionText& section);

// Reads a record's diameter field back. The shape word may be in any case and blanks may
// surround the parts; the dimensions' texts are not checked here. Nothing when a shape word
// lacks its dimensions ("box 6", "square").
std::optional<SectionText> parseSectionText(std::string_view field);

// The shape's word ("circle", "square", "box"), and the shape a word names (any case).
const char* shapeWord(Shape shape);
std::optional<Shape> shapeNamed(std::string_view word);

} // namespace runnelex::sections
