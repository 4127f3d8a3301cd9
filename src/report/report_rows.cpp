// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_rows.h"

#include <algorithm>

#include "report/ordered_runner.h"
#include "report/packed_rows.h"
#include "report/report_plan.h"

namespace runnelex::report {

bool computeRows(const ReportPlan& plan, unsigned threads, std::uint64_t chunkRows,
                 const std::atomic<bool>& cancel,
                 const std::function<void(std::shared_ptr<const PackedChunk>)>& deliver) {
    using Chunk = std::shared_ptr<PackedChunk>;
    OrderedRun<Chunk> run;
    run.items = plan.rowCount();
    run.chunkSize = chunkRows;
    run.threads = threads;
    run.cancel = &cancel;
    run.make = [&plan, &cancel](std::uint64_t first, std::uint64_t count, Chunk& chunk) {
        chunk = std::make_shared<PackedChunk>();
        for (std::uint64_t i = first; i < first + count && !cancel.load(); ++i)
            chunk->add(runRecord(plan.point(i)));
        chunk->shrink();
    };
    run.take = [&deliver, &cancel](Chunk&& chunk) {
        if (cancel.load()) // a chunk cut short by the cancel must not pass for a whole one
            return false;
        deliver(std::move(chunk));
        return true;
    };
    return runOrdered(run) && !cancel.load();
}

std::vector<RowRange> mergedRanges(std::vector<RowRange> ranges) {
    std::sort(ranges.begin(), ranges.end(),
              [](const RowRange& a, const RowRange& b) { return a.first < b.first; });
    std::vector<RowRange> merged;
    for (const RowRange& r : ranges) {
        if (r.last < r.first)
            continue;
        if (!merged.empty() && r.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, r.last);
        else
            merged.push_back(r);
    }
    return merged;
}

bool writeRows(Format format, const ReportPlan& plan, const PackedRows& rows,
               const std::vector<RowRange>& ranges, bool header, std::string& out,
               const std::atomic<bool>& cancel, std::atomic<std::uint64_t>& done) {
    if (header)
        out += headerText(format, plan.system());
    RecordReply row;
    for (const RowRange& range : ranges) {
        for (std::uint64_t i = range.first; i <= range.last && i < rows.size(); ++i) {
            if (i % 1024 == 0 && cancel.load())
                return false;
            row.fields = inputFields(plan.point(i));
            rows.readResults(i, row);
            out += rowText(format, row);
            done.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return true;
}

} // namespace runnelex::report
