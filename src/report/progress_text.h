// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace runnelex::report {

// 102000000 as "102,000,000": the same in every locale.
std::string groupedThousands(std::uint64_t n);

// "232,448 of 102,000,000 rows, about 3 h 5 min left": the time left at the pace so far,
// rounded so that it does not flicker; no estimate before the first row or after the last.
std::string progressText(std::uint64_t done, std::uint64_t total, double elapsedSeconds);

} // namespace runnelex::report
