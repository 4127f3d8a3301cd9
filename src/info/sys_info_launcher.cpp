// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/sys_info_launcher.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <utility>

#include "info/program_host.h"
#include "info/registry_api.h"
#include "platform/message_boxes.h"

namespace runnelex {

namespace {

const char* const kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kToolValue = "PATH";
const char* const kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kFolderValue = "MSINFO";
const char* const kToolFile = "\\MSINFO32.EXE";
const char* const kUnavailable = "System Information Is Unavailable At This Time";

std::string ansi(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// A 32-bit number is stored least significant byte first; bytes past `count` are zero.
QString numberText(const unsigned char* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = std::min<std::size_t>(count, 4); i-- > 0;) {
        value = (value << 8) | bytes[i];
    }
    return QString::number(value);
}

} // namespace

SysInfoLauncher::SysInfoLauncher(RegistryApi& registry, ProgramHost& programs, MessageBoxes& boxes,
                                 QStringList desktopTools)
    : registry_(registry), programs_(programs), boxes_(boxes),
      desktopTools_(std::move(desktopTools)) {}

QStringList SysInfoLauncher::desktopSysInfoTools() {
#ifdef _WIN32
    return {};
#else
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor")};
#endif
}

bool SysInfoLauncher::GetKeyValue(std::int32_t KeyRoot, const QString& KeyName,
                                  const QString& SubKeyRef, QString& KeyVal) {
    RegKeyHandle key = 0;
    const auto fail = [&] {
        KeyVal.clear();
        registry_.closeKey(key); // also after a failed open, with the handle still 0
        return false;
    };
    if (registry_.openKey(KeyRoot, ansi(KeyName), 0, kKeyRead, key) != kErrorSuccess) {
        return fail();
    }
    std::array<unsigned char, kValueBufferSize> buffer{};
    std::uint32_t size = kValueBufferSize;
    std::uint32_t type = 0;
    if (registry_.queryValue(key, ansi(SubKeyRef), type, buffer.data(), size) != kErrorSuccess) {
        return fail();
    }
    size = std::min(size, kValueBufferSize);
    // A string value usually counts its terminating zero; one stored without it does not.
    const std::size_t kept = size > 0 && buffer[size - 1] == 0 ? size - 1 : size;
    if (type == kRegSz) {
        KeyVal = QString::fromLocal8Bit(reinterpret_cast<const char*>(buffer.data()),
                                        static_cast<qsizetype>(kept));
    } else if (type == kRegDword) {
        KeyVal = numberText(buffer.data(), kept);
    }
    registry_.closeKey(key);
    return true;
}

void SysInfoLauncher::StartSysInfo(QWidget* parent) {
    bool registryNamedTool = false;
    if (startFromRegistry(registryNamedTool)) {
        return;
    }
    if (!registryNamedTool && startDesktopTool()) {
        return;
    }
    boxes_.show(parent, QString::fromLatin1(kUnavailable));
}

bool SysInfoLauncher::startFromRegistry(bool& registryNamedTool) {
    QString path;
    if (GetKeyValue(kHkeyLocalMachine, QString::fromLatin1(kToolKey),
                    QString::fromLatin1(kToolValue), path)) {
        // Started as read: a missing program there shows as a failed start.
        registryNamedTool = true;
        return programs_.start(path, {});
    }
    if (!GetKeyValue(kHkeyLocalMachine, QString::fromLatin1(kFolderKey),
                     QString::fromLatin1(kFolderValue), path)) {
        return false;
    }
    registryNamedTool = true;
    path += QString::fromLatin1(kToolFile);
    return programs_.fileExists(path) && programs_.start(path, {});
}

bool SysInfoLauncher::startDesktopTool() {
    for (const QString& name : desktopTools_) {
        const QString program = programs_.findOnPath(name);
        if (!program.isEmpty()) {
            return programs_.start(program, {});
        }
    }
    return false;
}

} // namespace runnelex
