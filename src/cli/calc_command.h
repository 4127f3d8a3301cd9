// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "calc/calc_request.h"
#include "cli/command.h"

namespace runnelex::cli {

// The options naming the texts and units of one calculation (--pipe ... --flow-unit).
std::vector<OptionDef> calcOptions();
// The request those options describe.
CalcRequest calcRequestFrom(const ParsedArgs& args);
// The usage items of those options, then `after`, for the usage lines of the commands that take
// them.
std::vector<std::string> calcItems(const std::vector<std::string>& after);

// "runnelex-cli calc": the record "No&w" would append, or the result labels.
Command calcCommand();

} // namespace runnelex::cli
