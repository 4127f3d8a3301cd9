// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sizing/pipe_sizing.h"

namespace runnelex::sizing {

// Text of a check in a table: "yes", "no", or "-" where it does not apply.
const char* checkText(Check check);

// The report as TAB-separated lines: a header (the record's columns, then d/D, one column per
// criterion, and "First"), one row per size with the record fields of that size, its d/D and
// its checks, the first size meeting every criterion marked "*" in the last column; then, when
// a size was found, a last line with that size alone. Every line ends with a line feed.
std::string sizingReport(const SizingResult& result, const Criteria& criteria);

} // namespace runnelex::sizing
