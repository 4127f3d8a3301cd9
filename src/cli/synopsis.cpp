// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/synopsis.h"

#include <algorithm>

#include "friction/law_table.h"
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

std::vector<std::string> lawItems() {
    // Appended piece by piece: no false -Wrestrict of GCC 12 in the release build.
    std::vector<std::string> items = {
        std::string("[--law ").append(friction::lawWordList("|")).append("]")};
    for (const friction::LawRow& law : friction::lawTable()) {
        const friction::CoefficientSpec& c = law.coefficient;
        if (c.word == "n")
            continue;
        std::string item = "[--";
        item.append(c.word).append(" TEXT");
        if (!c.units.empty()) {
            item.append(" [--").append(c.unitWord).append(" ");
            for (std::size_t i = 0; i < c.units.size(); ++i)
                item.append(i == 0 ? "" : "|").append(c.units[i].word);
            item.append("]");
        }
        items.push_back(item.append("]"));
        for (const friction::ParameterSpec& p : law.parameters)
            items.push_back(std::string("[--").append(p.word).append(" TEXT]"));
    }
    return items;
}

} // namespace runnelex::cli
