// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace runnelex::cli {

// The exit status of runnelex-cli, the same for every command.
enum ExitCode : int {
    kDone = 0,
    kUsage = 2,        // a usage error or a rejected input text
    kArithmetic = 3,   // an arithmetic fault stopped the calculation (report: in some rows)
    kOutputFailed = 4, // the output could not be written (full disk, closed stdout, ...)
    kLinesLeftOut = 5, // batch: some input lines were malformed and left out
    kNoSize = 6,       // size: no size meets the criteria
};

} // namespace runnelex::cli
