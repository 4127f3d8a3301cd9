// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/info_windows.h"

#include <QWidget>

#include <utility>

#include "info/frm_about_runnelex.h"
#include "info/frm_kelvara.h"
#include "info/frm_runnelex_updates.h"
#include "info/help_viewer.h"
#include "info/program_host.h"
#include "info/registry_api.h"

namespace runnelex {

struct InfoWindows::SystemServices {
    std::unique_ptr<RegistryApi> registry = makeSystemRegistry();
    QtProgramHost programs;
    std::unique_ptr<HelpViewer> help = makeSystemHelpViewer();
};

namespace {
// Shows a window modeless; one already on screen is only brought forward.
void present(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

InfoWindows::InfoWindows(MessageBoxes& boxes)
    : InfoWindows(boxes, std::make_unique<SystemServices>()) {}

InfoWindows::InfoWindows(MessageBoxes& boxes, std::unique_ptr<SystemServices> services)
    : system_(std::move(services)), help_(*system_->help),
      launcher_(*system_->registry, system_->programs, boxes) {}

InfoWindows::InfoWindows(MessageBoxes& boxes, RegistryApi& registry, ProgramHost& programs,
                         HelpViewer& help)
    : help_(help), launcher_(registry, programs, boxes) {}

// The windows use this object's services, so they go with it even when the owner lives on.
InfoWindows::~InfoWindows() {
    delete about_.data();
    delete updates_.data();
    delete maker_.data();
}

void InfoWindows::setOwner(QWidget* owner) {
    owner_ = owner;
}

void InfoWindows::mnuHelp4Runnelex_Click() {
    help_.showHelp(owner_.data());
}

void InfoWindows::mnuAbout_Runnelex_Click() {
    // Shown as soon as it is made, the About window is hidden only while it unloads.
    if (!about_ || !about_->isVisible()) {
        if (about_) {
            about_->deleteLater();
        }
        about_ = new frmAboutRunnelex(launcher_, owner_.data());
    }
    present(about_);
}

void InfoWindows::mnuRunnelex_Updates_Click() {
    if (!updates_) {
        updates_ = new frmRunnelexUpdates(owner_.data());
    }
    present(updates_);
}

void InfoWindows::mnuKelvara_Click() {
    if (!maker_) {
        maker_ = new frmKelvara(owner_.data());
    }
    present(maker_);
}

frmAboutRunnelex* InfoWindows::aboutWindow() const {
    return about_.data();
}
frmRunnelexUpdates* InfoWindows::updatesWindow() const {
    return updates_.data();
}
frmKelvara* InfoWindows::makerWindow() const {
    return maker_.data();
}

} // namespace runnelex
