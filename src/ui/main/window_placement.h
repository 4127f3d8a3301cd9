// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QWidget;

namespace runnelex {

// Room kept for a window's title bar and borders while the window system has not framed it
// yet (before it is first shown a window's frame is its inside).
inline constexpr int kTitleBarAllowance = 40;
inline constexpr int kBorderAllowance = 8;

// `preferred`, made no larger than the free room of the screen `window` is on, less its frame:
// a window opened at this size fits the screen with its title bar.
QSize fittedSize(const QWidget& window, QSize preferred);

// Sizes `window` to `preferred` as fittedSize gives it and puts it to the right of `main`, else
// to its left, narrowed to the room there (never below what its controls need); with no room on
// either side, at the screen's right edge. The top follows the main window's, inside the screen.
void placeBeside(QWidget& window, const QWidget& main, QSize preferred);

} // namespace runnelex
