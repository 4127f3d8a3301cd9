// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Words as people type them: blanks around them, any case (ASCII letters only, whatever the
// locale).
namespace runnelex::words {

std::string_view trimmed(std::string_view s); // without the blanks and TABs around it
bool sameWord(std::string_view a, std::string_view b);
std::string lowerCase(std::string_view s);
std::string upperCase(std::string_view s);
// The noun with its indefinite article by its first letter: "a box", "an egg"; "An egg" when
// it starts a sentence.
std::string withArticle(std::string_view noun, bool capital = false);

} // namespace runnelex::words
