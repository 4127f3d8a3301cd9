// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/json_writer.h"

#include <cmath>
#include <cstdio>

namespace runnelex::web {

void JsonWriter::separate() {
    if (afterKey_)
        afterKey_ = false;
    else if (!first_)
        text_ += ',';
    first_ = false;
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    text_ += '{';
    first_ = true;
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    text_ += '}';
    first_ = false;
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    text_ += '[';
    first_ = true;
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    text_ += ']';
    first_ = false;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    text_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view s) {
    separate();
    static const char* const kHex = "0123456789abcdef";
    text_ += '"';
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (c == '\n') {
            text_ += "\\n";
        } else if (c == '\t') {
            text_ += "\\t";
        } else if (u < 0x20) {
            text_ += "\\u00";
            text_ += kHex[u >> 4];
            text_ += kHex[u & 15];
        } else {
            text_ += c; // UTF-8 passes as it is
        }
    }
    text_ += '"';
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    if (!std::isfinite(number))
        return null(); // JSON has no infinity
    separate();
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%.17g", number); // every digit a double holds
    text_.append(buf, static_cast<std::size_t>(n));
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    separate();
    text_ += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    text_ += "null";
    return *this;
}

JsonWriter& JsonWriter::member(std::string_view name, std::string_view text) {
    return key(name).value(text);
}

JsonWriter& JsonWriter::member(std::string_view name, const char* text) {
    return key(name).value(std::string_view(text));
}

JsonWriter& JsonWriter::member(std::string_view name, double number) {
    return key(name).value(number);
}

JsonWriter& JsonWriter::member(std::string_view name, bool flag) {
    return key(name).value(flag);
}

JsonWriter& JsonWriter::member(std::string_view name, const std::vector<std::string>& texts) {
    key(name).beginArray();
    for (const std::string& t : texts)
        value(t);
    return endArray();
}

} // namespace runnelex::web
