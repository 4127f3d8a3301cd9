// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/args.h"

namespace runnelex::cli {

class Output;

// One command of runnelex-cli ("calc", "report", ...).
struct Command {
    std::string name;
    std::string synopsis;           // the usage lines, each starting with "runnelex-cli <name>"
    std::string description;        // shown by "runnelex-cli <name> --help"
    std::vector<OptionDef> options; // "help" is added by the dispatcher
    bool takesPositionals = false;  // e.g. a file name
    // Runs the command and returns its exit status. Usage errors go through usageError().
    std::function<int(const ParsedArgs&, Output& out, Output& err)> run;
};

} // namespace runnelex::cli
