// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace runnelex {

// A key handle as the registry hands it out; 0 is "no key".
using RegKeyHandle = std::uintptr_t;

// The machine-wide root as a 32-bit handle value (HKEY_LOCAL_MACHINE).
inline constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
// Read access (KEY_READ). Full access (KEY_ALL_ACCESS, 0x2003F) is refused to ordinary users
// on machine-wide keys, and reading is all the lookups do.
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorMoreData = 234;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

// The three advapi32 calls the system information lookup needs, in their ANSI forms. Each
// returns the registry's own status: 0 on success, a Windows error code otherwise.
class RegistryApi {
public:
    virtual ~RegistryApi() = default;
    // RegOpenKeyExA: `key` receives the opened handle (0 when the open fails).
    virtual long openKey(std::int32_t root, const std::string& subKey, std::uint32_t options,
                         std::uint32_t access, RegKeyHandle& key) = 0;
    // RegQueryValueExA: `size` holds the buffer's size on entry and the bytes returned on exit.
    virtual long queryValue(RegKeyHandle key, const std::string& valueName, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& size) = 0;
    // RegCloseKey.
    virtual long closeKey(RegKeyHandle key) = 0;
};

// A registry without any key: what a system without a registry looks like.
class EmptyRegistryApi final : public RegistryApi {
public:
    long openKey(std::int32_t root, const std::string& subKey, std::uint32_t options,
                 std::uint32_t access, RegKeyHandle& key) override;
    long queryValue(RegKeyHandle key, const std::string& valueName, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& size) override;
    long closeKey(RegKeyHandle key) override;
};

#ifdef _WIN32
// The Windows registry through advapi32.
class WindowsRegistryApi final : public RegistryApi {
public:
    long openKey(std::int32_t root, const std::string& subKey, std::uint32_t options,
                 std::uint32_t access, RegKeyHandle& key) override;
    long queryValue(RegKeyHandle key, const std::string& valueName, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& size) override;
    long closeKey(RegKeyHandle key) override;
};
#endif

// The registry of the system the program runs on.
std::unique_ptr<RegistryApi> makeSystemRegistry();

} // namespace runnelex
