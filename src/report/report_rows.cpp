// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_rows.h"

#include <algorithm>

#include "report/packed_rows.h"
#include "report/report_plan.h"

namespace runnelex::report {

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
            appendRowText(format, row, out);
            done.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return true;
}

} // namespace runnelex::report
