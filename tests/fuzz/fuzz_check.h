// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace runnelex::fuzz {

// A broken property is a crash for libFuzzer: it keeps the input that broke it.
inline void require(bool ok, const char* property, const std::string& detail = {}) {
    if (ok)
        return;
    std::fprintf(stderr, "\nproperty broken: %s\n%s\n", property, detail.c_str());
    std::abort();
}

// A text with every byte outside printable ASCII escaped, for the report of a broken property.
inline std::string escaped(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        }
    }
    return out;
}

} // namespace runnelex::fuzz
