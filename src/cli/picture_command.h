// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

namespace runnelex::cli {

// "runnelex-cli picture": the picture window's picture of one calculation, written to a PNG,
// SVG or PDF file without a display. Drawing needs Qt, which the other commands do without:
// runnelex-cli checks the arguments and hands them, unchanged, to the helper program
// runnelex-picture, which draws.
Command pictureCommand(std::function<int(const ParsedArgs&, Output&, Output&)> run);

// What runnelex-cli runs for "picture": the helper, in place of this process. Exit status 4
// with a message when it cannot be found or started.
int runPictureHelper(const ParsedArgs& args, Output& out, Output& err);
// Runs the helper for a command that draws ("picture", "sheet"), with the same arguments.
int runDrawingHelper(const std::string& command, const ParsedArgs& args, Output& out, Output& err);

// Where the helper is looked for: beside the installed runnelex-cli, then in the build tree.
std::vector<std::string> pictureHelperPlaces();

} // namespace runnelex::cli
