// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "calc/calc_request.h"
#include "report/row_format.h"

namespace runnelex::report {

// Consecutive rows of a report as `format` writes them, ready for the output: what
// "runnelex-cli report" collects, where the Range Report window packs its rows.
struct TextChunk {
    Format format = Format::Tsv;
    std::string text;
    std::uint64_t rows = 0, faulted = 0;
    std::uint64_t warned = 0;  // rows with inputs far outside the equations' range
    std::string firstWarning;  // the first such row's first warning

    void add(const RecordReply& row);
};

} // namespace runnelex::report
