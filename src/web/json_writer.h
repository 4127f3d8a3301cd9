// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace runnelex::web {

// Builds the JSON text the page reads: objects and arrays opened and closed in order, commas
// placed by the writer. Numbers are written with every digit a double holds.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of an object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(double number);
    JsonWriter& value(bool flag);
    JsonWriter& null();
    // A member holding a text, a number or an array of texts.
    JsonWriter& member(std::string_view name, std::string_view text);
    JsonWriter& member(std::string_view name, const char* text);
    JsonWriter& member(std::string_view name, double number);
    JsonWriter& member(std::string_view name, bool flag);
    JsonWriter& member(std::string_view name, const std::vector<std::string>& texts);

    const std::string& text() const { return text_; }

private:
    void separate();

    std::string text_;
    bool first_ = true; // nothing yet in the object or array open now
    bool afterKey_ = false;
};

} // namespace runnelex::web
