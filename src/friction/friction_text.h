// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "friction/law_table.h"

// The record's n column: Manning's n alone ("0.013"), else the law's word, its coefficient as
// typed and the coefficient's unit, then the further inputs that differ from the law's
// defaults ("kutter 0.013", "colebrook 1.5 mm nu 1.31e-06", "hazen-williams 120").
namespace runnelex::friction {

std::string frictionText(const LawRow& row, std::string_view coefficientText,
                         const LawSettings& settings, UnitSystem system);

// A column read back: the law, the coefficient's text, its unit word (empty when the law's
// coefficient has none) and the further inputs by word.
struct FrictionParts {
    const LawRow* law = nullptr;
    std::string coefficient;
    std::string unit;
    std::vector<std::pair<std::string, std::string>> parameters;
};
// A text that does not begin with a law's word is the plain coefficient of the default law,
// whatever it holds (its entry check judges it). Else the parts, or what is wrong with them.
std::variant<FrictionParts, std::string> readFrictionText(std::string_view text);

} // namespace runnelex::friction
