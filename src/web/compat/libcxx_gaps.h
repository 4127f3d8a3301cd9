// SPDX-License-Identifier: GPL-3.0-or-later
// Included before every file of the web build: the standard library of Debian's emscripten
// (libc++ 13) lacks std::bit_cast and the floating-point forms of std::to_chars and
// std::from_chars. Its C library (musl) converts exactly, so printf's fixed, general and
// scientific forms with a precision, and strtod, give the digits the standard asks for.
#pragma once

#include <version>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000

#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace std {

#ifndef __cpp_lib_bit_cast
template <class To, class From> constexpr To bit_cast(const From& from) noexcept {
    return __builtin_bit_cast(To, from);
}
#endif

inline to_chars_result to_chars(char* first, char* last, double value, chars_format format,
                                int precision) {
    const char* form = format == chars_format::fixed        ? "%.*f"
                       : format == chars_format::scientific ? "%.*e"
                                                            : "%.*g";
    const int n = std::snprintf(nullptr, 0, form, precision, value);
    if (n < 0 || n > last - first)
        return {last, errc::value_too_large};
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), form, precision, value);
    std::char_traits<char>::copy(first, text.data(), static_cast<std::size_t>(n));
    return {first + n, errc()};
}

// The shortest text that reads back as the value: %g at growing precision. (The standard's form
// chooses between fixed and scientific by length, which %g does by exponent: they agree for the
// values written this way, viscosities like 1.31e-06.)
inline to_chars_result to_chars(char* first, char* last, double value) {
    for (int precision = 1; precision <= 17; ++precision) {
        char text[40];
        const int n = std::snprintf(text, sizeof text, "%.*g", precision, value);
        if (n > 0 && (std::strtod(text, nullptr) == value || precision == 17)) {
            if (n > last - first)
                return {last, errc::value_too_large};
            std::char_traits<char>::copy(first, text, static_cast<std::size_t>(n));
            return {first + n, errc()};
        }
    }
    return {last, errc::value_too_large};
}

// The text must be a plain decimal number: the callers check its form first.
inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format = chars_format::general) {
    const std::string text(first, last);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    const auto used = end - text.c_str();
    if (used == 0)
        return {first, errc::invalid_argument};
    if (errno == ERANGE)
        return {first + used, errc::result_out_of_range};
    value = v;
    return {first + used, errc()};
}

} // namespace std

#endif
