// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "calc/calc_request.h"
#include "report/ordered_runner.h"
#include "report/report_plan.h"
#include "report/row_format.h"

namespace runnelex::report {

class PackedRows;

// The one way a report's rows are made, for the command line (TextChunk: the rows as text) and
// the Range Report window (PackedChunk: the rows packed small). Computes every row of `plan` on
// `threads` threads, `chunkRows` at a time, each chunk starting as a copy of `empty` and
// collecting its rows through add(const RecordReply&) (then shrink(), where the chunk has one),
// and hands the chunks to `take` in report order, on the calling thread, with constant memory.
// `take` returning false or `cancel` stops it; returns false then.
template <typename Chunk>
bool computeRows(const ReportPlan& plan, unsigned threads, std::uint64_t chunkRows,
                 const std::atomic<bool>* cancel, const Chunk& empty,
                 const std::function<bool(Chunk&&)>& take) {
    const auto cancelled = [cancel] {
        return cancel != nullptr && cancel->load();
    };
    OrderedRun<Chunk> run;
    run.items = plan.rowCount();
    run.chunkSize = chunkRows;
    run.threads = threads;
    run.cancel = cancel;
    run.make = [&](std::uint64_t first, std::uint64_t count, Chunk& chunk) {
        chunk = empty;
        for (std::uint64_t i = first; i < first + count && !cancelled(); ++i)
            chunk.add(runRecord(plan.point(i)));
        if constexpr (requires { chunk.shrink(); })
            chunk.shrink();
    };
    run.take = [&](Chunk&& chunk) {
        // A chunk cut short by the cancel must not pass for a whole one.
        return !cancelled() && take(std::move(chunk));
    };
    return runOrdered(run) && !cancelled();
}

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
