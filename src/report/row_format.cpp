// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/row_format.h"

#include <array>

#include "input/iosafe.h"

namespace runnelex::report {

namespace {

using Fields = std::array<std::string, record::kFieldCount>;

std::string joined(const Fields& f, char separator, std::string (*field)(const std::string&)) {
    std::string line;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (i > 0)
            line += separator;
        line += field(f[i]);
    }
    return line;
}

std::string plain(const std::string& s) {
    return s;
}

// RFC 4180: a field holding a comma, a quote or a line break is quoted, quotes doubled.
std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (char c : s)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string jsonString(const std::string& s) {
    std::string q = "\"";
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            q += '\\';
            q += ch;
        } else if (c < 0x20) {
            static const char* const hex = "0123456789abcdef";
            q += "\\u00";
            q += hex[c >> 4];
            q += hex[c & 15];
        } else {
            q += ch; // UTF-8 passes as it is
        }
    }
    return q + "\"";
}

// A number as JSON writes it, from a text the numeric test accepts ("+.5e3 " is 0.5e3); null
// for an empty text, a string for anything else.
std::string jsonNumber(const std::string& text) {
    if (text.empty())
        return "null";
    if (!iosafe::parseNumber(text))
        return jsonString(text);
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '+')
            s += c;
    // The "+" of an exponent is dropped too, which JSON allows either way.
    std::string out;
    std::size_t i = 0;
    if (s[i] == '-')
        out += s[i++];
    std::size_t intEnd = s.find_first_of(".eE", i);
    if (intEnd == std::string::npos)
        intEnd = s.size();
    std::string integer = s.substr(i, intEnd - i);
    while (integer.size() > 1 && integer[0] == '0')
        integer.erase(0, 1);
    out += integer.empty() ? "0" : integer;
    i = intEnd;
    if (i < s.size() && s[i] == '.') {
        std::size_t end = s.find_first_of("eE", i);
        if (end == std::string::npos)
            end = s.size();
        if (end - i > 1)
            out += s.substr(i, end - i);
        i = end;
    }
    out += s.substr(i);
    return out;
}

std::string jsonRow(const RecordReply& row, const Fields& f);

} // namespace

std::optional<Format> formatNamed(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower == "tsv")
        return Format::Tsv;
    if (lower == "csv")
        return Format::Csv;
    if (lower == "json")
        return Format::Json;
    return std::nullopt;
}

Fields rowFields(const RecordReply& row) {
    Fields f = record::recordFields(row.fields);
    if (row.status == SessionStatus::Fault) {
        f[8] = faultField(row);
        for (std::size_t i = 9; i < f.size(); ++i)
            f[i].clear();
    }
    return f;
}

std::string faultField(const RecordReply& row) {
    return (row.noSection ? "no such section: " : "arithmetic error: ") + row.fault;
}

std::string headerText(Format format, UnitSystem system) {
    const Fields& names = record::headerNames(system);
    switch (format) {
    case Format::Tsv:
        return joined(names, '\t', plain) + "\n";
    case Format::Csv:
        // A spreadsheet's rows carry the surcharge as a column of their own.
        return joined(names, ',', csvField) + ",Surcharged\r\n";
    default:
        return {};
    }
}

std::string rowText(Format format, const RecordReply& row) {
    std::string text;
    appendRowText(format, row, text);
    return text;
}

void appendRowText(Format format, const RecordReply& row, std::string& out) {
    if (format == Format::Tsv) {
        // The record as makeRecord joins it, field by field into `out`.
        record::appendInputFields(out, row.fields);
        if (row.status == SessionStatus::Fault) {
            out += '\t';
            out += faultField(row);
            out.append(record::kFieldCount - 9, '\t');
        } else {
            const record::RecordFields& r = row.fields;
            for (const std::string* result :
                 {&r.dnorm, &r.vnorm, &r.frNo, &r.dcr, &r.q100, &r.q093}) {
                out += '\t';
                out += *result;
            }
        }
        out += '\n';
        return;
    }
    const Fields f = rowFields(row);
    if (format == Format::Csv) {
        for (std::size_t i = 0; i < f.size(); ++i) {
            if (i > 0)
                out += ',';
            out += csvField(f[i]);
        }
        out += row.surcharged ? ",yes\r\n" : ",\r\n";
        return;
    }
    out += jsonRow(row, f);
}

namespace {

std::string jsonRow(const RecordReply& row, const Fields& f) {
    static const std::array<const char*, record::kFieldCount> usKeys = {
        "pipe", "q",       "qUnit",  "diam",   "diamUnit", "slope",    "slopeUnit",
        "n",    "depthFt", "velFps", "froude", "dcritFt",  "capacity", "maxQ"};
    static const std::array<const char*, record::kFieldCount> siKeys = {
        "pipe", "q",      "qUnit",  "diam",   "diamUnit", "slope",    "slopeUnit",
        "n",    "depthM", "velMps", "froude", "dcritM",   "capacity", "maxQ"};
    const auto& keys = row.fields.system == UnitSystem::SI ? siKeys : usKeys;
    const bool faulted = row.status == SessionStatus::Fault;
    std::string json = "{";
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (i > 0)
            json += ',';
        json += '"';
        json += keys[i];
        json += "\":";
        const bool text = i == 0 || i == 2 || i == 4 || i == 6;
        if (text)
            json += jsonString(f[i]);
        else if (faulted && i >= 8)
            json += "null";
        else
            json += jsonNumber(f[i]);
    }
    if (faulted)
        json += ",\"fault\":" + jsonString(row.fault);
    else if (row.surcharged)
        json += ",\"surcharged\":true";
    return json + "}\n";
}

} // namespace

} // namespace runnelex::report
