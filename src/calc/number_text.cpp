// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

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

std::string displayNumber(double value, int decimals) {
    hydrocalc::checked::finite(value);
    // Round the exact binary value to the decimals (to_chars rounds correctly, ties to even),
    // then read the rounded decimal back as the nearest double.
    std::vector<char> buf(400);
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::fixed, decimals);
    double rounded = 0.0;
    std::from_chars(buf.data(), res.ptr, rounded);
    return generalNumberText(rounded);
}

} // namespace runnelex
