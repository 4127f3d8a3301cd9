// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "common/unit_system.h"

// The calculation record: one line of 14 TAB-separated fields, as the main window shows them.
namespace runnelex::record {

struct RecordFields {
    std::string pipeName; // text of txtPipeID
    std::string flowText; // text of txtQinput
    std::string unitflow; // "CFS", "MGD" or "GPM"
    std::string diamText;
    bool diamInFeet = false;
    std::string slopeText;
    bool slopeInPercent = false;
    std::string nText;
    // Captions of the result labels at the moment of recording.
    std::string dnorm, vnorm, frNo, dcr, q100, q093;
    UnitSystem system = UnitSystem::US; // the unit words' system
};

inline constexpr std::size_t kFieldCount = 14;

// The 14 column names; in SI the depths and the velocity are named in m and m/s.
const std::array<std::string, kFieldCount>& headerNames(UnitSystem system = UnitSystem::US);
// The 14 column names joined by TAB.
std::string headerLine(UnitSystem system = UnitSystem::US);

// The record: the fields joined by a single TAB, no quoting. A TAB or line break inside a typed
// text (a pasted pipe name) would split the saved table's columns or rows, so each (also the
// Unicode line and paragraph separators, and U+FDD0 and U+FDD1, which the results box turns
// into line breaks) is written as a blank.
std::string makeRecord(const RecordFields& f);
// Appends the first eight fields of the record (the inputs and their units), joined by TAB,
// to `out`: makeRecord's text up to the depth column's TAB.
void appendInputFields(std::string& out, const RecordFields& f);
// The 14 fields of the record, in order, as makeRecord joins them.
std::array<std::string, kFieldCount> recordFields(const RecordFields& f);

} // namespace runnelex::record
