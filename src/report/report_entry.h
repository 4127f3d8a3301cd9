// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "calc/calc_request.h"
#include "input/calc_entry.h"
#include "report/report_plan.h"

namespace runnelex::report {

// The fixed part of a report made from an entry (the shape, the texts and unit positions of the
// boxes): a shape other than the circle gives its word, each box of the shape that holds a
// text gives it (n unless it is the start value 0.013), each unit list
// off its first item gives its word, an entry in SI gives the system's word; the varied inputs
// give no text, their values come from the ranges. A report from this request makes the rows
// "runnelex-cli report" makes with the options of reportCommandLine.
CalcRequest requestFromEntry(const CalcEntry& entry, const std::vector<Input>& varied);

// The "runnelex-cli report" command that makes the same rows, every argument quoted for a
// POSIX shell where it needs to be.
std::string reportCommandLine(const CalcRequest& request,
                              const std::vector<std::string>& varyTexts);

} // namespace runnelex::report
