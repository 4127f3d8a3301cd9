// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/calc_request.h"

namespace runnelex::report {

// The command-line option that gives a part of a request ("--diam-unit").
const char* optionName(RequestField field);

// A refused request as a usage message names it: the option, its text and why
// ("--diam "0": Diameter must be a positive real number.").
std::string requestProblem(const Replay& replay);

} // namespace runnelex::report
