// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace runnelex {

// The recorded text of the run: the header line (set when the results window loads) and the
// records, each preceded by a line feed. It outlives the results window, which reads its lines
// from here rather than holding a copy: a record costs its UTF-8 bytes and one offset.
class ResultsText {
public:
    const std::string& ResultsHeader() const { return header_; }
    const std::string& ResultsRows() const { return rows_; }

    void setHeader(std::string header) { header_ = std::move(header); }
    // Appends LF + record to the rows.
    void appendRecord(const std::string& record);
    void clearRows() {
        rows_.clear();
        starts_.clear();
    }
    std::size_t recordCount() const { return starts_.size(); }

    // ResultsHeader + ResultsRows: the text the results window shows after every change.
    std::string fullText() const { return header_ + rows_; }
    // The header line and one line a record.
    std::size_t lineCount() const { return 1 + starts_.size(); }
    // Line 0 is the header, line i the i-th record; no line feed.
    std::string_view line(std::size_t index) const;

private:
    std::string header_;
    std::string rows_;
    // Where each record begins in rows_ (after its line feed).
    std::vector<std::size_t> starts_;
};

} // namespace runnelex
