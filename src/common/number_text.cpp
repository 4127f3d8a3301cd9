// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "engine/arith.h"

namespace runnelex {

namespace {

// Drops trailing zeros of a fraction (and a bare point), keeping any exponent part.
std::string trimFraction(std::string text) {
    const auto expPos = text.find_first_of("eE");
    std::string exponent;
    if (expPos != std::string::npos) {
        exponent = text.substr(expPos);
        text.erase(expPos);
    }
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    return text + exponent;
}

} // namespace

std::string generalNumberText(double value) {
    hydrocalc::checked::finite(value);
    if (value == 0.0)
        return "0"; // also for -0
    std::array<char, 64> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::general, 15);
    std::string text(buf.data(), res.ptr);
    auto e = text.find('e');
    if (e == std::string::npos)
        return trimFraction(text);
    // "1.5e+20" -> "1.5E+20"
    text[e] = 'E';
    return trimFraction(text);
}

std::string displayNumberExact(double value, int decimals) {
    hydrocalc::checked::finite(value);
    // Round the exact binary value to the decimals (to_chars rounds correctly, ties to even),
    // then read the rounded decimal back as the nearest double.
    std::array<char, 400> buf; // a fixed form of the largest double with its decimals
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::fixed, decimals);
    double rounded = 0.0;
    std::from_chars(buf.data(), res.ptr, rounded);
    return generalNumberText(rounded);
}

namespace {

// The same text without the exact conversions, for the values results usually are: the value
// times 10^decimals is below 10^15 (so the rounded value has at most 15 significant digits and
// the general conversion writes exactly them), and clear of a tie by more than the rounding of
// that product. The rounding and the trailing zeros are done on the whole number of units of
// the last decimal. Null when the exact route must decide.
char* writeDisplayNumberQuick(char* out, double value, int decimals) {
    static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4};
    if (decimals < 0 || decimals > 4)
        return nullptr; // 10^-decimals >= 1e-4 keeps the general conversion in fixed form
    const double t = std::fabs(value) * kScale[decimals];
    if (!(t < 1e15 - 1))
        return nullptr;
    const auto whole = static_cast<std::uint64_t>(t);        // t >= 0: the floor
    const double fraction = t - static_cast<double>(whole);  // exact
    const double rounding = std::nextafter(t, INFINITY) - t; // more than the product's error
    if (std::fabs(fraction - 0.5) <= rounding)
        return nullptr;
    std::uint64_t m = whole + (fraction > 0.5 ? 1 : 0);
    if (m == 0) {
        *out = '0'; // -0 included
        return out + 1;
    }
    int places = decimals;
    for (; places > 0 && m % 10 == 0; --places)
        m /= 10;
    if (value < 0)
        *out++ = '-';
    std::array<char, 24> digits;
    char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), m).ptr;
    const auto count = static_cast<int>(end - digits.data());
    if (places == 0)
        return std::copy(digits.data(), end, out);
    if (count <= places) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, places - count, '0');
        return std::copy(digits.data(), end, out);
    }
    out = std::copy(digits.data(), end - places, out);
    *out++ = '.';
    return std::copy(end - places, end, out);
}

} // namespace

int shownDecimals(double value, int decimals, DigitRule rule) {
    if (rule == DigitRule::Decimals || value == 0.0 || !std::isfinite(value))
        return decimals;
    // The decimal exponent of the leading digit: -3 for 0.003652. The fixed form of the
    // smallest double with these decimals still fits the exact route's buffer.
    constexpr int kMostDecimals = 330;
    const auto exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return std::clamp(kSignificantDigits - 1 - exponent, decimals,
                      std::max(decimals, kMostDecimals));
}

char* writeDisplayNumber(char* out, double value, int decimals, DigitRule rule) {
    decimals = shownDecimals(value, decimals, rule);
    if (char* end = writeDisplayNumberQuick(out, value, decimals))
        return end;
    const std::string exact = displayNumberExact(value, decimals);
    return std::copy(exact.begin(), exact.end(), out);
}

std::string displayNumber(double value, int decimals, DigitRule rule) {
    std::array<char, kDisplayChars> text;
    return {text.data(), writeDisplayNumber(text.data(), value, decimals, rule)};
}

} // namespace runnelex
