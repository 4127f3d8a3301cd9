// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_session.h"
#include "sheet/sheet_document.h"

namespace runnelex::sheet {

// The sheet of the calculation a calculator shows now: the inputs as its boxes hold them, the
// section, the results as its labels show them, the method with the numbers put in and the
// drawings. An empty date in the title is today's.
SheetDocument buildSheet(const CalcSession& session, const SheetTitle& title);

// Today's date as the title block writes it: "2026-12-08".
std::string todayText();

} // namespace runnelex::sheet
