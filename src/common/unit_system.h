// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace runnelex {

// The unit systems a calculation can be made in: US customary (ft, ft/ft, cfs; Manning's 1.486;
// g 32.2 ft/s^2) and SI (m, m/m, m3/s; Manning's 1; g 9.80665 m/s^2).
enum class UnitSystem { US, SI };

} // namespace runnelex
