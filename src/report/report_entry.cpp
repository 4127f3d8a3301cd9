// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_entry.h"

#include <algorithm>

#include "calc/request_law.h"
#include "input/units.h"
#include "report/quoting.h"
#include "sections/shape_table.h"

namespace runnelex::report {

namespace {

template <std::size_t N>
std::optional<std::string> unitWord(const std::array<std::string_view, N>& items, int index) {
    // Positions of the lists of the entry's system; the command line reads the words in it.
    if (index <= 0 || index >= static_cast<int>(N))
        return std::nullopt; // the first item is what a fresh window has
    return std::string(items[static_cast<std::size_t>(index)]);
}

std::optional<std::string> textOf(const std::string& text) {
    return text.empty() ? std::nullopt : std::optional(text);
}

} // namespace

CalcRequest requestFromEntry(const CalcEntry& entry, const std::vector<Input>& varied) {
    const auto isVaried = [&](const Input& i) {
        return std::find(varied.begin(), varied.end(), i) != varied.end();
    };
    CalcRequest r;
    r.pipe = textOf(entry.pipe);
    // The boxes of the shape give their texts.
    if (entry.shape != &sections::defaultShape())
        r.shape = std::string(entry.shape->word);
    for (const sections::DimensionSpec& d : entry.shape->dimensions) {
        const Input input{RequestField::Kind::Dimension, std::string(d.word)};
        if (!isVaried(input))
            r.setDimension(d.word, textOf(entry.dimensions.get(d.word)));
    }
    if (!isVaried({RequestField::Kind::Slope, {}}))
        r.slope = textOf(entry.slope);
    if (!isVaried({RequestField::Kind::Flow, {}}))
        r.flow = textOf(entry.flow);
    // An empty n box is given too: its check rejects it, as the main window does. Another law
    // is named with its coefficient, the coefficient's unit and its further inputs.
    const RequestField coefficient = coefficientField(*entry.law);
    if (entry.law != &friction::defaultLaw()) {
        r.law = std::string(entry.law->word);
        if (!isVaried(coefficient))
            setFieldText(r, coefficient, entry.n);
        if (const auto unit = coefficientUnitField(*entry.law); unit && entry.coefficientUnit)
            setFieldText(r, *unit,
                         std::string(entry.law->coefficient.units[*entry.coefficientUnit].word));
        for (const friction::ParameterSpec& p : entry.law->parameters)
            if (!entry.lawTexts.get(p.word).empty())
                r.setLawInput(p.word, entry.lawTexts.get(p.word));
    } else if (!isVaried(coefficient) && entry.n != kStartManningN) {
        r.n = entry.n;
    }
    const units::UnitLists lists = units::unitLists(entry.system);
    r.diamUnit = unitWord(lists.diam, entry.diamUnit);
    r.slopeUnit = unitWord(lists.slope, entry.slopeUnit);
    r.flowUnit = unitWord(lists.flow, entry.flowUnit);
    if (entry.system == UnitSystem::SI)
        r.units = "si"; // US customary is what the command line takes without it
    return r;
}

std::string reportCommandLine(const CalcRequest& request,
                              const std::vector<std::string>& varyTexts) {
    std::string line = "runnelex-cli report";
    const auto add = [&line](const std::string& option, const std::optional<std::string>& value) {
        if (!value)
            return;
        // "--pipe -A1-" would read as a missing value: a text that begins with a dash follows "=".
        line += ' ';
        if (!value->empty() && value->front() == '-') {
            line += shellQuoted("--" + option + "=" + *value);
        } else {
            line.append("--").append(option).append(" ");
            line += shellQuoted(*value);
        }
    };
    for (const RequestField& f : requestFields())
        add(optionWord(f), fieldText(request, f));
    for (const std::string& written : varyTexts)
        add("vary", written);
    return line;
}

} // namespace runnelex::report
