// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/sheet_text.h"

#include <algorithm>

namespace runnelex::sheet {

namespace {

constexpr std::size_t kWidth = 78;

// Characters as a fixed-width screen shows them: UTF-8 continuation bytes take no room.
std::size_t shownWidth(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void pad(std::string& out, std::string_view text, std::size_t width, bool right) {
    const std::size_t fill = width > shownWidth(text) ? width - shownWidth(text) : 0;
    if (right)
        out.append(fill, ' ');
    out.append(text);
    if (!right)
        out.append(fill, ' ');
}

// A number, or a number and a word after it ("3.8307 CFS"), stands right-aligned.
bool numeric(std::string_view cell) {
    return !cell.empty() && (std::isdigit(static_cast<unsigned char>(cell[0])) != 0 ||
                             (cell[0] == '-' && cell.size() > 1));
}

// A line broken at blanks into lines of at most kWidth characters; the lines after the first
// are indented by `indent` more.
void wrapped(std::string& out, std::string_view line, std::size_t indent) {
    const std::size_t own = std::min(line.find_first_not_of(' '), line.size());
    line.remove_prefix(own); // a line's own indent is kept
    std::string lead(indent + own, ' ');
    std::string current = lead;
    std::size_t start = 0;
    bool first = true;
    while (start <= line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos)
            end = line.size();
        const std::string_view word = line.substr(start, end - start);
        const bool empty = current.size() == lead.size();
        if (!empty && shownWidth(current) + 1 + shownWidth(word) > kWidth) {
            out.append(current).append("\n");
            if (first) {
                lead.append(4, ' ');
                first = false;
            }
            current = lead;
        }
        if (current.size() != lead.size())
            current += ' ';
        current.append(word);
        start = end + 1;
    }
    out.append(current).append("\n");
}

void table(std::string& out, const std::vector<std::string>& columns,
           const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths(columns.size(), 0);
    const auto measure = [&widths](const std::vector<std::string>& row) {
        if (widths.size() < row.size())
            widths.resize(row.size(), 0);
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], shownWidth(row[i]));
    };
    measure(columns);
    for (const auto& row : rows)
        measure(row);
    const auto line = [&](const std::vector<std::string>& row, bool header) {
        std::string text = "  ";
        for (std::size_t i = 0; i < widths.size(); ++i) {
            const std::string cell = i < row.size() ? row[i] : std::string();
            pad(text, cell, widths[i], !header && numeric(cell));
            text += "  ";
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out.append(text).append("\n");
    };
    if (!columns.empty()) {
        line(columns, true);
        std::vector<std::string> rules;
        for (const std::size_t w : widths)
            rules.emplace_back(w, '-');
        line(rules, true);
    }
    for (const auto& row : rows)
        line(row, false);
}

void titleBlock(std::string& out, const SheetTitle& title) {
    const std::string* values[] = {&title.project, &title.reach, &title.engineer, &title.checker,
                                   &title.date};
    for (std::size_t i = 0; i < std::size(kTitleCaptions); ++i) {
        std::string line = kTitleCaptions[i];
        line += ':';
        pad(out, line, 16, false);
        out.append(values[i]->empty() ? std::string(30, '_') : *values[i]).append("\n");
    }
}

void heading(std::string& out, const std::string& text, const std::string& program) {
    std::string line = text;
    const std::size_t room = kWidth - std::min(kWidth, shownWidth(text) + shownWidth(program));
    line.append(std::max<std::size_t>(room, 2), ' ').append(program);
    out.append(line).append("\n");
    out.append(std::min(kWidth, shownWidth(line)), '=').append("\n");
}

} // namespace

std::string sheetText(const SheetDocument& document) {
    std::string out;
    heading(out, document.heading, document.program);
    if (!document.subject.empty())
        wrapped(out, document.subject, 0);
    out += '\n';
    titleBlock(out, document.title);
    for (const SheetBlock& b : document.blocks) {
        out.append("\n").append(b.heading).append("\n");
        if (!b.columns.empty() || !b.rows.empty())
            table(out, b.columns, b.rows);
        for (const std::string& line : b.lines)
            wrapped(out, line, 2);
    }
    return out;
}

std::string indexText(const SheetIndex& index) {
    std::string out;
    heading(out, index.heading, index.program);
    if (!index.source.empty())
        wrapped(out, "Table: " + index.source, 0);
    out += '\n';
    titleBlock(out, index.title);
    out += '\n';
    table(out, index.columns, index.rows);
    if (!index.leftOut.empty()) {
        out.append("\nLeft out\n");
        for (const std::string& line : index.leftOut)
            wrapped(out, line, 2);
    }
    return out;
}

} // namespace runnelex::sheet
