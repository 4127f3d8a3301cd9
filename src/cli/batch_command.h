// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

namespace runnelex::cli {

// "runnelex-cli batch FILE|-": every row of a saved results table recomputed from its inputs.
Command batchCommand();

} // namespace runnelex::cli
