// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_render/page_flow.h"

#include <numeric>

namespace runnelex::sheet {

PageFlow::PageFlow(double top, double bottom, double gap)
    : top_(top), bottom_(bottom), gap_(gap), y_(top), pages_(1) {}

void PageFlow::newPage() {
    pages_.emplace_back();
    y_ = top_;
}

void PageFlow::place(const FlowRow& row) {
    for (PageItem item : row.items) {
        item.rect.translate(0, y_);
        pages_.back().push_back(std::move(item));
    }
    y_ += row.height;
}

void PageFlow::add(const FlowGroup& group) {
    if (group.empty())
        return;
    const double height =
        std::accumulate(group.begin(), group.end(), 0.0,
                        [](double sum, const FlowRow& r) { return sum + r.height; });
    const bool fresh = y_ <= top_;
    if (!fresh)
        y_ += gap_;
    // Whole where it fits, on this page or else on the next; one longer than a page starts
    // where it is and runs on.
    if (height > room() && !fresh && height <= bottom_ - top_)
        newPage();
    for (std::size_t i = 0; i < group.size(); ++i) {
        const FlowRow& row = group[i];
        double needed = row.height;
        if (row.keepWithNext && i + 1 < group.size())
            needed += group[i + 1].height;
        if (needed > room() && y_ > top_)
            newPage();
        place(row);
    }
}

} // namespace runnelex::sheet
