// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "sheet_render/sheet_layout.h"

namespace runnelex::sheet {

// A piece of a sheet never split between pages: a line of text, a table row, the drawings. Its
// items are placed from the row's top; a row kept with the next (a heading) moves on to the
// next page with it.
struct FlowRow {
    double height = 0.0;
    std::vector<PageItem> items;
    bool keepWithNext = false;
};
// Rows kept on one page where they fit on one: a block, the title block.
using FlowGroup = std::vector<FlowRow>;

// Places groups one below the other down the pages, between `top` and `bottom` (points), a gap
// between groups on the same page. A group longer than a page runs on row by row.
class PageFlow {
public:
    PageFlow(double top, double bottom, double gap);
    void add(const FlowGroup& group);
    std::vector<std::vector<PageItem>> takePages() { return std::move(pages_); }

private:
    void place(const FlowRow& row);
    void newPage();
    double room() const { return bottom_ - y_; }

    double top_, bottom_, gap_, y_;
    std::vector<std::vector<PageItem>> pages_;
};

} // namespace runnelex::sheet
