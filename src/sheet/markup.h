// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The pieces the HTML form and its drawings are written of.
namespace runnelex::sheet {

// `text` with every character markup gives a meaning (& < > " ') written as a reference, so
// that it reads the same in element text and in a quoted attribute value alike.
void appendEscaped(std::string& out, std::string_view text);
std::string escaped(std::string_view text);

// A coordinate of a drawing: at most two decimals, no trailing zeros, the point as separator
// whatever the locale ("12.5", "-3", never "-0").
void appendCoordinate(std::string& out, double value);

} // namespace runnelex::sheet
