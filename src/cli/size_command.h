// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

namespace runnelex::cli {

// "runnelex-cli size": the first nominal diameter that carries the flow within the criteria.
Command sizeCommand();

} // namespace runnelex::cli
