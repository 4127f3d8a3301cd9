// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

namespace runnelex::cli {

// "runnelex-cli picture": the picture window's picture of one calculation, written to a PNG,
// SVG or PDF file without a display. Needs Qt's widgets, so it lives outside the core commands.
Command pictureCommand();

} // namespace runnelex::cli
