// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runnelex {

// The labels a calculation run writes, in the order `runnelex-cli calc --labels` lists them:
// the results, the capacity table, the full-flow notice and the capacity heading.
enum class Label : std::uint8_t {
    Dnorm,
    AreaW,
    PerimW,
    Rh,
    Vnorm,
    DoverD,
    FrNo,
    Dcr,
    Regime,
    Q050,
    Q075,
    Q093,
    Q100,
    V050,
    V075,
    V093,
    V100,
    Hf,
    Vfull,
    FullCondition,
    FullCause,
    CapQ,
};

inline constexpr std::size_t kLabelCount = static_cast<std::size_t>(Label::CapQ) + 1;
// The result labels proper (every label before the full-flow notice): empty at start-up.
inline constexpr std::size_t kResultLabelCount = static_cast<std::size_t>(Label::FullCondition);

// The control name of a label ("lblrDnorm").
const char* labelName(Label label);
std::optional<Label> labelNamed(std::string_view name);
inline Label labelAt(std::size_t i) {
    return static_cast<Label>(i);
}

// The texts of every label, by Label.
class LabelTexts {
public:
    const std::string& operator[](Label l) const { return texts_[static_cast<std::size_t>(l)]; }
    std::string& operator[](Label l) { return texts_[static_cast<std::size_t>(l)]; }
    bool operator==(const LabelTexts&) const = default;

private:
    std::array<std::string, kLabelCount> texts_;
};

// What a screen reader says for a value label: its caption, its text and its unit
// ("Vnorm 4.6671 ft/sec", "d/D 0.5359" without a unit), or that it is empty ("Dcr, no value").
std::string spokenLabel(std::string_view caption, std::string_view text, std::string_view unit);

// The label texts right after start-up: every result label empty, the others as laid out.
const LabelTexts& startupLabelTexts();

inline constexpr const char* kStartupFullCondition = "If the Pipe were flowing full due to";
inline constexpr const char* kStartupFullCause = "tailwater conditions:";

} // namespace runnelex
