// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/calc_request.h"
#include "report/table_reader.h"

namespace runnelex::report {

// A recomputed table written back in the form it was read in, each line without its break.
// TSV and comma-separated CSV are exactly what a report writes; a table separated by
// semicolons is the CSV with semicolons and its numbers with a decimal comma.
std::string tableHeader(const TableForm& form, UnitSystem system);
std::string tableRow(const TableForm& form, const RecordReply& row);

} // namespace runnelex::report
