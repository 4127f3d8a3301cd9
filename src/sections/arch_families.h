// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "sections/shape_table.h"

// The arches made in standard sizes, each family with its rises, spans and radii in inches:
// reinforced concrete arch, corrugated steel pipe-arches of two corrugations, structural-plate
// pipe-arches with 18-in. and 31-in. corners.
namespace runnelex::sections {

struct ArchSize {
    double rise, span, Rb, Rc; // inches
};

struct ArchFamily {
    std::string_view word;    // "concrete"
    std::string_view caption; // "reinforced concrete arch"
    std::span<const ArchSize> sizes;
};

std::span<const ArchFamily> archFamilies();
// The family a word names, in any case; nothing for an unknown word.
const ArchFamily* archFamilyNamed(std::string_view word);

// The radii a family gives an arch of this rise (inches): a standard rise its row's, a rise
// between two rows span, Rb and Rc interpolated on the rise; nothing outside the family's
// rises.
std::optional<ArchSize> familySizeAt(const ArchFamily& family, double riseInches);

// Whether an arch of the family fits its table: empty, or what is wrong, with the lengths in
// the unit the catalogue shows (in. or mm).
std::string familyFault(const ArchFamily& family, double spanInches, double riseInches,
                        UnitSystem system);

} // namespace runnelex::sections
