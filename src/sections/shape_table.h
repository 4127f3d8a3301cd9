// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
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

// The numbers read from a section's text dimensions (an arch's family or radii, an outline), at
// the dimension's place in its row: lengths in the system's base length, choices as read.
using TextValues = std::array<std::vector<double>, kMaxDimensions>;

// A dimension typed as text rather than as one length: an arch's family or its radii, a custom
// section's outline. Its text reads as numbers, lengths among them in the diameter's unit.
struct TextDimension {
    // The numbers of a text (lengths in the unit typed), or nothing when the text is refused.
    std::optional<std::vector<double>> (*read)(std::string_view text);
    // Numbers written back as a text that reads as them.
    std::string (*write)(std::span<const double> numbers);
    bool lengths;                  // the numbers are lengths, else a choice from a list
    std::string_view form;         // the text's form, in the synopsis: "RB,RC"
    std::string_view recordPrefix; // what marks the text in a record ("r" for radii)
    // The command line's argument may name a file that holds the text, one line a part.
    bool fromFile;
    // One of the row's alternatives (an arch's family or radii): exactly one is given, and
    // the row's fault says which are missing.
    bool alternative;
};

// One dimension as a user types it: a length in the diameter's unit, or a text.
struct DimensionSpec {
    std::string_view word;      // the command-line option without its dashes, and --vary's name
    std::string_view caption;   // "Diameter", "Side"
    std::string_view symbol;    // in a picture's size: "D" ("D = 12 in."), "Span"
    std::string_view label;     // a window's caption with its access key: "&Diameter:"
    std::string_view tip;       // a window's tool tip for the box
    std::string_view rejection; // the entry check's message for a text it refuses
    const TextDimension* text = nullptr; // a text dimension; nothing for a length

    bool isLength() const { return text == nullptr; }
};

// The sizes made of a shape: each size's dimensions in the catalogue's unit, smallest first;
// at a text dimension's place, the single number its text reads as (an arch's family), or 0
// where the size leaves it empty.
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
    // The section of the dimensions (positive, in the system's base length), when `fault`
    // finds nothing wrong with them.
    std::unique_ptr<Section> (*make)(const Dimensions& dims, const TextValues& texts,
                                     UnitSystem system);
    Catalogue (*catalogue)(UnitSystem system);
    // What is wrong with complete dimensions that make no section of the shape (an arch whose
    // radii do not close, a rise outside its family's), or empty; nothing for a shape that
    // any positive lengths make.
    std::string (*fault)(const Dimensions& dims, const TextValues& texts,
                         UnitSystem system) = nullptr;

    std::size_t dimensionCount() const { return dimensions.size(); }
    // The catalogue as a person looks a size up in a list: by the first dimension, then the
    // next (span, then rise). A sizing tries the catalogue's own order, smallest first.
    Catalogue listed(UnitSystem system) const;
    // What a picture asks for while the section is not given: "Enter a span, a rise, a slope
    // and n to see the pipe."
    std::string prompt() const;
    // The position of a dimension word among the row's, or the count when the row lacks it.
    std::size_t dimensionIndex(std::string_view word) const;
    // A catalogue size as a list shows it: its lengths joined by "x", then its texts
    // ("58.5x36 concrete").
    // With a unit, the unit follows the lengths ("58.5x36 in. concrete").
    std::string sizeName(const Dimensions& size, std::string_view unit = {}) const;
    // The text a catalogue size gives the dimension at `index`: "58.5", "concrete", or empty.
    std::string sizeText(const Dimensions& size, std::size_t index) const;
    // What is wrong with the dimensions, `fault`'s text, or which alternatives are missing
    // (the given ones by their texts' emptiness); empty when they make a section.
    std::string faultOf(const Dimensions& dims, const TextValues& texts, UnitSystem system) const;
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
