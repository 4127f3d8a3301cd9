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
#include <variant>
#include <vector>

#include "calc/calc_request.h"
#include "report/request_fragment.h"
#include "sheet/markup.h"
#include "sheet/sheet_builder.h"
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
    const struct {
        const char* name;
        const char* fragment;
        const char* shown; // a text the sheet shows
        const char* paper;
    } cases[] = {
        {"worked example", "diam=12&slope=0.01&flow=2", "<td class=\"n\">0.5359</td>", "letter"},
        {"box", "shape=box&span=6&rise=4&diam-unit=ft.&slope=0.001&flow=100",
         "Span x rise = 6 x 4 ft.", "letter"},
        {"SI", "units=si&diam=300&slope=1&slope-unit=%25&flow=50&flow-unit=L%2Fs", "L/s", "A4"},
        {"surcharged", "diam=12&slope=0.01&flow=4", "Surcharged!", "letter"},
        {"no design flow", "diam=12&slope=0.01", "No design flow", "letter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalcSession session;
        replay(std::get<CalcRequest>(report::requestFromFragment(c.fragment)), session);
        const SheetDocument d =
            buildSheet(session, {"Bridge <&> \"B\" 'C'", "", "", "", "2026-12-08"});
        ASSERT_TRUE(d.picture);
        const std::string html = sheetHtml(d, defaultPaper(d.system));
        EXPECT_EQ(markupFault(html), "");
        std::string lower = html;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        for (const char* outside : {"http", "src=", "href=", "@import", "url(", "<script", "<link"})
            EXPECT_EQ(lower.find(outside), std::string::npos) << outside;
        EXPECT_NE(html.find("<td>Bridge &lt;&amp;&gt; &quot;B&quot; &#39;C&#39;</td>"),
                  std::string::npos);
        EXPECT_NE(html.find(c.shown), std::string::npos);
        EXPECT_NE(html.find(std::string("size: ") + c.paper), std::string::npos);
        if (d.picture->normalDepth) {
            EXPECT_NE(html.find(escaped(d.picture->normalText)), std::string::npos);
            EXPECT_NE(html.find("<pre class=\"eq\">"), std::string::npos);
        }

        // The water's surface at the normal depth's place between the invert and the crown.
        const std::string svg = crossSectionSvg(*d.picture);
        const auto outline = polygon(svg, "outline"), water = polygon(svg, "water");
        ASSERT_FALSE(outline.empty());
        const bool surcharged = d.picture->outcome == Outcome::Surcharged;
        ASSERT_EQ(water.empty(), !surcharged && !d.picture->normalDepth); // no flow, no water
        if (water.empty())
            continue;
        const double crown = lowestY(outline), invert = lowestY(outline, false);
        const double level =
            surcharged ? crown : invert - *d.picture->normalDepth / d.picture->D * (invert - crown);
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
