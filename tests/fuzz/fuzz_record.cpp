// SPDX-License-Identifier: GPL-3.0-or-later
// The record builder and the recorded text fed any typed texts: TAB, CR, LF, the Unicode line
// and paragraph separators, invalid UTF-8. A record is always one line of exactly 14 fields.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/number_text.h"
#include "fuzz_check.h"
#include "fuzz_doubles.h"
#include "results/record.h"
#include "results/results_text.h"

namespace {

using namespace runnelex;
using fuzz::escaped;
using fuzz::require;
using fuzz::split;

bool hasLineBreak(const std::string& s) {
    return s.find_first_of("\n\r") != std::string::npos ||
           s.find("\xE2\x80\xA8") != std::string::npos ||
           s.find("\xE2\x80\xA9") != std::string::npos;
}

// A typed text, with the separators a paste may bring in.
std::string typedText(FuzzedDataProvider& fdp) {
    return fuzz::typedText(fdp,
                           {"\t", "\r", "\n", "\r\n", "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80",
                            "\xE2", "\xC2\x85", "\xFF", "12.5", ""},
                           6, 16);
}

// A caption as the main window shows it: empty or a displayed number.
std::string caption(FuzzedDataProvider& fdp) {
    const double v = fuzz::anyDouble(fdp);
    if (!std::isfinite(v) || fdp.ConsumeBool())
        return {};
    return displayNumber(v, fdp.ConsumeBool() ? kDigits : kGpmDigits);
}

std::string oneRecord(FuzzedDataProvider& fdp) {
    static const char* const kUnitflows[] = {"CFS", "MGD", "GPM"};
    record::RecordFields f;
    f.pipeName = typedText(fdp);
    f.flowText = typedText(fdp);
    f.unitflow = fdp.PickValueInArray(kUnitflows);
    f.diamText = typedText(fdp);
    f.diamInFeet = fdp.ConsumeBool();
    f.slopeText = typedText(fdp);
    f.slopeInPercent = fdp.ConsumeBool();
    f.nText = typedText(fdp);
    f.dnorm = caption(fdp);
    f.vnorm = caption(fdp);
    f.frNo = caption(fdp);
    f.dcr = caption(fdp);
    f.q100 = caption(fdp);
    f.q093 = caption(fdp);
    const std::string rec = record::makeRecord(f);
    const std::string shown = escaped(rec);

    require(!hasLineBreak(rec), "a record holds no line break", shown);
    const std::vector<std::string> fields = split(rec, '\t');
    require(fields.size() == 14, "a record has exactly 14 fields", shown);
    // What is not typed comes through as it is.
    const std::string fixed[][2] = {{fields[2], f.unitflow},
                                    {fields[4], f.diamInFeet ? "ft." : "in."},
                                    {fields[6], f.slopeInPercent ? "%" : "ft/ft"},
                                    {fields[8], f.dnorm},
                                    {fields[9], f.vnorm},
                                    {fields[10], f.frNo},
                                    {fields[11], f.dcr},
                                    {fields[12], f.q100},
                                    {fields[13], f.q093}};
    for (const auto& [got, want] : fixed)
        require(got == want, "units and captions pass unchanged", shown);
    // A typed text without separators passes byte for byte.
    const std::string* typed[] = {&f.pipeName, &f.flowText, &f.diamText, &f.slopeText, &f.nText};
    const int at[] = {0, 1, 3, 5, 7};
    for (int i = 0; i < 5; ++i)
        if (!hasLineBreak(*typed[i]) && typed[i]->find('\t') == std::string::npos)
            require(fields[static_cast<std::size_t>(at[i])] == *typed[i],
                    "a plain typed text passes unchanged", shown);
    return rec;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    ResultsText text;
    std::vector<std::string> held;
    if (fdp.ConsumeBool())
        text.setHeader(record::headerLine());
    while (fdp.remaining_bytes() > 0) {
        if (fdp.ConsumeIntegralInRange(0, 7) == 0) {
            text.clearRows();
            held.clear();
            continue;
        }
        held.push_back(oneRecord(fdp));
        text.appendRecord(held.back());
    }
    // The text: the header line, then one line per record held, in order; nothing after.
    std::string expected = text.ResultsHeader();
    for (const std::string& r : held)
        expected += '\n' + r;
    require(text.fullText() == expected && text.recordCount() == held.size(),
            "the recorded text is the header and each record on a line of its own",
            escaped(text.fullText()));
    const std::vector<std::string> lines = split(text.fullText(), '\n');
    require(lines.size() == held.size() + 1, "one line per record below the header");
    for (const std::string& line : lines)
        require(line.empty() || split(line, '\t').size() == 14, "every line has 14 fields");
    return 0;
}
