// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sections/shape_table.h"

namespace runnelex {

// The texts of a section's dimension boxes, by dimension word ("diam", "span"). Shapes that
// share a dimension share its box; a box never typed into reads as empty.
class DimensionTexts {
public:
    const std::string& get(std::string_view word) const;
    void set(std::string_view word, std::string text);
    // The texts of a shape's dimensions, in its order.
    std::vector<std::string> of(const sections::ShapeRow& shape) const;
    const std::vector<std::pair<std::string, std::string>>& all() const { return texts_; }

private:
    std::vector<std::pair<std::string, std::string>> texts_;
};

} // namespace runnelex
