// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "engine/hydrocalc.h"
#include "input/calc_inputs.h"

// What the three unit lists do when the user picks a unit: set the unit field by the index
// rule, re-read the unchanged box text in the new unit (silently, an unusable text is 0) and
// store its base value. The caller then runs the calculation.
namespace runnelex::selection {

void selectDiamUnit(int index, const std::string& diamText, CalcInputs& in,
                    const hydrocalc::Notify& notify);
void selectSlopeUnit(int index, const std::string& slopeText, CalcInputs& in,
                     const hydrocalc::Notify& notify);
// Returns the new caption of the capacity table's flow heading. Throws
// hydrocalc::ArithmeticError when the conversion overflows (the unit field is already set).
std::string selectFlowUnit(int index, const std::string& flowText, CalcInputs& in,
                           const hydrocalc::Notify& notify);

} // namespace runnelex::selection
