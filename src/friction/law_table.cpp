// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/law_table.h"

#include <algorithm>
#include <array>

#include "common/words.h"
#include "friction/manning_law.h"

namespace runnelex::friction {

namespace {

std::unique_ptr<FrictionLaw> makeManning(double n, UnitSystem system) {
    return std::make_unique<ManningLaw>(n, system == UnitSystem::SI ? ManningLaw::kMetricK
                                                                    : ManningLaw::kUsCustomaryK);
}

constexpr std::array<LawRow, 1> kLaws = {{
    {"manning",
     "Manning",
     {"n", "Manning's n", "Manning's n must be a positive real number.", "0.013"},
     makeManning},
}};

} // namespace

std::span<const LawRow> lawTable() {
    return kLaws;
}

const LawRow& defaultLaw() {
    return kLaws[0];
}

const LawRow* lawNamed(std::string_view word) {
    for (const LawRow& row : kLaws)
        if (words::sameWord(row.word, word))
            return &row;
    return nullptr;
}

} // namespace runnelex::friction
