// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Windows API, for the registry and help viewer calls; nothing elsewhere.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif
