// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/markup.h"

#include <charconv>
#include <cmath>

namespace runnelex::sheet {

void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out.append("&amp;");
            break;
        case '<':
            out.append("&lt;");
            break;
        case '>':
            out.append("&gt;");
            break;
        case '"':
            out.append("&quot;");
            break;
        case '\'':
            out.append("&#39;");
            break;
        default:
            out.push_back(c);
        }
    }
}

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

void appendCoordinate(std::string& out, double value) {
    // A drawing's numbers are the program's own: a value that is not finite is drawn at 0.
    const double rounded = std::isfinite(value) ? std::round(value * 100.0) / 100.0 : 0.0;
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, rounded == 0.0 ? 0.0 : rounded,
                                   std::chars_format::fixed, 2)
                         .ptr;
    const char* last = end;
    while (last[-1] == '0')
        --last;
    if (last[-1] == '.')
        --last;
    out.append(text, static_cast<std::size_t>(last - text));
}

} // namespace runnelex::sheet
