// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/iosafe.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "common/number_text.h"

namespace runnelex::iosafe {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The grammar check; from_chars alone would also take "inf", "nan" and reject a "+".
bool wellFormed(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < n && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == n;
}

} // namespace

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!wellFormed(text))
        return std::nullopt;

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    // A non-zero text that reads as zero or a subnormal lies below the range of a double.
    if (value != 0.0 && std::fabs(value) < std::numeric_limits<double>::min())
        return std::nullopt;
    return negative ? -value : value;
}

double fSafeDbl(const SafeValue& value, bool showMsg, const Notify& notify) {
    const auto report = [&](const std::string& valueText, const char* reason) {
        if (showMsg && notify)
            notify(valueText + reason);
        return 0.0;
    };

    if (std::holds_alternative<Null>(value))
        return report({}, kNullMessage);

    if (const double* number = std::get_if<double>(&value)) {
        if (!std::isfinite(*number))
            return report({}, kNotNumericMessage);
        if (*number < 0.0)
            return report(generalNumberText(*number), kNegativeMessage);
        return *number == 0.0 ? 0.0 : *number;
    }

    const std::string& text = std::get<std::string>(value);
    const auto parsed = parseNumber(text);
    if (!parsed)
        return report(text, kNotNumericMessage);
    if (*parsed < 0.0)
        return report(text, kNegativeMessage);
    return *parsed == 0.0 ? 0.0 : *parsed;
}

} // namespace runnelex::iosafe
