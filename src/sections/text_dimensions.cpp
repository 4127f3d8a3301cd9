// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/text_dimensions.h"

#include <charconv>
#include <cmath>

#include "common/number_text.h"
#include "common/words.h"
#include "sections/arch_families.h"

namespace runnelex::sections {

namespace {

// A number as the display rule writes it, never through the locale.
std::optional<double> numberOf(std::string_view text) {
    text = words::trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double x = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), x);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(x))
        return std::nullopt;
    return x;
}

std::optional<std::vector<double>> readFamily(std::string_view text) {
    const auto families = archFamilies();
    for (std::size_t i = 0; i < families.size(); ++i)
        if (words::sameWord(words::trimmed(text), families[i].word))
            return std::vector<double>{static_cast<double>(i + 1)};
    return std::nullopt;
}

std::string writeFamily(std::span<const double> numbers) {
    const auto families = archFamilies();
    const double k = numbers.empty() ? 0.0 : numbers[0];
    return k >= 1.0 && k <= static_cast<double>(families.size())
               ? std::string(families[static_cast<std::size_t>(k) - 1].word)
               : std::string();
}

std::optional<std::vector<double>> readRadii(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto rb = numberOf(text.substr(0, comma));
    const auto rc = numberOf(text.substr(comma + 1));
    if (!rb || !rc || !(*rb > 0.0) || !(*rc > 0.0))
        return std::nullopt;
    return std::vector<double>{*rb, *rc};
}

std::string writeRadii(std::span<const double> numbers) {
    std::string text;
    for (double x : numbers)
        text.append(text.empty() ? "" : ",").append(generalNumberText(x));
    return text;
}

// Points separated by ";" or line ends, each a height and a width separated by blanks.
std::optional<std::vector<double>> readOutline(std::string_view text) {
    std::vector<double> numbers;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(";\n");
        std::string_view point = words::trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (point.empty())
            continue;
        const std::size_t gap = point.find_first_of(" \t");
        if (gap == std::string_view::npos || numbers.size() / 2 >= kMaxOutlinePoints)
            return std::nullopt;
        const auto h = numberOf(point.substr(0, gap));
        const auto w = numberOf(point.substr(gap + 1));
        if (!h || !w)
            return std::nullopt;
        numbers.push_back(*h);
        numbers.push_back(*w);
    }
    if (numbers.empty())
        return std::nullopt;
    return numbers;
}

std::string writeOutline(std::span<const double> numbers) {
    std::string text;
    for (std::size_t i = 0; i + 1 < numbers.size(); i += 2)
        text.append(i == 0 ? "" : ";")
            .append(generalNumberText(numbers[i]))
            .append(" ")
            .append(generalNumberText(numbers[i + 1]));
    return text;
}

} // namespace

const TextDimension kArchFamilyText{
    readFamily, writeFamily, false, "concrete|steel|steel-3x1|plate-18|plate-31", "", false, true};
const TextDimension kArchRadiiText{readRadii, writeRadii, true, "RB,RC", "r", false, true};
const TextDimension kOutlineText{readOutline, writeOutline, true, "FILE|TEXT", "", true, false};

} // namespace runnelex::sections
