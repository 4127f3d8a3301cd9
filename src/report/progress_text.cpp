// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/progress_text.h"

#include <algorithm>
#include <cmath>

namespace runnelex::report {

std::string groupedThousands(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (std::ptrdiff_t at = std::ssize(digits) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

namespace {

// Seconds under a minute to the next 5, minutes under an hour whole, then hours and minutes;
// rounded up, so that the estimate never promises too little.
std::string timeLeft(double seconds) {
    if (seconds < 60) {
        const int s = std::max(5, static_cast<int>(std::ceil(seconds / 5)) * 5);
        return s >= 60 ? "1 min" : std::to_string(s) + " s";
    }
    const double minutes = std::ceil(seconds / 60);
    if (minutes < 60)
        return std::to_string(static_cast<long long>(minutes)) + " min";
    if (minutes >= 6000) // a hundred hours and more: the minutes tell nothing
        return groupedThousands(static_cast<std::uint64_t>(std::min(minutes / 60, 1e15))) + " h";
    const auto whole = static_cast<long long>(minutes);
    return std::to_string(whole / 60) + " h " + std::to_string(whole % 60) + " min";
}

} // namespace

std::string progressText(std::uint64_t done, std::uint64_t total, double elapsedSeconds) {
    std::string text = groupedThousands(done) + " of " + groupedThousands(total) + " rows";
    if (done == 0 || done >= total || !(elapsedSeconds > 0))
        return text;
    const double left =
        elapsedSeconds * static_cast<double>(total - done) / static_cast<double>(done);
    return text + ", about " + timeLeft(left) + " left";
}

} // namespace runnelex::report
