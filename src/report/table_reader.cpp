// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/table_reader.h"

#include <algorithm>
#include <array>
#include <vector>

#include "calc/request_law.h"
#include "friction/friction_text.h"
#include "input/entry_check.h"
#include "input/units.h"
#include "report/quoting.h"
#include "report/request_options.h"
#include "results/record.h"
#include "sections/section_text.h"

namespace runnelex::report {

namespace {

// Fields separated by `separator`; RFC 4180 quoting where the separator is not a TAB: a quoted
// field may hold separators and doubled quotes. Nothing for a quote left open.
std::optional<std::vector<std::string>> splitFields(std::string_view line, char separator) {
    std::vector<std::string> fields(1);
    if (separator == '\t') {
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos;) {
            fields.back() = line.substr(start, tab - start);
            fields.emplace_back();
            start = tab + 1;
        }
        fields.back() = line.substr(start);
        return fields;
    }
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
        } else if (c == separator) {
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

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int more = c < 0x80             ? 0
                         : (c & 0xE0) == 0xC0 ? 1
                         : (c & 0xF0) == 0xE0 ? 2
                         : (c & 0xF8) == 0xF0 ? 3
                                              : -1;
        if (more < 0 || (more == 1 && c < 0xC2) || i + more >= s.size() + (more > 0 ? 0 : 1))
            return false;
        for (int k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

std::string trimmedLower(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    s = s.substr(first, s.find_last_not_of(" \t") - first + 1);
    std::string lower(s);
    for (char& c : lower)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return lower;
}

// Fields a row may have: the inputs alone or the whole record; empty fields after them (a
// spreadsheet's unused columns) are no fields, nor results that are all empty.
bool fitRowWidth(std::vector<std::string>& fields, std::size_t inputs, std::size_t whole) {
    const auto allEmpty = [&fields](std::size_t from) {
        return std::all_of(fields.begin() + static_cast<std::ptrdiff_t>(from), fields.end(),
                           [](const std::string& f) { return f.empty(); });
    };
    if (fields.size() > whole && allEmpty(whole))
        fields.resize(whole);
    if (fields.size() > inputs && fields.size() < whole && allEmpty(inputs))
        fields.resize(inputs);
    return fields.size() == inputs || fields.size() == whole;
}

std::string fieldCountProblem(std::size_t count, std::size_t whole, std::size_t inputs) {
    return std::to_string(count) + (count == 1 ? " field" : " fields") + ", expected " +
           std::to_string(whole) + " (or the first " + std::to_string(inputs) + ")";
}

constexpr std::string_view kSaveAsUtf8 =
    "save it as UTF-8 (\"CSV UTF-8\" in the spreadsheet's Save As, or text with the character "
    "set Unicode (UTF-8))";

} // namespace

TableForm tableForm(std::string_view firstLine) {
    TableForm form;
    if (firstLine.find('\t') != std::string_view::npos)
        return form;
    const auto count = [firstLine](char separator) {
        const auto fields = splitFields(firstLine, separator);
        return fields ? fields->size() : std::size_t(0);
    };
    const std::size_t semicolons = count(';'), commas = count(',');
    if (semicolons > 1 && semicolons > commas)
        form.separator = ';';
    else if (commas > 1)
        form.separator = ',';
    else
        return form;
    form.format = Format::Csv;
    form.decimalComma = form.separator == ';';
    return form;
}

Format tableFormat(std::string_view firstLine) {
    return tableForm(firstLine).format;
}

std::optional<std::string> unreadableTable(std::string_view firstLine) {
    if (firstLine.substr(0, 2) == "\xFF\xFE" || firstLine.substr(0, 2) == "\xFE\xFF" ||
        firstLine.find('\0') != std::string_view::npos)
        return "the table is UTF-16 text (\"Unicode Text\"); " + std::string(kSaveAsUtf8);
    const std::size_t first = firstLine.find_first_not_of(" \t");
    if (first != std::string_view::npos && firstLine[first] == '{')
        return std::string("this is a JSON report; batch reads tables: write the report with "
                           "--format tsv or --format csv");
    return std::nullopt;
}

std::optional<NamedColumns> namedColumns(std::string_view header, const TableForm& form) {
    const auto fields = splitFields(header, form.separator);
    if (!fields)
        return std::nullopt;
    NamedColumns named;
    named.columns.assign(record::kFieldCount, -1);
    std::vector<std::string> fs = *fields;
    while (!fs.empty() && trimmedLower(fs.back()).empty())
        fs.pop_back();
    named.width = fs.size();
    for (std::size_t i = 0; i < fs.size(); ++i) {
        const std::string name = trimmedLower(fs[i]);
        std::optional<std::size_t> column;
        for (UnitSystem system : {UnitSystem::US, UnitSystem::SI}) {
            const auto& names = record::headerNames(system);
            for (std::size_t k = 0; k < names.size() && !column; ++k)
                if (names[k] != "unit" && trimmedLower(names[k]) == name) {
                    column = k;
                    if (k >= 8 && k != 10 && k < 12)
                        named.system = system;
                }
        }
        // "unit" is the unit of the column before it: the diameter's or the slope's.
        if (name == "unit" && i > 0) {
            const std::string before = trimmedLower(fs[i - 1]);
            if (before == "diam" || before == "slope")
                column = before == "diam" ? 4 : 6;
        }
        if (column && named.columns[*column] < 0)
            named.columns[*column] = static_cast<int>(i);
        else if (name != "surcharged") // the report's own CSV column means nothing here
            named.ignored.push_back(std::string(fs[i]));
    }
    bool inOrder = named.ignored.empty();
    for (std::size_t k = 0; k < named.columns.size(); ++k) {
        if (k < 8 && named.columns[k] < 0)
            return std::nullopt;
        inOrder = inOrder && (named.columns[k] < 0 || named.columns[k] == static_cast<int>(k));
    }
    if (inOrder)
        return std::nullopt;
    return named;
}

TableLine readTableLine(std::string_view line, Format format) {
    TableForm form;
    if (format == Format::Csv) {
        form.format = format;
        form.separator = ',';
    }
    return readTableLine(line, form);
}

TableLine readTableLine(std::string_view line, const TableForm& form) {
    TableLine t;
    auto fields = splitFields(line, form.separator);
    if (!fields) {
        t.problem = "a quote is not closed";
        return t;
    }
    std::vector<std::string> split;
    if (!form.columns.empty()) {
        // A header of its own: each column taken where it names it.
        std::size_t inputs = 0;
        for (std::size_t k = 0; k < 8; ++k)
            inputs = std::max(inputs, static_cast<std::size_t>(form.columns[k]) + 1);
        const std::size_t count = fields->size();
        if (fields->size() > form.width &&
            std::all_of(fields->begin() + static_cast<std::ptrdiff_t>(form.width), fields->end(),
                        [](const std::string& f) { return f.empty(); }))
            fields->resize(form.width);
        if (fields->size() < inputs || fields->size() > form.width) {
            t.problem = fieldCountProblem(count, form.width, inputs);
            return t;
        }
        for (std::size_t k = 0; k < record::kFieldCount; ++k) {
            const int at = form.columns[k];
            split.push_back(at >= 0 && static_cast<std::size_t>(at) < fields->size()
                                ? (*fields)[static_cast<std::size_t>(at)]
                                : std::string());
        }
        if (std::equal(split.begin(), split.begin() + 8, record::headerNames().begin())) {
            t.kind = TableLine::Kind::Header;
            return t;
        }
        split.resize(8); // the results are recomputed
    } else {
        split = std::move(*fields);
        const std::size_t count = split.size();
        // The report's surcharge column says nothing about the inputs.
        const std::size_t whole = record::kFieldCount + (form.format == Format::Csv ? 1 : 0);
        if (!fitRowWidth(split, 8, whole) && !fitRowWidth(split, 8, record::kFieldCount)) {
            t.problem = fieldCountProblem(count, record::kFieldCount, 8);
            return t;
        }
        split.resize(std::min(split.size(), record::kFieldCount));
    }
    for (UnitSystem system : {UnitSystem::US, UnitSystem::SI}) {
        if (std::equal(split.begin(), split.end(), record::headerNames(system).begin())) {
            t.kind = TableLine::Kind::Header;
            if (split.size() == record::kFieldCount)
                t.system = system;
            return t;
        }
    }
    // The name is written back as it came, whatever its bytes; the inputs are read as text.
    for (std::size_t i = 1; i < 8; ++i)
        if (!validUtf8(split[i])) {
            // Its bytes shown as \xHH: a message is UTF-8 text.
            std::string shown;
            for (const char ch : quoted(split[i])) {
                const auto c = static_cast<unsigned char>(ch);
                static const char* const hex = "0123456789ABCDEF";
                shown += c < 0x80 ? std::string(1, ch)
                                  : std::string{'\\', 'x', hex[c >> 4], hex[c & 15]};
            }
            t.problem = record::headerNames()[i] + " " + shown +
                        ": not UTF-8 text (Windows-1252?): " + std::string(kSaveAsUtf8);
            return t;
        }
    // The numbers: read with the table's decimal separator, never one taken for the other.
    const struct {
        std::size_t at;
        RequestField field;
        entry::Box box;
    } inputs[] = {{1, {RequestField::Kind::Flow, {}}, entry::Box::Flow},
                  {3, {RequestField::Kind::Dimension, "diam"}, entry::Box::Diam},
                  {5, {RequestField::Kind::Slope, {}}, entry::Box::Slope},
                  {7, {RequestField::Kind::N, {}}, entry::Box::ManningN}};
    const auto lawRead = friction::readFrictionText(split[7]);
    for (const auto& in : inputs) {
        std::string& text = split[in.at];
        const std::string column = record::headerNames()[in.at];
        // A law's n column ("colebrook 1.5 mm") is a text, which a spreadsheet keeps as it is.
        const bool lawText =
            in.at == 7 && std::get_if<friction::FrictionParts>(&lawRead) &&
            std::get<friction::FrictionParts>(lawRead).law != &friction::defaultLaw();
        if (form.decimalComma) {
            if (lawText) {
                std::replace(text.begin(), text.end(), ',', '.');
                continue;
            }
            if (text.find('.') != std::string::npos) {
                t.problem = column + " " + quoted(text) +
                            ": the table is separated by semicolons, so its decimal separator "
                            "is the comma";
                return t;
            }
            std::replace(text.begin(), text.end(), ',', '.');
        } else if (text.find(',') != std::string::npos) {
            const std::string hint = numberHint(in.field, text);
            const auto why = entry::rejectionOf(in.box, text);
            if (!hint.empty() && why) {
                t.problem = column + " " + quoted(text) + ": " + *why + hint;
                return t;
            }
        }
    }
    const std::vector<std::string_view> f(split.begin(), split.end());
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
    // The n column: Manning's n, or a law with its coefficient and further inputs.
    const auto friction = friction::readFrictionText(f[7]);
    if (const auto* why = std::get_if<std::string>(&friction))
        return problem("n " + quoted(std::string(f[7])) + ": " + *why);
    const friction::FrictionParts& law = std::get<friction::FrictionParts>(friction);
    if (!law.unit.empty() && !coefficientUnitIndex(*law.law, law.unit))
        return problem("n " + quoted(std::string(f[7])) + ": unknown unit " + quoted(law.unit));
    numbers.push_back({law.coefficient, entry::coefficientRule(*law.law), "n"});
    for (const auto& [word, value] : law.parameters)
        numbers.push_back(
            {value,
             entry::parameterRule(law.law->parameters[law.law->parameterIndex(word)], *system),
             "n"});
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
    // A bare diameter left empty was never typed into; a shape's lengths always were, its
    // texts (an arch's family or radii) when the record holds them.
    for (std::size_t i = 0; i < section->shape->dimensionCount(); ++i) {
        const sections::DimensionSpec& d = section->shape->dimensions[i];
        r.setDimension(d.word, section->shape->bareInRecord || !d.isLength()
                                   ? text(section->dimensions[i])
                                   : std::optional(section->dimensions[i]));
    }
    if (const auto why = shapeProblem(r))
        return problem("Diam " + quoted(std::string(f[3])) + ": " + *why);
    r.diamUnit = std::string(lists.diam[*diam]);
    r.slope = text(f[5]);
    r.slopeUnit = std::string(lists.slope[*slope]);
    if (law.law != &friction::defaultLaw())
        r.law = std::string(law.law->word);
    setFieldText(r, coefficientField(*law.law), law.coefficient);
    if (const auto unit = coefficientUnitField(*law.law))
        r.setLawInput(unit->dimension, law.unit);
    for (const auto& [word, value] : law.parameters)
        r.setLawInput(word, value);
    if (*system == UnitSystem::SI)
        r.units = "si";
    t.system = system;
    t.kind = TableLine::Kind::Row;
    return t;
}

void LineSplitter::feed(std::string_view bytes) {
    if (skipping_) {
        // The rest of a line too long to hold: dropped up to its end.
        const std::size_t lf = bytes.find('\n');
        if (lf == std::string_view::npos)
            return;
        skipping_ = false;
        lastHadBreak_ = true;
        bytes.remove_prefix(lf + 1);
    }
    if (start_ > 0 && start_ >= pending_.size() / 2) {
        pending_.erase(0, start_);
        start_ = 0;
    }
    pending_.append(bytes);
}

void LineSplitter::finish() {
    finished_ = true;
    if (skipping_)
        lastHadBreak_ = lastHadCrLf_ = false; // the long line was the last, without a break
    skipping_ = false;
}

std::optional<std::string> LineSplitter::next() {
    const std::size_t lf = pending_.find('\n', start_);
    const std::size_t end = lf == std::string::npos ? pending_.size() : lf;
    lastTooLong_ = end - start_ > kMaxLineBytes;
    if (lastTooLong_) {
        lastHadBreak_ = lf != std::string::npos || !finished_;
        lastHadCrLf_ = lf != std::string::npos && pending_[lf - 1] == '\r';
        if (lf == std::string::npos) {
            skipping_ = !finished_;
            pending_.clear();
            start_ = 0;
        } else {
            start_ = lf + 1;
        }
        return std::string();
    }
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
    lastHadCrLf_ = lastHadBreak_ && !line.empty() && line.back() == '\r';
    if (lastHadCrLf_)
        line.pop_back();
    return line;
}

} // namespace runnelex::report
