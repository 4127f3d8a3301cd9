// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/request_fragment.h"

#include <optional>
#include <set>

#include "report/quoting.h"

namespace runnelex::report {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// '+' stays itself: a fragment is no form, and "1e+3" must reach the box as typed.
std::optional<std::string> percentDecoded(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size())
            return std::nullopt;
        const int hi = hexDigit(s[i + 1]), lo = hexDigit(s[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

} // namespace

std::variant<CalcRequest, FragmentError> requestFromFragment(std::string_view fragment) {
    if (!fragment.empty() && fragment.front() == '#')
        fragment.remove_prefix(1);
    CalcRequest request;
    std::set<std::string> seen;
    while (!fragment.empty()) {
        const std::size_t amp = fragment.find('&');
        const std::string_view part = fragment.substr(0, amp);
        fragment = amp == std::string_view::npos ? std::string_view() : fragment.substr(amp + 1);
        if (part.empty())
            continue; // "a=1&&b=2", a trailing '&'
        const std::size_t eq = part.find('=');
        const auto word = percentDecoded(part.substr(0, eq));
        if (!word)
            return FragmentError{"a broken %-escape in " + quoted(std::string(part)), {}};
        if (eq == std::string_view::npos)
            return FragmentError{quoted(*word) + " has no value: write " + *word + "=TEXT", *word};
        const auto field = fieldOfOption(*word);
        if (!field)
            return FragmentError{"unknown option " + quoted(*word), *word};
        if (!seen.insert(*word).second)
            return FragmentError{quoted(*word) + " is given twice", *word};
        const auto text = percentDecoded(part.substr(eq + 1));
        if (!text)
            return FragmentError{*word + ": a broken %-escape in " +
                                     quoted(std::string(part.substr(eq + 1))),
                                 *word};
        setFieldText(request, *field, *text);
    }
    return request;
}

std::string fragmentOf(const CalcRequest& request) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (const RequestField& field : requestFields()) {
        const auto text = fieldText(request, field);
        if (!text)
            continue;
        if (!out.empty())
            out += '&';
        out += optionWord(field);
        out += '=';
        for (const char c : *text) {
            const auto u = static_cast<unsigned char>(c);
            if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                c == '-' || c == '.' || c == '_' || c == '~') {
                out += c;
            } else {
                out += '%';
                out += kHex[u >> 4];
                out += kHex[u & 15];
            }
        }
    }
    return out;
}

} // namespace runnelex::report
