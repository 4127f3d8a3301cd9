// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/unit_system.h"
#include "friction/friction_law.h"

// The friction laws a calculation can use, one row each: every front end (options, help,
// records, windows) reads them from here.
namespace runnelex::friction {

// A unit a coefficient that is a length (a roughness) can be typed in.
struct LengthUnit {
    std::string_view word; // "mm", as the command line and the record write it
    double metres;         // one of it in m
};

// The law's coefficient as a user types it.
struct CoefficientSpec {
    std::string_view word;      // the command-line option without its dashes: "n"
    std::string_view caption;   // "Manning's n"
    std::string_view rejection; // the entry check's message for a text it refuses
    std::string_view startText; // what a fresh calculator's box holds
    bool zeroAllowed = false;   // a roughness of 0 is a smooth pipe
    // The units of a length; empty for a pure number. The first is the option's word.
    std::span<const LengthUnit> units{};
    std::size_t usUnit = 0, siUnit = 0; // the unit taken when none is named
    std::string_view unitWord{};        // the unit's option without its dashes: "k-unit"
    // Outside: far from where the tables were made (no such range when both are 0).
    double lowest = 0.0, highest = 0.0;
};

// A further input of a law, each optional: the law takes its own default without any.
struct ParameterSpec {
    std::string_view word;    // "nu"
    std::string_view caption; // "Kinematic viscosity"
    std::string_view usUnit, siUnit;
    std::string_view rejection;
    double siLowest, siHighest; // the values accepted, in SI units
    double usPerSi, usOffset;   // US = SI x usPerSi + usOffset
    std::string_view startText; // what the box of a window shows as an example
};

// A coefficient the design tables give for a material or a class of sewer, in the first unit of
// the coefficient's units.
struct TypicalValue {
    std::string_view caption; // "Concrete"
    std::string_view text;    // "0.013"
};

// At most this many further inputs; of a row's, at most one is given.
inline constexpr std::size_t kMaxLawParameters = 2;

// How a calculation's law is set beside its coefficient.
struct LawSettings {
    std::optional<std::size_t> coefficientUnit; // position in the units; nothing: the default
    // The further inputs in the row's order, each in the calculation's system of units.
    std::array<std::optional<double>, kMaxLawParameters> parameters{};
    bool operator==(const LawSettings&) const = default;
};

struct LawRow {
    std::string_view word;     // "manning"
    std::string_view caption;  // "Manning"
    std::string_view equation; // "Manning's equation", as a sentence names it
    CoefficientSpec coefficient;
    std::span<const ParameterSpec> parameters;
    // The record's n column holds the coefficient alone (Manning's n), else the law's word,
    // the coefficient and its unit.
    bool bareInRecord = false;
    // The law with its coefficient (in the unit the settings name) in a system of units.
    std::unique_ptr<FrictionLaw> (*make)(double coefficient, const LawSettings& settings,
                                         UnitSystem system);
    // What the record adds after the coefficient's unit for the further inputs (" nu ...");
    // nothing when the law has none.
    std::string (*recordTail)(const LawSettings& settings, UnitSystem system) = nullptr;
    std::span<const TypicalValue> typical{};

    std::size_t parameterIndex(std::string_view word) const;
};

std::span<const LawRow> lawTable();
// The law of a fresh calculator: Manning's.
const LawRow& defaultLaw();
// The law a word names, in any case; nothing for an unknown word.
const LawRow* lawNamed(std::string_view word);
// The table's law words for a sentence: "manning, kutter, colebrook or hazen-williams".
std::string lawWordSentence();
// "manning|kutter|..."
std::string lawWordList(std::string_view separator);

// The unit position the settings name for the row, or the system's default.
std::size_t coefficientUnit(const LawRow& row, const LawSettings& settings, UnitSystem system);
// A coefficient typed in the settings' unit, in the system's base length (ft or m); a number
// without units as it is.
double coefficientInBase(const LawRow& row, double typed, const LawSettings& settings,
                         UnitSystem system);
// A further input given in one system, in the other.
double parameterInSystem(const ParameterSpec& parameter, double value, UnitSystem from,
                         UnitSystem to);

} // namespace runnelex::friction
