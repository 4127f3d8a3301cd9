// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace runnelex::cli {

class Output;
struct ParsedArgs;

// runnelex-cli sheet in PDF form, run by the drawing helper: one sheet of the calculation the
// options describe, or with --table the index page(s) and then one sheet per computed row, the
// pages numbered through the file. Needs no application object: it makes its own.
int drawSheetPdf(const ParsedArgs& a, Output& out, Output& err);

} // namespace runnelex::cli
