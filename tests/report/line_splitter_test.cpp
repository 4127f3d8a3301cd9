// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a table as its bytes arrive: a line too long to hold is told in its place, its
// bytes dropped as they come, whatever the pieces they arrive in.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/table_reader.h"

namespace runnelex::report {
namespace {

// Each line handed out with "\r\n", "\n" or nothing after it for its break, "<long>" for one
// too long (whose break is known only at its end), and "$" when the input ended with a break;
// the input fed in pieces of `piece` bytes.
std::string linesOf(const std::string& input, std::size_t piece) {
    LineSplitter lines;
    std::string seen;
    const auto take = [&] {
        while (const auto line = lines.next()) {
            if (lines.lastTooLong())
                seen += "<long>";
            else
                seen += *line + (lines.lastHadCrLf()    ? "\\r\\n"
                                 : lines.lastHadBreak() ? "\\n"
                                                        : "");
            EXPECT_LE(line->size(), kMaxLineBytes);
        }
    };
    for (std::size_t at = 0; at < input.size(); at += piece) {
        lines.feed(std::string_view(input).substr(at, piece));
        take();
    }
    lines.finish();
    take();
    return seen + (lines.lastHadBreak() ? "$" : "");
}

TEST(LineSplitter, LinesTooLongAreToldInTheirPlace) {
    const std::string longLine(kMaxLineBytes + 1, 'x');
    const std::string fits(kMaxLineBytes, 'y');
    const struct {
        const char* name;
        std::string input, expected;
    } cases[] = {
        {"breaks kept apart", "a\r\nb\nc", "a\\r\\nb\\nc"},
        {"a long line between two", "a\n" + longLine + "\r\nb\n", "a\\n<long>b\\n$"},
        {"a long line last, without a break", "a\n" + longLine, "a\\n<long>"},
        {"a long line last, with its break", "a\n" + longLine + "\n", "a\\n<long>$"},
        {"a line of the longest length", fits + "\n" + longLine, fits + "\\n<long>"},
    };
    for (const auto& c : cases)
        for (std::size_t piece : {std::size_t(1) << 16, std::size_t(7777), c.input.size()})
            EXPECT_EQ(linesOf(c.input, piece), c.expected) << c.name << ", pieces of " << piece;
}

} // namespace
} // namespace runnelex::report
