// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include <memory>

#include "info/info_menu.h"
#include "info/sys_info_launcher.h"

class QWidget;

namespace runnelex {

class HelpViewer;
class MessageBoxes;
class ProgramHost;
class RegistryApi;
class frmAboutRunnelex;
class frmKelvara;
class frmRunnelexUpdates;

// The Help menu's windows and help request. Every window is modeless and belongs to the owner
// window; the updates and maker windows are made once and then only hidden and shown again,
// the About window is made anew after each unload.
class InfoWindows final : public InfoMenu {
public:
    // With the registry, programs and help of the system the program runs on.
    explicit InfoWindows(MessageBoxes& boxes);
    // With the given platform services, which must outlive this object.
    InfoWindows(MessageBoxes& boxes, RegistryApi& registry, ProgramHost& programs,
                HelpViewer& help);
    ~InfoWindows() override;
    InfoWindows(const InfoWindows&) = delete;
    InfoWindows& operator=(const InfoWindows&) = delete;

    // The window the information windows belong to; set before the first menu action.
    void setOwner(QWidget* owner);

    void mnuHelp4Runnelex_Click() override;
    void mnuAbout_Runnelex_Click() override;
    void mnuRunnelex_Updates_Click() override;
    void mnuKelvara_Click() override;

    // The windows as they are now; null when not loaded.
    frmAboutRunnelex* aboutWindow() const;
    frmRunnelexUpdates* updatesWindow() const;
    frmKelvara* makerWindow() const;

private:
    struct SystemServices;
    InfoWindows(MessageBoxes& boxes, std::unique_ptr<SystemServices> services);

    std::unique_ptr<SystemServices> system_;
    HelpViewer& help_;
    SysInfoLauncher launcher_;
    QPointer<QWidget> owner_;
    QPointer<frmAboutRunnelex> about_;
    QPointer<frmRunnelexUpdates> updates_;
    QPointer<frmKelvara> maker_;
};

} // namespace runnelex
