// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
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

// Where the main window shows its results, on the screen: its capacity table and results
// frame (the whole window when it has neither).
QRect resultsArea(const QWidget& main);

// Sizes `window` to `preferred` as fittedSize gives it and puts it where it leaves `main` in
// view: to its right, else to its left, narrowed to the room there (never below what its
// controls need). Without room on either side, where it leaves the main window's results in
// view: beside them, else below or above them, over the main window's other controls. With
// no such room either, as narrow as it may be against the screen's right edge, at the main
// window's top or, made as low as it may be, at the bottom, whichever covers less of the
// results. The top follows the main
// window's, inside the screen. `least`, when given, is the smallest size the window takes in a
// place beside (the results window's whole record line), instead of what its controls need.
void placeBeside(QWidget& window, const QWidget& main, QSize preferred, QSize least = {});

} // namespace runnelex
