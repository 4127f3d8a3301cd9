// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML form of a sheet: well formed, self-contained, every text escaped, and its drawing of
// the section to scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/sheet_html.h"
#include "sheet/sheet_svg.h"

namespace runnelex::sheet {
namespace {

CalcInputs pipe(double d, double slope, double q) {
    CalcInputs in;
    in.Dims[0] = d;
    in.SlopeFtFt = slope;
    in.Qcfs = q;
    return in;
}

// The first fault of the markup: an element closed out of order or never closed, an '&' that
// starts no reference the writer uses; empty when there is none.
std::string markupFault(const std::string& html) {
    static const std::set<std::string> empty = {"meta", "br", "hr", "img", "input", "!doctype"};
    std::vector<std::string> open;
    for (std::size_t i = 0; (i = html.find('<', i)) != std::string::npos;) {
        const std::size_t end = html.find('>', i);
        std::string_view tag(html.data() + i + 1, end == std::string::npos ? 0 : end - i - 1);
        i = end;
        const bool closing = tag.starts_with('/');
        tag.remove_prefix(closing ? 1 : 0);
        std::string name(tag.substr(0, tag.find_first_of(" \n/")));
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        if (end == std::string::npos || name.empty() ||
            name.find_first_not_of("!abcdefghijklmnopqrstuvwxyz0123456789") != std::string::npos)
            return "a stray '<' before " + std::string(tag.substr(0, 20));
        if (!closing && !tag.ends_with('/') && !empty.contains(name))
            open.push_back(name);
        else if (closing && (open.empty() || open.back() != name))
            return "</" + name + "> closes <" + (open.empty() ? "" : open.back()) + ">";
        else if (closing)
            open.pop_back();
    }
    for (std::size_t i = 0; (i = html.find('&', i)) != std::string::npos; ++i) {
        const std::string_view rest(html.data() + i, std::min<std::size_t>(6, html.size() - i));
        if (!rest.starts_with("&amp;") && !rest.starts_with("&lt;") && !rest.starts_with("&gt;") &&
            !rest.starts_with("&quot;") && !rest.starts_with("&#39;"))
            return "a bare '&' before " + html.substr(i, 20);
    }
    return open.empty() ? "" : "<" + open.back() + "> never closed";
}

// The points of the first polygon of a class: "x,y x,y ...".
std::vector<std::pair<double, double>> polygon(const std::string& svg, const char* className) {
    std::vector<std::pair<double, double>> points;
    const std::size_t at = svg.find(std::string("class=\"") + className + "\" points=\"");
    if (at == std::string::npos)
        return points;
    const char* p = svg.c_str() + svg.find("points=\"", at) + 8;
    while (*p != '"') {
        char* end = nullptr;
        const double x = std::strtod(p, &end);
        const double y = std::strtod(end + 1, &end);
        points.emplace_back(x, y);
        p = *end == ' ' ? end + 1 : end;
    }
    return points;
}

double lowestY(const std::vector<std::pair<double, double>>& pts, bool lowest = true) {
    double y = pts.front().second;
    for (const auto& p : pts)
        y = lowest ? std::min(y, p.second) : std::max(y, p.second);
    return y;
}

TEST(SheetHtml, EachDocument) {
    CalcInputs box = pipe(0, 0.001, 100);
    box.Shape = sections::shapeNamed("box");
    box.Dims = {6, 4};
    CalcInputs si = pipe(0.3, 0.01, 0.05);
    si.System = UnitSystem::SI;
    si.Unitflow = "m\u00b3/s";
    const struct {
        const char* name;
        CalcInputs in;
        const char* number; // a number the sheet shows
        const char* paper;
    } cases[] = {
        {"worked example", pipe(1, 0.01, 2), "0.5359", "letter"},
        {"box", box, "Span x rise = 72 x 48 in.", "letter"},
        {"SI", si, "d/D", "A4"},
        {"surcharged", pipe(1, 0.01, 4), "Surcharged!", "letter"},
        {"no diameter", pipe(0, 0.01, 2), "Enter a diameter", "letter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SheetDocument d;
        d.subject = c.name;
        d.title = {"Bridge <&> \"B\" 'C'", "", "", "", "2026-12-08"};
        d.system = c.in.System;
        d.program = "Runnelex 9.9.9";
        d.picture = picture::buildPictureModel(c.in);
        const std::string depth =
            d.picture->normalDepth ? picture::numberText(*d.picture, *d.picture->normalDepth) : "";
        d.blocks = {
            {"Results", {"Quantity", "Symbol", "Value", "Unit"}, {{"Depth", "Dn", depth}}, {}},
            {"Method", {}, {}, {"", "Q = (1.49/n) A R^(2/3) S^(1/2) < Qmax"}, true}};
        const std::string html = sheetHtml(d, defaultPaper(c.in.System));
        EXPECT_EQ(markupFault(html), "");
        std::string lower = html;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        for (const char* outside : {"http", "src=", "href=", "@import", "url(", "<script", "<link"})
            EXPECT_EQ(lower.find(outside), std::string::npos) << outside;
        EXPECT_NE(html.find("<td>Bridge &lt;&amp;&gt; &quot;B&quot; &#39;C&#39;</td>"),
                  std::string::npos);
        EXPECT_NE(html.find("<pre class=\"eq\">\n\nQ = (1.49/n) A R^(2/3) S^(1/2) &lt; Qmax</pre>"),
                  std::string::npos);
        EXPECT_NE(html.find(c.number), std::string::npos);
        EXPECT_NE(html.find(std::string("size: ") + c.paper), std::string::npos);
        if (!depth.empty()) {
            EXPECT_NE(html.find("<td class=\"n\">" + depth + "</td><td></td></tr>"),
                      std::string::npos);
        }

        // The water's surface at the normal depth's place between the invert and the crown.
        const std::string svg = crossSectionSvg(*d.picture);
        const auto outline = polygon(svg, "outline"), water = polygon(svg, "water");
        ASSERT_EQ(outline.empty(), !d.picture->drawable);
        if (outline.empty())
            continue;
        const double crown = lowestY(outline), invert = lowestY(outline, false);
        const double level =
            d.picture->outcome == Outcome::Surcharged
                ? crown
                : invert - *d.picture->normalDepth / d.picture->D * (invert - crown);
        EXPECT_NEAR(lowestY(water), level, 0.02);
        EXPECT_NEAR(lowestY(water, false), invert, 0.02);
    }
}

// A table's sheets in one file: the index, each sheet after a page break, one closing.
TEST(SheetHtml, TableOfSheets) {
    SheetIndex index;
    index.source = "pipes <1>.tsv";
    index.columns = {"Line", "Pipe"};
    index.rows = {{"2", "P&1"}, {"3"}};
    index.leftOut = {"line 4: the slope is not a number"};
    SheetDocument one, two;
    one.picture = picture::buildPictureModel(pipe(1, 0.01, 2));
    two.picture = picture::buildPictureModel(pipe(1.5, 0.004, 3));
    const std::string html =
        htmlOpening(index, Paper::A4) + htmlSheet(one) + htmlSheet(two) + htmlClosing();
    EXPECT_EQ(markupFault(html), "");
    EXPECT_NE(html.find("<td class=\"n\">3</td><td></td>"), std::string::npos); // padded row
    EXPECT_NE(html.find("pipes &lt;1&gt;.tsv"), std::string::npos);
    EXPECT_NE(html.find(".index + .sheet { break-before: page; }"), std::string::npos);
    std::size_t sheets = 0;
    for (std::size_t i = 0; (i = html.find("<section class=\"sheet\">", i)) != std::string::npos;
         ++i)
        ++sheets;
    EXPECT_EQ(sheets, 2u);
}

} // namespace
} // namespace runnelex::sheet
