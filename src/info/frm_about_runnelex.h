// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "info/info_dialog.h"

class QLabel;
class QPushButton;

namespace runnelex {

class SysInfoLauncher;

// The About window: title, version, notices and the system information button. Closing it in
// any way unloads it, so each opening loads it anew.
class frmAboutRunnelex final : public InfoDialog {
    Q_OBJECT
public:
    frmAboutRunnelex(SysInfoLauncher& launcher, QWidget* owner);

    void StartSysInfo();

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    SysInfoLauncher& launcher_;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

} // namespace runnelex
