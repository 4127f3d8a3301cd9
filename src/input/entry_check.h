// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "input/calc_inputs.h"
#include "sections/shape_table.h"

// The checks of the four numeric input boxes, free of any window.
namespace runnelex::entry {

enum class Box { Diam, Slope, ManningN, Flow };

// What a box's check refuses and what it says: a text that is not a positive number is
// refused with the box's message; an empty text is a silent zero except in the n box.
struct Rule {
    std::string_view rejection;
    bool emptyIsZero = true;
    // The numbers taken: above `lowest` (from it when `lowestTaken`), up to `highest`.
    double lowest = 0.0;
    bool lowestTaken = false;
    double highest = std::numeric_limits<double>::max();
    // A text dimension's reading, in place of a positive number's (an empty text is not given).
    const sections::TextDimension* text = nullptr;
};
Rule ruleOf(Box box);
// The coefficient's box of a law (Manning's n box for Manning's law).
Rule coefficientRule(const friction::LawRow& law);
// A law's further input in a system's units; an empty box is the law's default.
Rule parameterRule(const friction::ParameterSpec& parameter, UnitSystem system);
// A section's dimension: a length in the diameter's unit, checked as the diameter is.
Rule dimensionRule(const sections::DimensionSpec& dimension);

// What a text dimension's text reads as, lengths taken into base units; empty for an empty
// text, nothing for a text refused.
std::optional<std::vector<double>> readTextDimension(const sections::TextDimension& text,
                                                     const std::string& typed, bool diamInFeet,
                                                     UnitSystem system);

// Character codes of the keystroke check.
inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kLineFeed = 10; // Ctrl+Enter
inline constexpr int kCtrlK = 11;
inline constexpr int kEnter = 13;

// The keystroke filter: the code itself when it may belong to a positive decimal number or is
// an editing or commit key, else 0 (the character is discarded). Negative codes pass.
int filterKey(int code);
// Whether a code that passed the filter commits the entry (Tab, Ctrl+Enter, Ctrl+K, Enter).
bool isCommitKey(int code);

const char* rejectionMessage(Box box);
inline constexpr const char* kUnitflowUndefinedMessage = "Unitflow incorrectly defined in DoCalc";

// What the entry check did with a box's text; the window carries it out in this order:
// show `message` (if any), then empty the box when `emptyBox`, set the flow heading when
// `capacityHeading` is given, and run the calculation when `runCalc`.
struct EntryResult {
    std::optional<std::string> message;
    bool emptyBox = false;
    std::optional<std::string> capacityHeading;
    bool runCalc = false;
};

// The entry check of one numeric box on a commit key or on focus loss. Stores an accepted
// value in base units in `in`; a rejected text leaves `in` unchanged. Throws
// hydrocalc::ArithmeticError when the unit conversion overflows (a flow above ~1.16e308 MGD).
EntryResult checkEntry(Box box, const std::string& text, CalcInputs& in);
// The same for the dimension at `index` of the shape in `in`.
EntryResult checkDimension(std::size_t index, const std::string& text, CalcInputs& in);
// The same for the law's further input at `index`: an empty text takes the law's default.
EntryResult checkLawParameter(std::size_t index, const std::string& text, CalcInputs& in);

// The box's message when its entry check rejects `text`, whatever the units; nothing when it
// takes it (an empty diameter, slope or flow box is taken as zero).
std::optional<std::string> rejectionOf(const Rule& rule, const std::string& text);
std::optional<std::string> rejectionOf(Box box, const std::string& text);

} // namespace runnelex::entry
