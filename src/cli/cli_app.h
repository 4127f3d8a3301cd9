// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "cli/command.h"

namespace runnelex::cli {

class Output;

// runnelex-cli in process: `args` are the arguments after the program name. Reads the command
// word, checks the arguments against the command's options, runs it, and turns a failed
// output into a message and its own exit status. Never throws.
int runCli(std::span<const std::string> args, std::span<const Command> commands, Output& out,
           Output& err);

// Writes a usage error: one line "runnelex-cli: <what>" and a hint to the help, and returns
// the usage exit status. `command` names the command whose help the hint points to.
int usageError(Output& err, const std::string& what, const std::string& command = {});

// A message of the windows ("The calculation was stopped by an arithmetic error: ...") as
// runnelex-cli writes its own after "runnelex-cli: ": a small first letter, no full stop at
// the end.
std::string diagnostic(std::string message);

// The commands every build has (calc, report, batch).
std::vector<Command> coreCommands();

} // namespace runnelex::cli
