// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_text.h"

namespace runnelex {

void ResultsText::appendRecord(const std::string& record) {
    rows_ += '\n';
    starts_.push_back(rows_.size());
    rows_ += record;
}

std::string_view ResultsText::line(std::size_t index) const {
    if (index == 0)
        return header_;
    if (index > starts_.size())
        return {};
    const std::size_t begin = starts_[index - 1];
    const std::size_t end = index < starts_.size() ? starts_[index] - 1 : rows_.size();
    return std::string_view(rows_).substr(begin, end - begin);
}

} // namespace runnelex
