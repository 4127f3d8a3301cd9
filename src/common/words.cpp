// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/words.h"

#include <algorithm>

namespace runnelex::words {

namespace {
char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool sameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

std::string lowerCase(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

std::string upperCase(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), upper);
    return out;
}

std::string withArticle(std::string_view noun, bool capital) {
    const bool vowel = !noun.empty() &&
                       std::string_view("aeiouAEIOU").find(noun.front()) != std::string_view::npos;
    return std::string(vowel ? (capital ? "An " : "an ") : (capital ? "A " : "a ")) +
           std::string(noun);
}

} // namespace runnelex::words
