// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/svg_writer.h"

#include <algorithm>

namespace runnelex::sheet {

double textWidth(std::string_view text, double pixels) {
    // Characters, not bytes: a continuation byte of UTF-8 adds nothing.
    const auto count = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<double>(count) * kCharWidth * pixels;
}

std::vector<std::string> wrapped(const std::string& text, double width, double pixels) {
    std::vector<std::string> words;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t blank = std::min(text.find(' ', from), text.size());
        const std::string word = text.substr(from, blank - from);
        from = blank + 1;
        if (word.empty())
            continue;
        const bool afterNumber =
            !words.empty() && !words.back().empty() &&
            words.back().find_first_not_of("0123456789.-") == std::string::npos;
        if (afterNumber)
            words.back().append(" ").append(word);
        else
            words.push_back(word);
    }
    std::vector<std::string> lines;
    for (const std::string& word : words) {
        if (!lines.empty() && textWidth(lines.back() + ' ' + word, pixels) <= width)
            lines.back().append(" ").append(word);
        else
            lines.push_back(word);
    }
    return lines;
}

} // namespace runnelex::sheet
