// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/unit_system.h"
#include "sections/section.h"

// The conduit shapes a calculation can use, one row each, with everything a front end needs:
// the word and caption, the dimensions, how the section is built from them, the sizes made,
// and how the section stands in a record. Every front end (options, help, records, windows,
// sizing, pictures) reads the shapes from here.
namespace runnelex::sections {

inline constexpr std::size_t kMaxDimensions = 4;
// A section's dimensions in the order of its row, in one length unit.
using Dimensions = std::array<double, kMaxDimensions>;

// One dimension as a user types it: a length in the diameter's unit.
struct DimensionSpec {
    std::string_view word;      // the command-line option without its dashes, and --vary's name
    std::string_view caption;   // "Diameter", "Side"
    std::string_view symbol;    // in a picture's size: "D" ("D = 12 in."), "Span"
    std::string_view label;     // a window's caption with its access key: "&Diameter:"
    std::string_view tip;       // a window's tool tip for the box
    std::string_view rejection; // the entry check's message for a text it refuses
};

// The sizes made of a shape: each size's dimensions in the catalogue's unit, smallest first.
struct Catalogue {
    std::vector<Dimensions> sizes;
    bool inFeet = false;      // US customary: feet, else inches; SI: always millimetres
    std::string_view caption; // "nominal pipe diameters"
};

struct ShapeRow {
    std::string_view word;    // "circle"
    std::string_view caption; // "Circle", in a window's list of shapes
    std::span<const DimensionSpec> dimensions;
    // Whether the record's Diam column holds the first dimension alone ("12") rather than the
    // word and every dimension ("box 6x4").
    bool bareInRecord;
    // The section of the dimensions (positive, in the system's base length).
    std::unique_ptr<Section> (*make)(const Dimensions& dims, UnitSystem system);
    Catalogue (*catalogue)(UnitSystem system);

    std::size_t dimensionCount() const { return dimensions.size(); }
    // The catalogue as a person looks a size up in a list: by the first dimension, then the
    // next (span, then rise). A sizing tries the catalogue's own order, smallest first.
    Catalogue listed(UnitSystem system) const;
    // What a picture asks for while the section is not given: "Enter a span, a rise, a slope
    // and n to see the pipe."
    std::string prompt() const;
    // The position of a dimension word among the row's, or the count when the row lacks it.
    std::size_t dimensionIndex(std::string_view word) const;
};

std::span<const ShapeRow> shapeTable();
// The shape of a fresh calculator, the circular pipe of the main window.
const ShapeRow& defaultShape();
// The shape a word names, in any case, blanks around it allowed; nothing for an unknown word.
const ShapeRow* shapeNamed(std::string_view word);
// A dimension word as the first shape that has it describes it; nothing for an unknown word.
const DimensionSpec* firstDimension(std::string_view word);
// Every dimension word of the table, each once, in table order ("diam", "span", "rise").
std::vector<std::string_view> dimensionWords();
// The shapes' words joined for a synopsis ("circle|square|box") or a sentence ("circle,
// square or box").
std::string shapeWordList(std::string_view separator);
std::string shapeWordSentence();

} // namespace runnelex::sections
