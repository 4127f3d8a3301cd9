// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <string>

#include "sheet/sheet_document.h"

namespace runnelex::sheet {

// Reads a table as `runnelex-cli batch` reads it (a saved results table or report, TSV or CSV)
// and computes every row. The index (when given) gets one line per computed row and every row
// left out, named by its line; `each` (when given) gets each computed row's sheet in order.
// Only one row's sheet is held at a time, so a table of any length is read in bounded memory;
// a caller that needs the index before the sheets (a page count) reads the table twice.
// Returns why the table cannot be read at all.
std::optional<std::string> readTableSheets(std::istream& in, const SheetTitle& title,
                                           SheetIndex* index,
                                           const std::function<void(const SheetDocument&)>& each);

} // namespace runnelex::sheet
