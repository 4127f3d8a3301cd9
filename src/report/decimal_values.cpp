// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/decimal_values.h"

#include <algorithm>
#include <optional>

#include "report/quoting.h"

namespace runnelex::report {

namespace {

// A decimal number exactly: (-1)^negative * digits * 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits; // without leading zeros; empty for zero
    int exponent = 0;
};

constexpr int kMaxExponent = 400; // beyond the range of a double either way

// Digits with at most one point and an optional exponent; an optional sign; no blanks.
std::optional<Decimal> parseDecimal(std::string_view s) {
    Decimal d;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    bool point = false, anyDigit = false;
    int fraction = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!(d.digits.empty() && c == '0'))
                d.digits += c;
            if (point)
                ++fraction;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool minus = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            minus = s[i++] == '-';
        if (i == s.size())
            return std::nullopt;
        for (; i < s.size(); ++i) {
            if (s[i] < '0' || s[i] > '9')
                return std::nullopt;
            exponent = std::min<long>(exponent * 10 + (s[i] - '0'), 100000);
        }
        if (minus)
            exponent = -exponent;
    }
    if (i != s.size())
        return std::nullopt;
    d.exponent = static_cast<int>(exponent) - fraction;
    if (d.digits.empty())
        d.exponent = 0;
    return d;
}

// digits * 10^(exponent - target) as a signed integer, when it fits with room to add steps.
std::optional<__int128> scaled(const Decimal& d, int target) {
    constexpr __int128 kLimit = static_cast<__int128>(1) << 120;
    __int128 m = 0;
    for (char c : d.digits) {
        m = m * 10 + (c - '0');
        if (m > kLimit)
            return std::nullopt;
    }
    for (int e = d.exponent; e > target; --e) {
        m *= 10;
        if (m > kLimit)
            return std::nullopt;
    }
    return d.negative ? -m : m;
}

std::string text(__int128 m, int exponent) {
    const bool negative = m < 0;
    unsigned __int128 u = negative ? -static_cast<unsigned __int128>(m) : m;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
        u /= 10;
    } while (u != 0);
    if (exponent >= 0) {
        if (digits != "0")
            digits.append(static_cast<std::size_t>(exponent), '0');
    } else {
        const auto decimals = static_cast<std::size_t>(-exponent);
        if (digits.size() <= decimals)
            digits.insert(0, decimals - digits.size() + 1, '0');
        digits.insert(digits.size() - decimals, 1, '.');
        while (digits.back() == '0') // written as a person would: 0.5, not 0.50
            digits.pop_back();
        if (digits.back() == '.')
            digits.pop_back();
    }
    return (negative && digits != "0" ? "-" : "") + digits;
}

} // namespace

std::variant<DecimalValues, DecimalValues::Error> DecimalValues::parse(std::string_view written) {
    DecimalValues v;
    if (written.find(':') == std::string_view::npos) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = written.find(',', start);
            const std::string_view item = written.substr(start, comma - start);
            if (item.empty())
                return Error{"an empty value in the list"};
            v.list_.emplace_back(item);
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
        return v;
    }
    std::string_view parts[3];
    std::size_t start = 0;
    for (int p = 0; p < 3; ++p) {
        const std::size_t colon = p < 2 ? written.find(':', start) : std::string_view::npos;
        if (p < 2 && colon == std::string_view::npos)
            return Error{"a range is FROM:TO:STEP"};
        parts[p] = written.substr(start, p < 2 ? colon - start : std::string_view::npos);
        start = colon + 1;
    }
    if (parts[2].find(':') != std::string_view::npos)
        return Error{"a range is FROM:TO:STEP"};
    const char* names[3] = {"FROM", "TO", "STEP"};
    Decimal d[3];
    for (int p = 0; p < 3; ++p) {
        // Quoted with its control characters escaped, so the message stays one line.
        const std::string part = std::string(names[p]) + " " + quoted(std::string(parts[p]));
        const auto parsed = parseDecimal(parts[p]);
        if (!parsed)
            return Error{part + " is not a decimal number"};
        if (parsed->exponent > kMaxExponent || parsed->exponent < -kMaxExponent)
            return Error{part + " is out of range"};
        d[p] = *parsed;
    }
    if (d[2].digits.empty())
        return Error{"STEP must not be zero"};
    // One grid for all three: the finest place any of them uses.
    int exponent = 0;
    bool first = true;
    for (const Decimal& x : d) {
        if (!x.digits.empty()) {
            exponent = first ? x.exponent : std::min(exponent, x.exponent);
            first = false;
        }
    }
    const auto from = scaled(d[0], exponent), to = scaled(d[1], exponent),
               step = scaled(d[2], exponent);
    if (!from || !to || !step)
        return Error{"too many digits between the largest and the finest place"};
    const __int128 span = *to - *from;
    if (span != 0 && (span < 0) != (*step < 0))
        return Error{"STEP goes away from TO"};
    const __int128 steps = span / *step; // whole steps that stay within TO
    if (steps >= static_cast<__int128>(UINT64_MAX))
        return Error{"too many values"};
    v.isRange_ = true;
    v.from_ = *from;
    v.step_ = *step;
    v.exponent_ = exponent;
    v.count_ = static_cast<std::uint64_t>(steps) + 1;
    return v;
}

std::string DecimalValues::at(std::uint64_t i) const {
    if (!isRange_)
        return list_[i];
    return text(from_ + static_cast<__int128>(i) * step_, exponent_);
}

std::vector<std::string> DecimalValues::decisive() const {
    if (!isRange_)
        return list_;
    return {at(0), at(count_ - 1)};
}

} // namespace runnelex::report
