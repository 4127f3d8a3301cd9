// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/synopsis.h"

#include <algorithm>

#include "sections/shape_table.h"

namespace runnelex::cli {

namespace {
constexpr std::size_t kWidth = 80;
} // namespace

std::string synopsisLines(std::string_view lead, const std::vector<std::string>& items) {
    const std::string indent(lead.size() + 1, ' ');
    std::string text(lead), line(lead);
    bool fresh = false; // the line holds its indent only
    for (const std::string& item : items) {
        if (item == "\n") {
            text += "\n" + indent;
            line = indent;
            fresh = true;
            continue;
        }
        if (!fresh && line.size() + 1 + item.size() > kWidth) {
            text += "\n" + indent;
            line = indent;
            fresh = true;
        }
        const std::string piece = (fresh ? "" : " ") + item;
        text += piece;
        line += piece;
        fresh = false;
    }
    return text + "\n";
}

std::string shapeItem() {
    return "[--shape " + sections::shapeWordList("|") + "]";
}

std::vector<std::string> dimensionItems() {
    std::vector<std::string> items;
    std::vector<std::string_view> named;
    for (const sections::ShapeRow& row : sections::shapeTable()) {
        std::string item;
        for (const sections::DimensionSpec& d : row.dimensions) {
            if (std::find(named.begin(), named.end(), d.word) != named.end())
                continue;
            named.push_back(d.word);
            if (!d.isLength()) { // a text stands on its own, in its own form
                items.push_back("[--" + std::string(d.word) + " " + std::string(d.text->form) +
                                "]");
                continue;
            }
            item += (item.empty() ? "[--" : " --") + std::string(d.word) + " TEXT";
        }
        if (!item.empty())
            items.push_back(item + "]");
    }
    return items;
}

} // namespace runnelex::cli
