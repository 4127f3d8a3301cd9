// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/sheet_html.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <vector>

#include "sheet/markup.h"
#include "sheet/sheet_svg.h"

namespace runnelex::sheet {

namespace {

// Screen and paper alike; the paper's size and the footer follow in @page. The footer of the
// paper stands in the page's margin, where the browser numbers the pages; the screen shows it
// under each sheet instead.
constexpr const char* kStyle = R"(body { font: 10.5pt/1.35 "DejaVu Sans", Verdana, sans-serif;
  color: #111; margin: 0 auto; max-width: 190mm; padding: 1em; }
h1 { font-size: 1.5em; margin: 0 0 .2em; }
h2 { font-size: 1.1em; margin: 1.1em 0 .3em; border-bottom: 1px solid #999; break-after: avoid; }
.subject { margin: 0 0 .8em; white-space: pre-wrap; } /* its parts stand blanks apart */
table { border-collapse: collapse; margin: .2em 0 .5em; }
th, td { padding: .15em .6em; text-align: left; vertical-align: top; }
thead th { border-bottom: 1px solid #555; }
tr { break-inside: avoid; }
td.n { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
table.title th { font-weight: 600; }
table.title td { min-width: 24em; border-bottom: 1px solid #555; }
pre.eq { font: 9.5pt/1.4 "DejaVu Sans Mono", "Liberation Mono", monospace;
  margin: .3em 0 .5em 1.5em; white-space: pre-wrap; }
.drawings { display: flex; flex-wrap: wrap; gap: 1em; align-items: flex-start;
  break-inside: avoid; }
.drawings figure { margin: 0; }
svg.drawing { max-width: 100%; height: auto; }

.sheet + .sheet, .index + .sheet { break-before: page; }
.foot { color: #555; font-size: .85em; border-top: 1px solid #ccc; margin-top: 1.5em; }
@media print {
  body { max-width: none; padding: 0; }
  .foot { display: none; }
}
)";

// A text as a CSS string: its quote, backslash and markup characters (and controls) written as
// CSS escapes, so that nothing in it ends the string or the style element.
std::string cssString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\' || c == '<' || c == '>' || c == '&' || u < 0x20 || u == 0x7f) {
            char hex[4];
            const auto end = std::to_chars(hex, hex + sizeof hex, u, 16).ptr;
            out.append("\\").append(hex, end).append(" ");
        } else {
            out.push_back(c);
        }
    }
    return out.append("\"");
}

void element(std::string& out, const char* tag, std::string_view text,
             const char* className = nullptr) {
    out.append("<").append(tag);
    if (className)
        out.append(" class=\"").append(className).append("\"");
    out.append(">");
    appendEscaped(out, text);
    out.append("</").append(tag).append(">\n");
}

// A cell that holds one number alone ("0.5359", "-2", "1.5E+20"): set right, digits in line.
bool isNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            ++digits;
        else if (text[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        if (i == from)
            return false;
    }
    return i == text.size();
}

// A table: the header row when there are columns, then the rows, each as wide as the widest.
void table(std::string& out, const std::vector<std::string>& columns,
           const std::vector<std::vector<std::string>>& rows) {
    if (columns.empty() && rows.empty())
        return;
    std::size_t wide = columns.size();
    for (const auto& row : rows)
        wide = std::max(wide, row.size());
    out.append("<table>\n");
    if (!columns.empty()) {
        out.append("<thead><tr>");
        for (std::size_t i = 0; i < wide; ++i) {
            out.append("<th scope=\"col\">");
            appendEscaped(out, i < columns.size() ? columns[i] : std::string());
            out.append("</th>");
        }
        out.append("</tr></thead>\n");
    }
    out.append("<tbody>\n");
    for (const auto& row : rows) {
        out.append("<tr>");
        for (std::size_t i = 0; i < wide; ++i) {
            const std::string_view cell = i < row.size() ? row[i] : std::string_view();
            out.append(isNumber(cell) ? "<td class=\"n\">" : "<td>");
            appendEscaped(out, cell);
            out.append("</td>");
        }
        out.append("</tr>\n");
    }
    out.append("</tbody>\n</table>\n");
}

// The five captions and what was typed; an empty one a line to fill in by hand.
void titleBlock(std::string& out, const SheetTitle& title) {
    const std::string* values[] = {&title.project, &title.reach, &title.engineer, &title.checker,
                                   &title.date};
    out.append("<table class=\"title\">\n");
    for (std::size_t i = 0; i < std::size(values); ++i) {
        out.append("<tr><th scope=\"row\">");
        appendEscaped(out, kTitleCaptions[i]);
        out.append("</th><td>");
        appendEscaped(out, *values[i]);
        out.append("</td></tr>\n");
    }
    out.append("</table>\n");
}

std::string opening(std::string_view title, std::string_view program, Paper paper) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    element(out, "title", title);
    out.append("<style>\n").append(kStyle);
    out.append("@page { size: ").append(paper == Paper::A4 ? "A4" : "letter");
    out.append("; margin: 15mm;\n  @bottom-center { content: ");
    std::string footer(program);
    out.append(cssString(footer.append("   page "))).append(" counter(page) ");
    out.append(cssString(" of ")).append(" counter(pages);\n");
    out.append("    white-space: pre; font-size: 8pt; color: #555; }\n}\n</style>\n</head>\n");
    out.append("<body>\n");
    return out;
}

std::string subjectTitle(std::string_view heading, std::string_view subject) {
    std::string title(heading);
    if (!subject.empty())
        title.append(": ").append(subject);
    return title;
}

} // namespace

std::string sheetHtml(const SheetDocument& document, Paper paper) {
    std::string out =
        opening(subjectTitle(document.heading, document.subject), document.program, paper);
    return out.append(htmlSheet(document)).append(htmlClosing());
}

std::string htmlOpening(const SheetIndex& index, Paper paper) {
    std::string out = opening(subjectTitle(index.heading, index.source), index.program, paper);
    out.append("<section class=\"index\">\n");
    element(out, "h1", index.heading);
    if (!index.source.empty())
        element(out, "p", index.source, "subject");
    titleBlock(out, index.title);
    table(out, index.columns, index.rows);
    if (!index.leftOut.empty()) {
        element(out, "h2", "Rows left out");
        out.append("<ul>\n");
        for (const std::string& line : index.leftOut)
            element(out, "li", line);
        out.append("</ul>\n");
    }
    element(out, "p", index.program, "foot");
    out.append("</section>\n");
    return out;
}

std::string htmlSheet(const SheetDocument& document) {
    std::string out = "<section class=\"sheet\">\n";
    element(out, "h1", document.heading);
    if (!document.subject.empty())
        element(out, "p", document.subject, "subject");
    titleBlock(out, document.title);
    for (const SheetBlock& block : document.blocks) {
        if (!block.heading.empty())
            element(out, "h2", block.heading);
        table(out, block.columns, block.rows);
        if (block.equations && !block.lines.empty()) {
            // The line end after <pre> is dropped by every parser: a first empty line stays.
            out.append("<pre class=\"eq\">\n");
            for (std::size_t i = 0; i < block.lines.size(); ++i) {
                if (i > 0)
                    out.push_back('\n');
                appendEscaped(out, block.lines[i]);
            }
            out.append("</pre>\n");
        } else {
            for (const std::string& line : block.lines)
                if (!line.empty())
                    element(out, "p", line);
        }
    }
    if (document.picture) {
        const picture::PictureModel& m = *document.picture;
        element(out, "h2", "Drawings");
        out.append("<div class=\"drawings\">\n<figure>\n").append(crossSectionSvg(m));
        out.append("</figure>\n");
        if (const std::string chart = elementsChartSvg(m); !chart.empty())
            out.append("<figure>\n").append(chart).append("</figure>\n");
        out.append("</div>\n");
    }
    element(out, "p", document.program, "foot");
    out.append("</section>\n");
    return out;
}

std::string htmlClosing() {
    return "</body>\n</html>\n";
}

} // namespace runnelex::sheet
