// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric test and the safe conversion fed any text, as pasted into a box.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "input/iosafe.h"

namespace {

using runnelex::fuzz::escaped;
using runnelex::fuzz::require;
namespace iosafe = runnelex::iosafe;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The C library's own reading of a decimal text, as a second opinion: the value when the
// whole text is one decimal number inside the normal range of a double.
struct CReading {
    bool whole = false; // the text is one number and nothing else
    bool inRange = false;
    double value = 0.0;
};

CReading readWithC(const std::string& text) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    CReading r;
    if (text.empty())
        return r;
    char* end = nullptr;
    errno = 0;
    r.value = strtod_l(text.c_str(), &end, c);
    r.whole = end == text.c_str() + text.size();
    r.inRange = errno != ERANGE && std::isfinite(r.value) &&
                (r.value == 0.0 || std::fabs(r.value) >= DBL_MIN);
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = iosafe::parseNumber(text);
    const std::string shown = escaped(text);

    // What the parser accepts converts without error to a finite value inside the range.
    if (parsed) {
        require(std::isfinite(*parsed), "an accepted text is finite", shown);
        require(*parsed == 0.0 || std::fabs(*parsed) >= DBL_MIN,
                "an accepted text is not below the range of a double", shown);
        require(iosafe::isNumeric(text), "the test agrees with the conversion", shown);
    }

    // The safe conversion: the value itself, or 0 for a text that is not a number or negative,
    // reported exactly when reporting is on.
    std::vector<std::string> messages;
    const double safe =
        iosafe::fSafeDbl(text, true, [&](const std::string& m) { messages.push_back(m); });
    const double quiet = iosafe::fSafeDbl(
        text, false, [&](const std::string& m) { messages.push_back("unexpected: " + m); });
    require(!std::signbit(safe) && std::isfinite(safe), "fSafeDbl gives +0 or a positive value",
            shown);
    require(safe == quiet && !std::signbit(quiet), "reporting does not change the value", shown);
    if (!parsed) {
        require(safe == 0.0, "a text that is no number converts to 0", shown);
        require(messages == std::vector<std::string>{text + iosafe::kNotNumericMessage},
                "a text that is no number is reported as such", shown);
    } else if (*parsed < 0.0) {
        require(safe == 0.0, "a negative text converts to 0", shown);
        require(messages == std::vector<std::string>{text + iosafe::kNegativeMessage},
                "a negative text is reported as such", shown);
    } else {
        require(safe == *parsed, "a number converts to its value", shown);
        require(messages.empty(), "a number is not reported", shown);
    }

    // The grammar against the C library: the point, digits, signs and the exponent letter
    // are all a number may hold between its blanks.
    const std::string_view core = trimmed(text);
    const bool plainChars =
        !core.empty() && core.find_first_not_of("0123456789.eE+-") == std::string_view::npos;
    if (!plainChars) {
        require(!parsed, "a text with other characters is no number", shown);
        return 0;
    }
    const CReading c = readWithC(std::string(core));
    if (parsed) {
        require(c.whole && c.value == *parsed, "an accepted text has the value the C library reads",
                shown);
    } else {
        require(!(c.whole && c.inRange), "a decimal number inside the range is accepted", shown);
    }
    return 0;
}
