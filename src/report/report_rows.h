// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/packed_chunk.h"
#include "report/row_format.h"

namespace runnelex::report {

class PackedRows;
class ReportPlan;

// Computes every row of `plan` on `threads` threads and hands the rows to `deliver` in report
// order, `chunkRows` at a time, on the calling thread. Returns false when `cancel` stopped it.
bool computeRows(const ReportPlan& plan, unsigned threads, std::uint64_t chunkRows,
                 const std::atomic<bool>& cancel,
                 const std::function<void(std::shared_ptr<const PackedChunk>)>& deliver);

// Rows first to last, both included.
struct RowRange {
    std::uint64_t first = 0, last = 0;
};

// The rows of `ranges` in ascending order, each once: overlapping and touching ranges merged.
std::vector<RowRange> mergedRanges(std::vector<RowRange> ranges);

// Appends the rows of `ranges` (in the order given) to `out` as `format` writes them, after the
// header line when `header`: exactly what "runnelex-cli report" writes for the same rows.
// `done` counts the rows written; returns false when `cancel` stopped it.
bool writeRows(Format format, const ReportPlan& plan, const PackedRows& rows,
               const std::vector<RowRange>& ranges, bool header, std::string& out,
               const std::atomic<bool>& cancel, std::atomic<std::uint64_t>& done);

} // namespace runnelex::report
