// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sheet/sheet_document.h"

// The HTML form of a sheet: one self-contained file (styles and drawings inline, no reference
// to anything outside it) that prints as the PDF form does.
namespace runnelex::sheet {

// A file of one sheet.
std::string sheetHtml(const SheetDocument& document, Paper paper);

// A file of a table's sheets, written piece by piece so that no more than one sheet is held:
// the opening with the index page, then each sheet, then the closing.
std::string htmlOpening(const SheetIndex& index, Paper paper);
std::string htmlSheet(const SheetDocument& document);
std::string htmlClosing();

} // namespace runnelex::sheet
