// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/registry_api.h"

#include "info/windows_headers.h"

namespace runnelex {

long EmptyRegistryApi::openKey(std::int32_t, const std::string&, std::uint32_t, std::uint32_t,
                               RegKeyHandle& key) {
    key = 0;
    return kErrorFileNotFound;
}

long EmptyRegistryApi::queryValue(RegKeyHandle, const std::string&, std::uint32_t&, unsigned char*,
                                  std::uint32_t&) {
    return kErrorFileNotFound;
}

long EmptyRegistryApi::closeKey(RegKeyHandle) {
    return kErrorSuccess;
}

#ifdef _WIN32
namespace {
// Predefined roots are 32-bit values sign-extended to the pointer width.
HKEY rootHandle(std::int32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(root)));
}
} // namespace

long WindowsRegistryApi::openKey(std::int32_t root, const std::string& subKey,
                                 std::uint32_t options, std::uint32_t access, RegKeyHandle& key) {
    HKEY opened = nullptr;
    const LSTATUS status =
        ::RegOpenKeyExA(rootHandle(root), subKey.c_str(), static_cast<DWORD>(options),
                        static_cast<REGSAM>(access), &opened);
    key = status == ERROR_SUCCESS ? reinterpret_cast<RegKeyHandle>(opened) : 0;
    return status;
}

long WindowsRegistryApi::queryValue(RegKeyHandle key, const std::string& valueName,
                                    std::uint32_t& type, unsigned char* data, std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD bytes = static_cast<DWORD>(size);
    const LSTATUS status = ::RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(),
                                              nullptr, &valueType, data, &bytes);
    type = static_cast<std::uint32_t>(valueType);
    size = static_cast<std::uint32_t>(bytes);
    return status;
}

long WindowsRegistryApi::closeKey(RegKeyHandle key) {
    return ::RegCloseKey(reinterpret_cast<HKEY>(key));
}

std::unique_ptr<RegistryApi> makeSystemRegistry() {
    return std::make_unique<WindowsRegistryApi>();
}
#else
std::unique_ptr<RegistryApi> makeSystemRegistry() {
    return std::make_unique<EmptyRegistryApi>();
}
#endif

} // namespace runnelex
