// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_text.h"

#include <algorithm>

namespace runnelex {

void ResultsText::appendRecord(const std::string& record) {
    rows_.reserve(rows_.size() + record.size() + 1);
    rows_ += '\n';
    rows_ += record;
    ++count_;
    rowsAscii_ = rowsAscii_ && ascii(record);
}

bool ResultsText::ascii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string ResultsText::slice(std::size_t from, std::size_t count) const {
    std::string out;
    if (from < header_.size())
        out = header_.substr(from, count);
    const std::size_t inRows = from > header_.size() ? from - header_.size() : 0;
    if (out.size() < count && inRows < rows_.size())
        out.append(rows_, inRows, count - out.size());
    return out;
}

} // namespace runnelex
