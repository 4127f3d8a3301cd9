// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_request.h"
#include "report/row_format.h"

namespace runnelex::report {

// One line of a saved results table, read back as the request that recomputes it.
struct TableLine {
    enum class Kind { Header, Row, Malformed };
    Kind kind = Kind::Malformed;
    CalcRequest request; // a row: the texts and units of its first 8 fields
    std::string problem; // a malformed line: what is wrong
    // A row's unit system (its unit words'); a header's when its depth columns name it (a
    // header of only the 8 inputs reads the same in both).
    std::optional<UnitSystem> system;
};

// How a table writes its lines, told by its first line and its header.
struct TableForm {
    Format format = Format::Tsv;
    char separator = '\t'; // ',' or ';' in CSV
    // A table separated by semicolons, as a spreadsheet writes CSV where the comma is the
    // decimal separator: its numbers are read and written with a decimal comma.
    bool decimalComma = false;
    // Where each of the record's 14 columns stands in a line (-1: not there) when the header
    // named them in an order of its own; empty when the fields stand in the record's order.
    std::vector<int> columns;
    std::size_t width = 0; // the named header's fields
};

// The form told by a table's first line: TSV when it holds a TAB, else CSV separated by the
// semicolon or the comma, whichever splits it into more fields.
TableForm tableForm(std::string_view firstLine);

// Why a table cannot be read at all, told by its first line: UTF-16 text, or a JSON report.
std::optional<std::string> unreadableTable(std::string_view firstLine);

// A header that names the 8 inputs (and any results) in an order of its own, or beside columns
// of no meaning here: where each stands, and the names of the columns left aside. Nothing when
// the header does not name every input, or names the columns in the record's order.
struct NamedColumns {
    std::vector<int> columns; // as TableForm::columns
    std::size_t width = 0;
    std::vector<std::string> ignored;
    std::optional<UnitSystem> system; // when the depth columns name it
};
std::optional<NamedColumns> namedColumns(std::string_view header, const TableForm& form);

// Reads one line (without its line break; a CR before the LF is dropped by the caller). The
// header line is the 14 column names (US customary or SI), or their first 8; a row has 14
// fields (a saved table or a report) or only the 8 inputs (typed into a spreadsheet),
// TAB-separated; empty fields after them are no fields. A row's unit words are those of one
// system, read as a person may write them ("cfs", "in"); its request carries them as the lists
// show them. A CSV line (RFC 4180, as `report --format csv` writes it) holds the same fields,
// separated and quoted where needed, and may carry the report's "Surcharged" column last.
// The name passes as it is; an input that is not UTF-8 is refused with how to save the table
// as UTF-8.
TableLine readTableLine(std::string_view line, const TableForm& form);
TableLine readTableLine(std::string_view line, Format format = Format::Tsv);

// The format of a table, told by its first line (tableForm's).
Format tableFormat(std::string_view firstLine);

// The longest line a table may hold: a longer one is told, never held.
inline constexpr std::size_t kMaxLineBytes = std::size_t(1) << 20;

// Splits a stream of bytes into lines as they arrive, so a table of any length is read with
// bounded memory: LF ends a line, a CR before it is dropped, the last line may lack its LF. A
// line longer than kMaxLineBytes is handed out empty, as too long, and its bytes dropped as
// they come.
class LineSplitter {
public:
    // Adds bytes; then take lines with next() until it returns nothing.
    void feed(std::string_view bytes);
    // The input has ended: what is left is the last line.
    void finish();
    std::optional<std::string> next();
    // Whether the last line handed out ended with a line break; with CR LF; was too long.
    bool lastHadBreak() const { return lastHadBreak_; }
    bool lastHadCrLf() const { return lastHadCrLf_; }
    bool lastTooLong() const { return lastTooLong_; }

private:
    std::string pending_;
    std::size_t start_ = 0;
    bool finished_ = false;
    bool skipping_ = false; // inside a line already handed out as too long
    bool lastHadBreak_ = false;
    bool lastHadCrLf_ = false;
    bool lastTooLong_ = false;
};

} // namespace runnelex::report
