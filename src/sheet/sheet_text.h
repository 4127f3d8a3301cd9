// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sheet/sheet_document.h"

// The plain-text form of a sheet: the same content without the drawings, in lines of at most
// 78 characters of fixed-width text, for e-mail and for tests.
namespace runnelex::sheet {

std::string sheetText(const SheetDocument& document);
std::string indexText(const SheetIndex& index);

} // namespace runnelex::sheet
