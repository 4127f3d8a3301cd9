// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's arguments, any vector of them (split at NUL bytes): the program either
// starts (in SI only when --si was given), or ends at once with 0 and a text on standard
// output, or with 2 and a refusal on standard error that ends with the hint to --help.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/program_arguments.h"
#include "fuzz_check.h"

using namespace runnelex;
using namespace runnelex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args =
        split(std::string(reinterpret_cast<const char*>(data), size), '\0');
    std::string shown;
    for (const std::string& a : args)
        shown += "[" + escaped(a) + "] ";

    const ProgramArguments r = readProgramArguments(args);
    if (!r.exitStatus) {
        require(r.out.empty() && r.err.empty(), "a start prints nothing", shown);
        require(r.system == UnitSystem::US ||
                    std::find(args.begin(), args.end(), "--si") != args.end(),
                "SI only with --si", shown);
    } else if (*r.exitStatus == 0) {
        require(!r.out.empty() && r.err.empty(), "help and version print on stdout", shown);
    } else {
        const std::string hint = "Try \"runnelex --help\" for more information.\n";
        require(*r.exitStatus == 2, "a refusal ends with 2", shown);
        require(r.out.empty() && r.err.rfind("runnelex: ", 0) == 0 && r.err.size() > hint.size() &&
                    r.err.compare(r.err.size() - hint.size(), hint.size(), hint) == 0,
                "a refusal is one line and the hint", shown + r.err);
    }
    return 0;
}
