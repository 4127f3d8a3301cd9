// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace runnelex::cli {

// A command's usage lines: `lead` ("  runnelex-cli calc") and its items, filled into lines of
// at most 80 columns, each line after the first indented under the first item; an item "\n"
// ends a line where it stands.
std::string synopsisLines(std::string_view lead, const std::vector<std::string>& items);

// The items naming the section, from the shape table: "[--shape circle|square|box]", then one
// item per group of dimensions a shape takes ("[--diam TEXT]", "[--span TEXT --rise TEXT]").
std::string shapeItem();
std::vector<std::string> dimensionItems();
// "[--law manning|...]" and the inputs of the laws other than n, one item each law.
std::vector<std::string> lawItems();

} // namespace runnelex::cli
