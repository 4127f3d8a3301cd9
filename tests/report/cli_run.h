// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/output.h"

namespace runnelex::test {

struct CliRun {
    int status = -1;
    std::string out, err;
};

// runnelex-cli in process; `failAfter` bytes of stdout fit before the output fails.
inline CliRun runCli(const std::vector<std::string>& args,
                     std::size_t failAfter = static_cast<std::size_t>(-1)) {
    cli::StringOutput out(failAfter), err;
    const auto commands = cli::coreCommands();
    CliRun r;
    r.status = cli::runCli(args, commands, out, err);
    out.flush();
    err.flush();
    r.out = out.text();
    r.err = err.text();
    return r;
}

// The lines of a text, without their line breaks.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        lines.push_back(text.substr(start, lf - start));
        if (lf == std::string::npos)
            break;
        start = lf + 1;
    }
    return lines;
}

} // namespace runnelex::test
