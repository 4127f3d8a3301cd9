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

// Whether the three bytes at `i` are the UTF-8 form of `lead`, `mid` and one of two finals.
bool threeBytes(const std::string& text, std::size_t i, char lead, char mid, char a, char b) {
    return i + 2 < text.size() && text[i] == lead && text[i + 1] == mid &&
           (text[i + 2] == a || text[i + 2] == b);
}

// Column and line breaks a pasted text may carry: TAB, LF, CR, and in UTF-8 the line and
// paragraph separators U+2028 and U+2029, and U+FDD0 and U+FDD1, which the results box takes
// as frame marks and shows, and saves, as line breaks.
std::string withoutSeparators(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t' || c == '\n' || c == '\r') {
            out += ' ';
        } else if (threeBytes(text, i, '\xE2', '\x80', '\xA8', '\xA9') ||
                   threeBytes(text, i, '\xEF', '\xB7', '\x90', '\x91')) {
            out += ' ';
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}
// A typed text with its separators made blanks; most texts have none to look for.
void appendWithoutSeparators(std::string& out, const std::string& text) {
    for (const char c : text)
        if (c == '\t' || c == '\n' || c == '\r' || c == '\xE2' || c == '\xEF') {
            out += withoutSeparators(text);
            return;
        }
    out += text;
}
} // namespace

const std::array<std::string, kFieldCount>& headerNames(UnitSystem system) {
    static const std::array<std::string, kFieldCount> us = {
        "Pipe ID", "Q",          "Qunit",      "Diam",  "unit",      "Slope",    "unit",
        "n",       "Depth (ft)", "Vel. (fps)", "Fr. #", "Dcrit(ft)", "Capacity", "Max Q"};
    static const std::array<std::string, kFieldCount> si = {
        "Pipe ID", "Q",         "Qunit",      "Diam",  "unit",     "Slope",    "unit",
        "n",       "Depth (m)", "Vel. (m/s)", "Fr. #", "Dcrit(m)", "Capacity", "Max Q"};
    return system == UnitSystem::SI ? si : us;
}

std::string headerLine(UnitSystem system) {
    return join(headerNames(system).data(), kFieldCount);
}

std::string makeRecord(const RecordFields& f) {
    std::string record;
    appendInputFields(record, f);
    for (const std::string* result : {&f.dnorm, &f.vnorm, &f.frNo, &f.dcr, &f.q100, &f.q093}) {
        record += '\t';
        record += *result;
    }
    return record;
}

void appendInputFields(std::string& out, const RecordFields& f) {
    appendWithoutSeparators(out, f.pipeName);
    out += '\t';
    appendWithoutSeparators(out, f.flowText);
    out += '\t';
    out += f.unitflow;
    out += '\t';
    appendWithoutSeparators(out, f.diamText);
    out += '\t';
    out += units::diamUnitWord(f.diamInFeet, f.system);
    out += '\t';
    appendWithoutSeparators(out, f.slopeText);
    out += '\t';
    out += units::slopeUnitWord(f.slopeInPercent, f.system);
    out += '\t';
    appendWithoutSeparators(out, f.nText);
}

std::array<std::string, kFieldCount> recordFields(const RecordFields& f) {
    return {withoutSeparators(f.pipeName),
            withoutSeparators(f.flowText),
            f.unitflow,
            withoutSeparators(f.diamText),
            units::diamUnitWord(f.diamInFeet, f.system),
            withoutSeparators(f.slopeText),
            units::slopeUnitWord(f.slopeInPercent, f.system),
            withoutSeparators(f.nText),
            f.dnorm,
            f.vnorm,
            f.frNo,
            f.dcr,
            f.q100,
            f.q093};
}

} // namespace runnelex::record
