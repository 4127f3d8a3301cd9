// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "input/calc_inputs.h"

// Which inputs stand where the equations fail or no longer hold, so that a message can name
// them: the input whose value brought an arithmetic fault about, and inputs far outside the
// range Manning's equation was fitted over (computed all the same).
namespace runnelex {

// One input of a calculation.
struct CalcInput {
    enum class Kind { Dimension, Slope, ManningN, Flow };
    Kind kind = Kind::Dimension;
    std::size_t dimension = 0; // a Dimension's position in its shape's row
};

// The inputs that alone bring a fault about: those that, each given an ordinary value in its
// place (1 ft or 1 m, a slope of 0.01, n 0.013, a flow of 1 cfs or 1 m³/s), let the
// calculation go through. Empty when it does not fault, or when no single input is to blame.
std::vector<CalcInput> faultCauses(const CalcInputs& in);

// An input outside the range where Manning's equation holds, and the bound it passes.
struct RangeWarning {
    CalcInput input;
    const char* side = ""; // "above", "below"
    double bound = 0.0;
};

// A slope above 1 (45 degrees), n below 0.005 or above 0.2: far outside the range the equation
// was fitted over. Only inputs that are given (above 0) are judged.
std::vector<RangeWarning> rangeWarnings(const CalcInputs& in);

} // namespace runnelex
