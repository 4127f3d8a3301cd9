// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/labels.h"

#include "input/units.h"

namespace runnelex {

namespace {
constexpr std::array<const char*, kLabelCount> kNames = {
    "lblrDnorm", "lblrAreaW",        "lblrPerimW",   "lblrRh",   "lblrVnorm", "lblrDoverD",
    "lblrFrNo",  "lblrDcr",          "lblrRegime",   "lblrQ050", "lblrQ075",  "lblrQ093",
    "lblrQ100",  "lblrV050",         "lblrV075",     "lblrV093", "lblrV100",  "lblrHf",
    "lblrVfull", "lblFullCondition", "lblFullCause", "lblCapQ"};
} // namespace

const char* labelName(Label label) {
    return kNames[static_cast<std::size_t>(label)];
}

std::optional<Label> labelNamed(std::string_view name) {
    for (std::size_t i = 0; i < kLabelCount; ++i)
        if (name == kNames[i])
            return labelAt(i);
    return std::nullopt;
}

std::string spokenLabel(std::string_view caption, std::string_view text, std::string_view unit) {
    std::string spoken(caption);
    if (text.empty())
        return spoken + ", no value";
    (spoken += ' ') += text;
    if (!unit.empty())
        (spoken += ' ') += unit;
    return spoken;
}

const LabelTexts& startupLabelTexts() {
    static const LabelTexts texts = [] {
        LabelTexts t;
        t[Label::FullCondition] = kStartupFullCondition;
        t[Label::FullCause] = kStartupFullCause;
        t[Label::CapQ] = units::kCapacityHeadingLayout;
        return t;
    }();
    return texts;
}

} // namespace runnelex
