// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/input_range.h"

#include "calc/calculation.h"
#include "input/iosafe.h"

namespace runnelex {

namespace {

// The slope above which a channel is no longer an open channel in Manning's sense; the
// coefficient's range (Manning's n from glass to dense brush) is the law's.
constexpr double kSteepestSlope = 1.0;

// The input given an ordinary value, the rest left as they are.
CalcInputs ordinary(CalcInputs in, const CalcInput& input) {
    switch (input.kind) {
    case CalcInput::Kind::Dimension:
        in.Dims[input.dimension] = 1.0;
        break;
    case CalcInput::Kind::Slope:
        in.SlopeFtFt = 0.01;
        break;
    case CalcInput::Kind::ManningN:
        in.ManningN = iosafe::fSafeDbl(std::string(in.Law->coefficient.startText), false);
        break;
    case CalcInput::Kind::Flow:
        in.Qcfs = 1.0;
        break;
    }
    return in;
}

} // namespace

std::vector<CalcInput> faultCauses(const CalcInputs& in) {
    std::vector<CalcInput> causes;
    // A section that cannot be made is its dimensions' fault, no single number's.
    if (!computeCalculation(in).fault || !in.Shape->faultOf(in.Dims, in.Texts, in.System).empty())
        return causes;
    std::vector<CalcInput> inputs;
    for (std::size_t i = 0; i < in.Shape->dimensionCount(); ++i)
        inputs.push_back({CalcInput::Kind::Dimension, i});
    inputs.push_back({CalcInput::Kind::Slope, 0});
    inputs.push_back({CalcInput::Kind::ManningN, 0});
    if (in.Qcfs > 0) // no flow faults by its absence
        inputs.push_back({CalcInput::Kind::Flow, 0});
    for (const CalcInput& input : inputs)
        if (!computeCalculation(ordinary(in, input)).fault)
            causes.push_back(input);
    return causes;
}

std::vector<RangeWarning> rangeWarnings(const CalcInputs& in) {
    std::vector<RangeWarning> warnings;
    if (in.SlopeFtFt > kSteepestSlope)
        warnings.push_back({{CalcInput::Kind::Slope, 0}, "above", kSteepestSlope});
    const friction::CoefficientSpec& c = in.Law->coefficient;
    if (c.highest <= c.lowest)
        return warnings;
    if (in.ManningN > 0 && in.ManningN < c.lowest)
        warnings.push_back({{CalcInput::Kind::ManningN, 0}, "below", c.lowest});
    if (in.ManningN > c.highest)
        warnings.push_back({{CalcInput::Kind::ManningN, 0}, "above", c.highest});
    return warnings;
}

} // namespace runnelex
