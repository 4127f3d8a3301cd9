// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "cli/command.h"
#include "sheet/sheet_document.h"

namespace runnelex::cli {

class Output;

enum class SheetFormat { Pdf, Html, Text };

// What the arguments of "sheet" ask for.
struct SheetOrder {
    sheet::SheetTitle title;
    SheetFormat format = SheetFormat::Text;
    std::string out;                   // a file, or "-" for standard output
    std::optional<sheet::Paper> paper; // nothing: by the calculation's units
    std::optional<std::string> table;  // a table's file: one sheet per row
};

// The order, or the exit status of the usage error written to `err`.
std::variant<SheetOrder, int> sheetOrderFrom(const ParsedArgs& a, Output& err);

// The command; `run` does the work: runnelex-cli writes text and HTML itself and hands PDF to
// the drawing helper, which runs the same command with a `run` that draws.
Command sheetCommand(std::function<int(const ParsedArgs&, Output&, Output&)> run);

// runnelex-cli's: the text and HTML forms here; the PDF form by `drawPdf` (the helper, or a
// refusal where there is none).
int runSheet(const ParsedArgs& a, Output& out, Output& err,
             const std::function<int(const ParsedArgs&, Output&, Output&)>& drawPdf);

} // namespace runnelex::cli
