// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "common/unit_system.h"
#include "friction/friction_law.h"

// The friction laws a calculation can use, one row each: every front end (options, help,
// records, windows) reads them from here.
namespace runnelex::friction {

// The law's coefficient as a user types it.
struct CoefficientSpec {
    std::string_view word;      // the command-line option without its dashes: "n"
    std::string_view caption;   // "Manning's n"
    std::string_view rejection; // the entry check's message for a text it refuses
    std::string_view startText; // what a fresh calculator's box holds
};

struct LawRow {
    std::string_view word;    // "manning"
    std::string_view caption; // "Manning"
    CoefficientSpec coefficient;
    // The law with its coefficient (positive) in a system of units.
    std::unique_ptr<FrictionLaw> (*make)(double coefficient, UnitSystem system);
};

std::span<const LawRow> lawTable();
// The law of a fresh calculator: Manning's.
const LawRow& defaultLaw();
// The law a word names, in any case; nothing for an unknown word.
const LawRow* lawNamed(std::string_view word);

} // namespace runnelex::friction
