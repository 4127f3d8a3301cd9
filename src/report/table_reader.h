// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// Reads one line (without its line break; a CR before the LF is dropped by the caller). The
// header line is the 14 column names (US customary or SI), or their first 8; a row has 14
// fields (a saved table or a report) or only the 8 inputs (typed into a spreadsheet),
// TAB-separated. A row's unit words are those of one system, read as a person may write them
// ("cfs", "in"); its request carries them as the lists show them.
// A CSV line (RFC 4180, as `report --format csv` writes it) holds the same fields, comma-
// separated and quoted where needed, and may carry the report's "Surcharged" column last.
TableLine readTableLine(std::string_view line, Format format = Format::Tsv);

// The format of a table, told by its first line: TSV when it holds a TAB, else CSV when it holds
// a comma.
Format tableFormat(std::string_view firstLine);

// Splits a stream of bytes into lines as they arrive, so a table of any length is read with
// constant memory: LF ends a line, a CR before it is dropped, the last line may lack its LF.
class LineSplitter {
public:
    // Adds bytes; then take lines with next() until it returns nothing.
    void feed(std::string_view bytes);
    // The input has ended: what is left is the last line.
    void finish() { finished_ = true; }
    std::optional<std::string> next();
    // Whether the last line handed out ended with a line break.
    bool lastHadBreak() const { return lastHadBreak_; }

private:
    std::string pending_;
    std::size_t start_ = 0;
    bool finished_ = false;
    bool lastHadBreak_ = false;
};

} // namespace runnelex::report
