// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_render/sheet_blocks.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <iterator>

#include "sheet_render/sheet_faces.h"

namespace runnelex::sheet {

namespace {

constexpr double kCellPadding = 10.0; // between columns
constexpr double kIndent = 18.0;      // of an equation, and again of its continued lines
constexpr double kFieldHeight = 20.0; // a title field: room to write by hand
constexpr double kThinRule = 0.5, kRule = 0.8;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

PageItem text(const QRectF& rect, const QString& s, SheetFace face, int align = Qt::AlignLeft) {
    return {PageItem::Kind::Text, rect, s, face, align | Qt::AlignTop};
}

PageItem rule(double left, double y, double width, double thickness) {
    return {PageItem::Kind::Rule, QRectF(left, y, width, thickness), {}, SheetFace::Body, 0};
}

// Rows of one text, wrapped, each line a row of its own.
void addLines(FlowGroup& group, const QString& s, SheetFace face, double left, double width,
              double hanging) {
    const double line = lineHeight(face);
    // Every line as narrow as the continued ones, so that the breaks fall alike.
    const QStringList lines = wrapText(s, face, width - hanging);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double indent = i == 0 ? 0.0 : hanging;
        group.push_back(
            {line, {text(QRectF(left + indent, 0, width - indent, line), lines[i], face)}});
    }
}

void addTitleBlock(FlowGroup& group, const SheetTitle& title, double left, double width) {
    const std::string* values[] = {&title.project, &title.reach, &title.engineer, &title.checker,
                                   &title.date};
    double caption = 0.0;
    for (const char* c : kTitleCaptions)
        caption = std::max(caption, textWidth(QString::fromUtf8(c) + u':', SheetFace::Bold));
    caption += 6.0;
    const double column = width / 2, gutter = 14.0;
    const double line = lineHeight(SheetFace::Body);
    const std::size_t count = std::size(values);
    for (std::size_t first = 0; first < count; first += 2) {
        FlowRow row{kFieldHeight, {}, false};
        for (std::size_t i = first; i < std::min(first + 2, count); ++i) {
            const double x = left + column * static_cast<double>(i - first);
            const double valueWidth = column - caption - gutter;
            const double baseline = kFieldHeight - 4.0;
            row.items.push_back(text(QRectF(x, baseline - line, caption, line),
                                     QString::fromUtf8(kTitleCaptions[i]) + u':', SheetFace::Bold));
            row.items.push_back(text(QRectF(x + caption, baseline - line, valueWidth, line),
                                     qs(*values[i]), SheetFace::Body));
            row.items.push_back(rule(x + caption, baseline + 1.0, valueWidth, kThinRule));
        }
        group.push_back(std::move(row));
    }
}

// The table's columns: as wide as their widest cell, the widest narrowed while they are too
// wide together (its cells then wrap).
std::vector<double> columnWidths(const SheetBlock& block, std::size_t count, double width) {
    std::vector<double> widths(count, kCellPadding);
    for (std::size_t c = 0; c < block.columns.size(); ++c)
        widths[c] =
            std::max(widths[c], textWidth(qs(block.columns[c]), SheetFace::Bold) + kCellPadding);
    for (const auto& row : block.rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], textWidth(qs(row[c]), SheetFace::Body) + kCellPadding);
    double total = 0.0;
    for (double w : widths)
        total += w;
    if (total > width) {
        auto widest = std::max_element(widths.begin(), widths.end());
        *widest = std::max(36.0, *widest - (total - width));
    }
    return widths;
}

FlowRow tableRow(const std::vector<std::string>& cells, const std::vector<double>& widths,
                 const std::vector<bool>& right, SheetFace face, double left) {
    const double line = lineHeight(face);
    FlowRow row{0.0, {}, false};
    double x = left;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const double inner = widths[c] - kCellPadding;
        if (c < cells.size() && !cells[c].empty()) {
            QStringList lines = wrapText(qs(cells[c]), face, inner);
            for (QString& l : lines)
                while (l.endsWith(u' '))
                    l.chop(1);
            const double high = line * static_cast<double>(lines.size());
            row.items.push_back(text(QRectF(x, 0, inner, high), lines.join(u'\n'), face,
                                     right[c] ? Qt::AlignRight : Qt::AlignLeft));
            row.height = std::max(row.height, high);
        }
        x += widths[c];
    }
    row.height = std::max(row.height, line) + 2.0;
    return row;
}

} // namespace

bool isNumberCell(const std::string& cell) {
    double value = 0.0;
    const char* end = cell.data() + cell.size();
    const auto [at, error] = std::from_chars(cell.data(), end, value);
    return !cell.empty() && error == std::errc() && at == end;
}

FlowGroup headingGroup(const SheetDocument& document, double left, double width) {
    FlowGroup group;
    const double heading = lineHeight(SheetFace::Heading);
    group.push_back(
        {heading + 2.0,
         {text(QRectF(left, 0, width, heading), qs(document.heading), SheetFace::Heading)}});
    if (!document.subject.empty())
        addLines(group, qs(document.subject), SheetFace::Subject, left, width, 0.0);
    group.push_back({6.0, {}});
    addTitleBlock(group, document.title, left, width);
    group.push_back({4.0, {rule(left, 3.0, width, kRule)}});
    return group;
}

FlowGroup blockGroup(const SheetBlock& block, double left, double width) {
    FlowGroup group;
    const double heading = lineHeight(SheetFace::BlockHeading);
    group.push_back(
        {heading + 4.0,
         {text(QRectF(left, 0, width, heading), qs(block.heading), SheetFace::BlockHeading),
          rule(left, heading + 1.0, width, kThinRule)},
         true});
    std::size_t count = block.columns.size();
    for (const auto& row : block.rows)
        count = std::max(count, row.size());
    if (count > 0) {
        const std::vector<double> widths = columnWidths(block, count, width);
        // A column mostly of numbers is right-aligned, its heading and its words too, as the
        // text form sets it.
        std::vector<bool> right(count, false);
        for (std::size_t c = 0; c < count; ++c) {
            int numbers = 0, others = 0;
            for (const auto& row : block.rows)
                if (c < row.size() && !row[c].empty())
                    ++(isNumberCell(row[c]) ? numbers : others);
            right[c] = numbers > others;
        }
        if (!block.columns.empty()) {
            FlowRow header = tableRow(block.columns, widths, right, SheetFace::Bold, left);
            header.items.push_back(rule(left, header.height - 1.0, width, kThinRule));
            header.height += 1.0;
            header.keepWithNext = true;
            group.push_back(std::move(header));
        }
        for (const auto& cells : block.rows)
            group.push_back(tableRow(cells, widths, right, SheetFace::Body, left));
        if (!block.lines.empty())
            group.push_back({4.0, {}});
    }
    const SheetFace face = block.equations ? SheetFace::Mono : SheetFace::Body;
    const double indent = block.equations ? kIndent : 0.0;
    for (const std::string& line : block.lines)
        addLines(group, qs(line), face, left + indent, width - indent,
                 block.equations ? kIndent : 0.0);
    return group;
}

FlowGroup drawingsGroup(double left, double width) {
    const double height = width * 9.0 / 16.0; // as the picture is saved, 960 x 540
    return {{height,
             {{PageItem::Kind::Drawings, QRectF(left, 0, width, height), {}, SheetFace::Body, 0}}}};
}

} // namespace runnelex::sheet
