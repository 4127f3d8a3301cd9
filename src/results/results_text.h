// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace runnelex {

// The recorded text of the run: the header line (set when the results window loads) and the
// records, each preceded by a line feed. It outlives the results window.
class ResultsText {
public:
    const std::string& ResultsHeader() const { return header_; }
    const std::string& ResultsRows() const { return rows_; }

    void setHeader(std::string header) {
        header_ = std::move(header);
        headerAscii_ = ascii(header_);
    }
    // Appends LF + record to the rows.
    void appendRecord(const std::string& record);
    void clearRows() {
        rows_.clear();
        count_ = 0;
        rowsAscii_ = true;
    }
    std::size_t recordCount() const { return count_; }

    // ResultsHeader + ResultsRows: the text the results window shows after every change.
    std::string fullText() const { return header_ + rows_; }
    // Whether the whole text is ASCII, so that its bytes are its characters.
    bool isAscii() const { return headerAscii_ && rowsAscii_; }
    // `count` bytes of the whole text from `from`, without joining it.
    std::string slice(std::size_t from, std::size_t count) const;

private:
    std::string header_;
    std::string rows_;
    std::size_t count_ = 0;
    bool headerAscii_ = true, rowsAscii_ = true;

    static bool ascii(const std::string& text);
};

} // namespace runnelex
