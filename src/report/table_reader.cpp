// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/table_reader.h"

#include <algorithm>
#include <array>
#include <vector>

#include "input/entry_check.h"
#include "input/units.h"
#include "report/quoting.h"
#include "results/record.h"
#include "sections/section_text.h"

namespace runnelex::report {

namespace {

std::vector<std::string> splitTsv(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

// RFC 4180 fields: a quoted field may hold commas and doubled quotes. Nothing for a quote left
// open.
std::optional<std::vector<std::string>> splitCsv(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"')
                fields.back() += c;
            else if (i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (quoted)
        return std::nullopt;
    return fields;
}

// The system whose flow unit a word names, as a person may write it.
std::optional<UnitSystem> flowSystem(std::string_view word) {
    for (UnitSystem system : {UnitSystem::US, UnitSystem::SI})
        if (units::unitWordIndex(units::unitLists(system).flow, word))
            return system;
    return std::nullopt;
}

} // namespace

Format tableFormat(std::string_view firstLine) {
    if (firstLine.find('\t') == std::string_view::npos &&
        firstLine.find(',') != std::string_view::npos)
        return Format::Csv;
    return Format::Tsv;
}

TableLine readTableLine(std::string_view line, Format format) {
    TableLine t;
    std::vector<std::string> split;
    if (format == Format::Csv) {
        auto fields = splitCsv(line);
        if (!fields) {
            t.problem = "a quote is not closed";
            return t;
        }
        split = std::move(*fields);
        // The report's surcharge column says nothing about the inputs.
        if (split.size() == record::kFieldCount + 1)
            split.pop_back();
    } else {
        split = splitTsv(line);
    }
    const std::vector<std::string_view> f(split.begin(), split.end());
    if (f.size() != record::kFieldCount && f.size() != 8) {
        t.problem = std::to_string(f.size()) + " fields, expected 14 (or the first 8)";
        return t;
    }
    for (UnitSystem system : {UnitSystem::US, UnitSystem::SI}) {
        if (std::equal(f.begin(), f.end(), record::headerNames(system).begin())) {
            t.kind = TableLine::Kind::Header;
            if (f.size() == record::kFieldCount)
                t.system = system;
            return t;
        }
    }
    const auto problem = [&](std::string what) {
        t.problem = std::move(what);
        return t;
    };
    const std::optional<UnitSystem> system = flowSystem(f[2]);
    if (!system)
        return problem("Qunit " + quoted(std::string(f[2])) +
                       " is not CFS, MGD or GPM, nor m\u00b3/s, L/s or ML/d");
    const units::UnitLists lists = units::unitLists(*system);
    const auto flow = units::unitWordIndex(lists.flow, f[2]);
    const auto diam = units::unitWordIndex(lists.diam, f[4]);
    const auto slope = units::unitWordIndex(lists.slope, f[6]);
    const char* const which = *system == UnitSystem::SI ? "SI" : "US customary";
    if (!diam)
        return problem("diameter unit " + quoted(std::string(f[4])) + " is not " +
                       std::string(lists.diam[0]) + " or " + std::string(lists.diam[1]) + ", the " +
                       which + " units of the row's flow");
    if (!slope)
        return problem("slope unit " + quoted(std::string(f[6])) + " is not " +
                       std::string(lists.slope[0]) + " or " + std::string(lists.slope[1]) +
                       ", the " + which + " units of the row's flow");
    const std::optional<sections::SectionText> section = sections::parseSectionText(f[3]);
    if (!section)
        return problem("Diam " + quoted(std::string(f[3])) + ": write " +
                       sections::sectionTextForms());
    struct Number {
        std::string_view text;
        entry::Rule rule;
        const char* column;
    };
    std::vector<Number> numbers = {{f[1], entry::ruleOf(entry::Box::Flow), "Q"}};
    for (std::size_t i = 0; i < section->shape->dimensionCount(); ++i)
        numbers.push_back(
            {section->dimensions[i], entry::dimensionRule(section->shape->dimensions[i]), "Diam"});
    numbers.push_back({f[5], entry::ruleOf(entry::Box::Slope), "Slope"});
    numbers.push_back({f[7], entry::ruleOf(entry::Box::ManningN), "n"});
    for (const Number& n : numbers)
        if (const auto why = entry::rejectionOf(n.rule, std::string(n.text)))
            return problem(std::string(n.column) + " " + quoted(std::string(n.text)) + ": " + *why);

    // An empty box was never typed into; n always was (it starts as 0.013).
    const auto text = [](std::string_view s) -> std::optional<std::string> {
        if (s.empty())
            return std::nullopt;
        return std::string(s);
    };
    CalcRequest& r = t.request;
    r.pipe = std::string(f[0]);
    r.flow = text(f[1]);
    r.flowUnit = std::string(lists.flow[*flow]);
    if (section->shape != &sections::defaultShape())
        r.shape = std::string(section->shape->word);
    // A bare diameter left empty was never typed into; a shape's dimensions always were.
    for (std::size_t i = 0; i < section->shape->dimensionCount(); ++i)
        r.setDimension(section->shape->dimensions[i].word,
                       section->shape->bareInRecord ? text(section->dimensions[i])
                                                    : std::optional(section->dimensions[i]));
    r.diamUnit = std::string(lists.diam[*diam]);
    r.slope = text(f[5]);
    r.slopeUnit = std::string(lists.slope[*slope]);
    r.n = std::string(f[7]);
    if (*system == UnitSystem::SI)
        r.units = "si";
    t.system = system;
    t.kind = TableLine::Kind::Row;
    return t;
}

void LineSplitter::feed(std::string_view bytes) {
    if (start_ > 0 && start_ >= pending_.size() / 2) {
        pending_.erase(0, start_);
        start_ = 0;
    }
    pending_.append(bytes);
}

std::optional<std::string> LineSplitter::next() {
    const std::size_t lf = pending_.find('\n', start_);
    std::string line;
    if (lf == std::string::npos) {
        if (!finished_ || start_ >= pending_.size())
            return std::nullopt;
        line = pending_.substr(start_);
        start_ = pending_.size();
        lastHadBreak_ = false;
    } else {
        line = pending_.substr(start_, lf - start_);
        start_ = lf + 1;
        lastHadBreak_ = true;
    }
    if (lastHadBreak_ && !line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace runnelex::report
