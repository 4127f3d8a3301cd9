// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace runnelex {

// A text as a message shows it: in double quotes, with control characters, quotes and
// backslashes escaped, so a message stays one line.
std::string quoted(const std::string& text);

// An argument as a POSIX shell reads it back: as it is when it holds only safe characters,
// else in single quotes.
std::string shellQuoted(const std::string& argument);

} // namespace runnelex
