// SPDX-License-Identifier: GPL-3.0-or-later
// The range parser of "runnelex-cli report --vary NAME=FROM:TO:STEP|V1,V2,..." fed any text.
// A list gives its texts as written; a range gives decimal texts from FROM in exact steps of
// STEP, never past TO; whatever is wrong is told in one line.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fuzz_check.h"
#include "report/decimal_values.h"
#include "report/report_plan.h"

namespace {

using runnelex::fuzz::escaped;
using runnelex::fuzz::require;
using runnelex::report::DecimalValues;
using runnelex::report::ReportPlan;

// A decimal number read independently of the parser under test: sign, digits, exponent,
// without leading or trailing zeros (zero has no digits).
struct Dec {
    bool negative = false;
    std::string digits;
    long exponent = 0;
};

std::optional<Dec> readDec(std::string_view s) {
    Dec d;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    bool point = false, any = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            any = true;
            d.digits += s[i];
            d.exponent -= point;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!any)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const bool minus = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (i == s.size() || s.size() - i > 6)
            return std::nullopt; // no digits, or an exponent this check does not follow
        long e = 0;
        for (; i < s.size(); ++i) {
            if (s[i] < '0' || s[i] > '9')
                return std::nullopt;
            e = e * 10 + (s[i] - '0');
        }
        d.exponent += minus ? -e : e;
    }
    if (i != s.size())
        return std::nullopt;
    const std::size_t lead = d.digits.find_first_not_of('0');
    d.digits.erase(0, lead == std::string::npos ? d.digits.size() : lead);
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
        ++d.exponent;
    }
    if (d.digits.empty())
        d = Dec{};
    return d;
}

// The value times 10^-at as an integer, when it has at most 36 digits there.
std::optional<__int128> scaledTo(const Dec& d, long at) {
    if (d.digits.empty())
        return 0;
    if (d.exponent < at || static_cast<long>(d.digits.size()) + (d.exponent - at) > 36)
        return std::nullopt;
    __int128 m = 0;
    for (char c : d.digits)
        m = m * 10 + (c - '0');
    for (long e = d.exponent; e > at; --e)
        m *= 10;
    return d.negative ? -m : m;
}

// A value as the report writes it: "-"? digits, a point only before a last non-zero digit.
bool plainDecimal(const std::string& t) {
    std::size_t i = t.rfind('-', 0) == 0 ? 1 : 0;
    const std::size_t point = t.find('.');
    if (i == t.size() || t.find_first_not_of("0123456789.", i) != std::string::npos)
        return false;
    if (point != std::string::npos &&
        (t.back() == '0' || t.back() == '.' || t.find('.', point + 1) != std::string::npos))
        return false;
    const std::size_t intEnd = point == std::string::npos ? t.size() : point;
    if (intEnd - i > 1 && t[i] == '0')
        return false; // a leading zero
    return t != "-0";
}

bool oneLine(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7f)
            return false;
    return true;
}

void checkRange(const DecimalValues& v, std::string_view written, const std::string& shown) {
    const std::size_t c1 = written.find(':'), c2 = written.find(':', c1 + 1);
    const auto from = readDec(written.substr(0, c1));
    const auto to = readDec(written.substr(c1 + 1, c2 - c1 - 1));
    const auto step = readDec(written.substr(c2 + 1));
    if (!from || !to || !step)
        return; // an exponent too long for this check to follow
    const std::uint64_t n = v.size();
    require(n >= 1, "a range has a value", shown);
    const std::uint64_t probes[] = {0, 1, n / 2, n - 2, n - 1};
    long finest = std::min({from->exponent, to->exponent, step->exponent});
    for (const std::uint64_t i : probes) {
        if (i >= n)
            continue;
        const std::string text = v.at(i);
        require(plainDecimal(text), "a value is a plain decimal text", shown + " -> " + text);
        const auto value = readDec(text);
        finest = std::min(finest, value->exponent);
        const auto a = scaledTo(*from, finest), b = scaledTo(*to, finest);
        const auto s = scaledTo(*step, finest), x = scaledTo(*value, finest);
        __int128 offset = 0;
        if (!a || !b || !s || !x || __builtin_mul_overflow(static_cast<__int128>(i), *s, &offset))
            continue; // beyond what this check can follow exactly
        require(*x == *a + offset, "value i is FROM + i * STEP exactly", shown + " -> " + text);
        require(*s > 0 ? *x <= *b : *x >= *b, "no value lies past TO", shown + " -> " + text);
        if (i == n - 1)
            require(*s > 0 ? *x + *s > *b : *x + *s < *b, "the values go on as far as TO",
                    shown + " -> " + text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string written(reinterpret_cast<const char*>(data), size);
    const std::string shown = escaped(written);
    const auto parsed = DecimalValues::parse(written);
    const auto vary = ReportPlan::parseVary("flow=" + written);
    require(parsed.index() == vary.index(), "--vary reads its values with the range parser", shown);
    if (const auto* e = std::get_if<ReportPlan::Error>(&vary)) {
        require(oneLine(e->what), "what is wrong is told in one line", escaped(e->what));
        return 0;
    }
    const DecimalValues& v = std::get<DecimalValues>(parsed);
    if (written.find(':') == std::string::npos) {
        std::string joined;
        for (std::uint64_t i = 0; i < v.size(); ++i)
            joined += (i ? "," : "") + v.at(i);
        require(joined == written, "a list gives its texts as written", shown);
        return 0;
    }
    checkRange(v, written, shown);
    return 0;
}
