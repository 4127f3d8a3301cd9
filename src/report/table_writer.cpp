// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/table_writer.h"

#include <algorithm>

#include "input/iosafe.h"
#include "report/row_format.h"
#include "results/record.h"

namespace runnelex::report {

namespace {

std::string withoutBreak(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

std::string semicolonField(const std::string& s) {
    if (s.find_first_of(";\"\r\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (char c : s)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

bool semicolons(const TableForm& form) {
    return form.format == Format::Csv && form.separator == ';';
}

} // namespace

std::string tableHeader(const TableForm& form, UnitSystem system) {
    if (!semicolons(form))
        return withoutBreak(headerText(form.format, system));
    std::string line;
    for (const std::string& name : record::headerNames(system))
        line += semicolonField(name) + ';';
    return line + "Surcharged";
}

std::string tableRow(const TableForm& form, const RecordReply& row) {
    if (!semicolons(form))
        return withoutBreak(rowText(form.format, row));
    auto fields = rowFields(row);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        // The inputs were read with their decimal commas; the results are numbers or a fault.
        // A law's n column ("colebrook 1.5 mm") is a text: it keeps its points.
        const bool lawText = i == 7 && fields[i].find(' ') != std::string::npos;
        const bool input = i == 1 || i == 3 || i == 5 || (i == 7 && !lawText);
        if (form.decimalComma && (input || (i >= 8 && iosafe::parseNumber(fields[i]))))
            std::replace(fields[i].begin(), fields[i].end(), '.', ',');
    }
    std::string line;
    for (const std::string& field : fields)
        line += semicolonField(field) + ';';
    return line + (row.surcharged ? "yes" : "");
}

} // namespace runnelex::report
