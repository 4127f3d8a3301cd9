// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/unit_system.h"

namespace runnelex {

// What the command line asks of the desktop program, read before the application object
// exists: Qt ends the process when it finds no display, and --help, --version and a refused
// option must answer anywhere.
struct ProgramArguments {
    UnitSystem system = UnitSystem::US;
    // Set when the program ends at once: --help and --version (0), a refused argument (2).
    std::optional<int> exitStatus;
    std::string out; // for standard output
    std::string err; // for standard error
};

// `args`: the arguments after the program's name. The program's own are --si, --help (-h)
// and --version; the standard options of Qt programs (-platform NAME, -style=NAME, ...) are
// let through for Qt to take. Anything else is refused.
ProgramArguments readProgramArguments(const std::vector<std::string>& args);

// The refusal of an argument Qt has let through unused (`word`), as readProgramArguments
// refuses one.
ProgramArguments refusedArgument(const std::string& word);

} // namespace runnelex
