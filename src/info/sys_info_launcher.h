// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class QWidget;

namespace runnelex {

class MessageBoxes;
class ProgramHost;
class RegistryApi;

// Finds and starts the operating system's system information tool: first through the two
// registry values that name it, then, where the registry holds neither, through the first
// desktop system information program found on the program path.
class SysInfoLauncher {
public:
    static constexpr std::uint32_t kValueBufferSize = 1024;

    // `desktopTools` are program names tried in order when the registry names no tool.
    SysInfoLauncher(RegistryApi& registry, ProgramHost& programs, MessageBoxes& boxes,
                    QStringList desktopTools = desktopSysInfoTools());

    // Reads value `SubKeyRef` of key `KeyName` under `KeyRoot` into `KeyVal`; true on success.
    // A failure empties `KeyVal`; a value of any type but string or number leaves it unchanged.
    bool GetKeyValue(std::int32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                     QString& KeyVal);

    // Starts the tool, or tells the user it is unavailable; messages are owned by `parent`.
    void StartSysInfo(QWidget* parent);

    // The desktop programs tried on this system, best first.
    static QStringList desktopSysInfoTools();

private:
    bool startFromRegistry(bool& registryNamedTool);
    bool startDesktopTool();

    RegistryApi& registry_;
    ProgramHost& programs_;
    MessageBoxes& boxes_;
    QStringList desktopTools_;
};

} // namespace runnelex
