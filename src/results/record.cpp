// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/record.h"

#include <array>

#include "input/units.h"

namespace runnelex::record {

namespace {
std::string join(const std::string* first, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            out += '\t';
        out += first[i];
    }
    return out;
}

// Column and line breaks a pasted text may carry: TAB, LF, CR, and in UTF-8 the line and
// paragraph separators U+2028 and U+2029, which the results box also shows as line breaks.
std::string withoutSeparators(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t' || c == '\n' || c == '\r') {
            out += ' ';
        } else if (c == '\xE2' && i + 2 < text.size() && text[i + 1] == '\x80' &&
                   (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
            out += ' ';
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}
} // namespace

const std::array<std::string, kFieldCount>& headerNames() {
    static const std::array<std::string, kFieldCount> names = {
        "Pipe ID", "Q",          "Qunit",      "Diam",  "unit",      "Slope",    "unit",
        "n",       "Depth (ft)", "Vel. (fps)", "Fr. #", "Dcrit(ft)", "Capacity", "Max Q"};
    return names;
}

std::string headerLine() {
    return join(headerNames().data(), kFieldCount);
}

std::string makeRecord(const RecordFields& f) {
    const std::array<std::string, kFieldCount> fields = recordFields(f);
    return join(fields.data(), fields.size());
}

std::array<std::string, kFieldCount> recordFields(const RecordFields& f) {
    return {withoutSeparators(f.pipeName),
            withoutSeparators(f.flowText),
            f.unitflow,
            withoutSeparators(f.diamText),
            units::diamUnitWord(f.diamInFeet),
            withoutSeparators(f.slopeText),
            units::slopeUnitWord(f.slopeInPercent),
            withoutSeparators(f.nText),
            f.dnorm,
            f.vnorm,
            f.frNo,
            f.dcr,
            f.q100,
            f.q093};
}

} // namespace runnelex::record
