// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The results window's layout in the window's own units, measured from the interior's top left
// corner. At the design size the interior is 9795 x 5475 twips, that is 100.05 x 54.75 units.
namespace runnelex::results_layout {

inline constexpr double kDesignWidth = 100.05;
inline constexpr double kDesignHeight = 54.75;
inline constexpr double kTwipsPerUnitX = 9795.0 / kDesignWidth; // about 97.9
inline constexpr double kTwipsPerUnitY = 100.0;
inline constexpr double kTwipsPerInch = 1440.0; // 15 twips per pixel at 96 dpi

// The smallest interior the window takes: the three buttons whole, beside a box 24 units wide.
inline constexpr double kMinimumWidth = 16 + 24;
inline constexpr double kMinimumHeight = 28 + 9.04 + 1.5;

struct Rect {
    double left = 0, top = 0, width = 0, height = 0;
};

struct Layout {
    Rect text, save, clear, close;
};

// The text box follows the interior of W x H units; the buttons form a column 1.5 units right
// of it at fixed tops. The box is 0.98 H high but never reaches closer than 1.5 units to the
// bottom edge (at the design size 0.98 H would run 0.4 units past it). A window 16 units wide
// or narrower (or minimised) gets a text box of no width with the buttons beside it, instead
// of negative sizes.
Layout layoutFor(double width, double height);

// Pixels per unit at a screen's logical dots per inch.
inline double pixelsPerUnitX(double logicalDpiX) {
    return kTwipsPerUnitX * logicalDpiX / kTwipsPerInch;
}
inline double pixelsPerUnitY(double logicalDpiY) {
    return kTwipsPerUnitY * logicalDpiY / kTwipsPerInch;
}

} // namespace runnelex::results_layout
