// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "input/calc_inputs.h"

namespace runnelex {

enum class Outcome { InputsInvalid, NoDesignFlow, OpenChannel, Surcharged };

struct CapacityRow {
    double ratio = 0.0;
    double V = 0.0; // ft/s
    double Q = 0.0; // cfs
};

inline constexpr std::array<double, 4> kCapacityRatios = {0.50, 0.75, 0.93, 1.00};

// One calculation. Every value is present only once computed, so that a run cut short by an
// arithmetic fault still holds everything computed before it.
struct CalcResults {
    std::optional<Outcome> outcome;    // empty only when a fault came before the branch was known
    std::vector<CapacityRow> Capacity; // rows in ratio order, as far as computed
    std::optional<double> Qmax;
    std::optional<double> Dnorm, AreaW, PerimW, Rh, Vnorm, Qnorm, FrNo, Dcr, DoverD;
    std::optional<double> Hf, Vfull;
    // The conduit flowing full: area, wetted perimeter and hydraulic radius (every outcome that
    // has a design flow).
    std::optional<double> Afull, Pfull, Rfull;
    std::optional<std::string> fault; // the arithmetic fault that ended the computation
};

// The computation of one calculation from the current inputs. Never throws: an arithmetic fault
// ends it where it happened and is described in `fault`.
// Without `headLoss` the head loss of the full pipe is not computed (nor shown), only checked
// for the fault its computation would end in.
CalcResults computeCalculation(const CalcInputs& in, bool headLoss = true);

// Whether a calculation of the inputs computes anything: a positive slope, a coefficient the
// law takes and a complete section. Else it shows nothing and cannot fault.
bool inputsComplete(const CalcInputs& in);

// Whether every dimension of the section is given: each length positive, each text read, one
// of any alternatives (an arch's family or radii).
bool sectionComplete(const CalcInputs& in);

} // namespace runnelex
