// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_text.h"

namespace runnelex {

void ResultsText::appendRecord(const std::string& record) {
    rows_.reserve(rows_.size() + record.size() + 1);
    rows_ += '\n';
    rows_ += record;
    ++count_;
}

} // namespace runnelex
