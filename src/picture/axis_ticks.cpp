// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/axis_ticks.h"

#include <cmath>

#include "common/number_text.h"

namespace runnelex::picture {

std::vector<AxisTick> axisTicks(double largest, int maxSteps) {
    if (!(largest > 0.0) || !std::isfinite(largest))
        largest = 1.0;
    maxSteps = maxSteps < 1 ? 1 : maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(largest / maxSteps)));
    double step = 10.0 * power;
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (std::ceil(largest / (factor * power) - 1e-9) <= maxSteps) {
            step = factor * power;
            break;
        }
    }
    const int steps = static_cast<int>(std::ceil(largest / step - 1e-9));
    std::vector<AxisTick> ticks;
    for (int i = 0; i <= steps; ++i) {
        const double value = i * step;
        ticks.push_back({value, generalNumberText(value)});
    }
    return ticks;
}

} // namespace runnelex::picture
