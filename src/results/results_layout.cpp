// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_layout.h"

#include <algorithm>

namespace runnelex::results_layout {

namespace {
constexpr double kMargin = 1.5;
constexpr double kButtonWidth = 12.14;
constexpr double kButtonHeight = 9.04;
} // namespace

Layout layoutFor(double width, double height) {
    Layout l;
    l.text = {kMargin, kMargin, std::max(0.0, width - 16),
              std::max(0.0, std::min(0.98 * height, height - 2 * kMargin))};
    // W - 13 at every width above 16 units.
    const double buttonLeft = l.text.left + l.text.width + kMargin;
    l.save = {buttonLeft, 2, kButtonWidth, kButtonHeight};
    l.clear = {buttonLeft, 14.995, kButtonWidth, kButtonHeight};
    l.close = {buttonLeft, 28, kButtonWidth, kButtonHeight};
    return l;
}

} // namespace runnelex::results_layout
