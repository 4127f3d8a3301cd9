// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/quoting.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace runnelex {

std::string quoted(const std::string& text) {
    std::string q = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            q += "\\\"";
            break;
        case '\\':
            q += "\\\\";
            break;
        case '\t':
            q += "\\t";
            break;
        case '\n':
            q += "\\n";
            break;
        case '\r':
            q += "\\r";
            break;
        default:
            if (c < 0x20 || c == 0x7f) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02x", c);
                q += hex;
            } else {
                q += ch;
            }
        }
    }
    return q + "\"";
}

std::string shellQuoted(const std::string& argument) {
    const bool safe =
        !argument.empty() && std::all_of(argument.begin(), argument.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   std::string_view("._:,=%/+-@").find(c) != std::string_view::npos;
        });
    if (safe)
        return argument;
    std::string q = "'";
    for (char c : argument)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace runnelex
