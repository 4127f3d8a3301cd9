// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "calc/calculation.h"
#include "common/number_text.h"
#include "sheet/sheet_document.h"

// The sheet's account of how the results came about: the friction law with its constants, and
// the law, the critical-depth condition and the Froude number evaluated at the depths found.
namespace runnelex::sheet {

using Number = std::function<std::string(double)>;

// A number of the method: four decimals, or four significant digits where a value is small
// (a roughness in ft, a viscosity), so that no factor shows as 0.
std::string methodNumber(double value);

// The law, its equation and its constants, and the g of the Froude number.
SheetBlock lawBlock(const CalcInputs& in);

// The equations with the numbers put in, for a calculation that reached its results.
SheetBlock methodBlock(const CalcInputs& in, const CalcResults& r);

} // namespace runnelex::sheet
