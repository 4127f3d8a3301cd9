// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pictures compiled into the program.
namespace runnelex {
// The program icon, 256 x 256 pixels.
inline constexpr const char* kProgramIconResource = ":/runnelex/icons/runnelex.png";
// The maker window's picture.
inline constexpr const char* kMakerPictureResource = ":/runnelex/images/kelvara.jpg";
} // namespace runnelex
