// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "engine/hydrocalc.h"

// Safe numeric conversion of a loosely typed value.
namespace runnelex::iosafe {

using Notify = hydrocalc::Notify;

struct Null {};
// What a caller may hand over: nothing, a number, or a text (always a box's text here).
using SafeValue = std::variant<Null, double, std::string>;

// The numeric test and the conversion in one: the value of `text` when it is numeric.
//
// Accepted: optional blanks (space or tab) around the number; an optional sign "+" or "-";
// digits with at most one point, which is always the decimal separator whatever the locale
// (".5" and "5." are numbers, "." is not); an optional exponent "e" or "E" with an optional
// sign and at least one digit. Rejected: the empty text, group separators, a comma, hex,
// "inf" and "nan", and every text whose value lies outside the range of a double (overflow,
// and underflow of a non-zero text to zero or a subnormal).
std::optional<double> parseNumber(std::string_view text);
inline bool isNumeric(std::string_view text) {
    return parseNumber(text).has_value();
}

inline constexpr const char* kNullMessage = " was null.  converted to zero.";
inline constexpr const char* kNotNumericMessage = " was not numeric.  converted to zero.";
inline constexpr const char* kNegativeMessage = " was negative. converted to zero.";

// 0 for a null, non-numeric or negative value, else the value; with `showMsg` each conversion
// to zero is reported through `notify` as the value's text followed by the reason.
double fSafeDbl(const SafeValue& value, bool showMsg, const Notify& notify = {});

} // namespace runnelex::iosafe
