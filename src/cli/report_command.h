// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

namespace runnelex::cli {

// "runnelex-cli report": the calculation across ranges of values, one record per point.
Command reportCommand();

} // namespace runnelex::cli
