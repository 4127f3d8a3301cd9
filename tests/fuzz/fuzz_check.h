// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_app.h"
#include "cli/output.h"

// What the fuzz targets share: reporting a broken property, splitting texts, running
// runnelex-cli in process, and the typed texts a paste brings in.
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

// The pieces of a text between separators, every one ("a\n" gives "a" and "").
inline std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// The lines of a text: a last line break ends the last line, it starts no new one.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out = split(text, '\n');
    if (out.back().empty())
        out.pop_back();
    return out;
}

inline std::size_t count(const std::string& s, char c) {
    std::size_t n = 0;
    for (char x : s)
        n += x == c;
    return n;
}

// runnelex-cli in process; the output fails once `failAfter` bytes are written.
struct CliRun {
    int status = 0;
    std::string out, err;
    bool outputFailed = false;
};
inline CliRun runCli(const std::vector<std::string>& args,
                     std::size_t failAfter = static_cast<std::size_t>(-1)) {
    static const std::vector<cli::Command> commands = cli::coreCommands();
    cli::StringOutput out(failAfter), err;
    CliRun r;
    r.status = cli::runCli(args, commands, out, err);
    out.flush();
    err.flush();
    r.out = out.text();
    r.err = err.text();
    r.outputFailed = out.failed();
    return r;
}

// Doubles as C writes them exactly, for the report of a broken property.
inline std::string describe(std::initializer_list<double> values) {
    std::string out;
    for (double v : values) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%a ", v);
        out += buf;
    }
    return out;
}

} // namespace runnelex::fuzz
