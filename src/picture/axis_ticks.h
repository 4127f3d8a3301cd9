// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace runnelex::picture {

struct AxisTick {
    double value = 0.0;
    std::string text; // the core's general number text
};

// Ticks from 0 to a round value at or above `largest`, a step of 1, 2, 2.5 or 5 times a power
// of ten, at most `maxSteps` steps. A largest value that is not positive gives 0 to 1.
std::vector<AxisTick> axisTicks(double largest, int maxSteps = 6);

} // namespace runnelex::picture
