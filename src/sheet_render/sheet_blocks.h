// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/sheet_document.h"
#include "sheet_render/page_flow.h"

// The pieces of a sheet as rows of a page, `width` points wide from `left`.
namespace runnelex::sheet {

// The heading, the subject and the title block (each field's value on a line, a blank line to
// fill in by hand where it is empty).
FlowGroup headingGroup(const SheetDocument& document, double left, double width);
// A block: its heading, its table (numbers right-aligned), its lines (equations indented in
// the fixed-width face, wrapped where too long).
FlowGroup blockGroup(const SheetBlock& block, double left, double width);
// The place of the drawings, in the proportions of the picture window.
FlowGroup drawingsGroup(double left, double width);

// Whether a cell holds a number alone ("0.5359", "-1.2e-5"): such columns are right-aligned.
bool isNumberCell(const std::string& cell);

} // namespace runnelex::sheet
