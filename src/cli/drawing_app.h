// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class QApplication;

namespace runnelex::cli {

// The application object a command of the drawing helper draws under: the offscreen platform,
// which draws everything a screen would without one, and Qt's notes about the display it does
// not have (no runtime folder, window features) kept off standard error.
std::unique_ptr<QApplication> startDrawing();

} // namespace runnelex::cli
