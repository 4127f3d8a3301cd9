// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calc/calc_request.h"

namespace runnelex::report {

// How report rows are written: the results file format (TAB-separated, LF), CSV (RFC 4180:
// comma-separated, fields quoted where needed, CRLF), or JSON Lines (one object per row, the
// numbers typed).
enum class Format { Tsv, Csv, Json };

std::optional<Format> formatNamed(std::string_view name);

// The header line with its line end; JSON has none.
std::string headerText(Format format, UnitSystem system = UnitSystem::US);

// One row with its line end. A row whose calculation faulted keeps its inputs and carries the
// fault in the depth column ("arithmetic error: Overflow", or "no such section: ..." for
// dimensions that make none), its other results empty; in JSON
// a "fault" member and null results. A surcharged row says so in CSV's last column,
// "Surcharged" ("yes"), and in JSON's "surcharged": true; the TSV record is the results file's.
std::string rowText(Format format, const RecordReply& row);
// The same text appended to `out`, without a text of its own for each field.
void appendRowText(Format format, const RecordReply& row, std::string& out);

// The 14 fields of a row as TSV and CSV write them: a faulted row keeps its inputs, the fault
// in the depth column and no other result.
std::array<std::string, record::kFieldCount> rowFields(const RecordReply& row);

// The text of the depth column of a faulted row.
std::string faultField(const RecordReply& row);

} // namespace runnelex::report
