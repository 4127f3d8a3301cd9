// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "results/save_dialog.h"

namespace runnelex {

// The filters of a save that writes a table as TAB-separated text or as CSV.
const QString& tabTextFilter();
const QString& csvFilter();

// Whether a table saved under the name chosen is written as CSV: the extension typed decides
// (".csv" CSV, ".txt" or ".tsv" TAB-separated, whatever filter is selected); any other name
// takes the format of the filter selected.
bool savesAsCsv(const SaveDialogChoice& choice);

// TAB-separated lines (LF between them) as CSV: RFC 4180 fields, quoted where needed, each
// line ended by CRLF, as a spreadsheet reads them.
QByteArray csvOfTabText(const QString& text);

} // namespace runnelex
