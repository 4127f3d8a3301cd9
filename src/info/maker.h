// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The maker's addresses, shown by the information windows.
namespace runnelex::maker {
inline constexpr const char* kWebAddress = "https://www.kelvara.example/";
inline constexpr const char* kMailAddress = "runnelex@kelvara.example";
} // namespace runnelex::maker
