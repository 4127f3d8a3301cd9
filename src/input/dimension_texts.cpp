// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/dimension_texts.h"

namespace runnelex {

const std::string& DimensionTexts::get(std::string_view word) const {
    static const std::string kNeverTyped;
    for (const auto& [w, text] : texts_)
        if (w == word)
            return text;
    return kNeverTyped;
}

void DimensionTexts::set(std::string_view word, std::string text) {
    for (auto& [w, t] : texts_)
        if (w == word) {
            t = std::move(text);
            return;
        }
    texts_.emplace_back(word, std::move(text));
}

std::vector<std::string> DimensionTexts::of(const sections::ShapeRow& shape) const {
    std::vector<std::string> texts;
    texts.reserve(shape.dimensionCount());
    for (const sections::DimensionSpec& d : shape.dimensions)
        texts.push_back(get(d.word));
    return texts;
}

} // namespace runnelex
