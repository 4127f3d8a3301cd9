// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/shape_table.h"

// The dimensions typed as text: an arch's family ("concrete") or radii ("84,8.75"), a custom
// section's outline ("0 0;0.5 1.2;1 0", or one height and width a line).
namespace runnelex::sections {

extern const TextDimension kArchFamilyText;
extern const TextDimension kArchRadiiText;
extern const TextDimension kOutlineText;

// The longest outline taken, in points: room for any drawn section, never unbounded work.
inline constexpr std::size_t kMaxOutlinePoints = 10000;

} // namespace runnelex::sections
