// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/main/tool_host.h"

namespace runnelex {

class FrmSections;

// What the picture window needs to follow the sections window's calculation instead of the
// main window's: that window's session and place on screen; the menu, logging and the unit
// system's switches are the main window's.
class SectionHost final : public ToolHost {
public:
    SectionHost(ToolHost& main, FrmSections& window) : main_(main), window_(window) {}

    CalcSession& session() override;
    QMenu* toolsMenu() override { return main_.toolsMenu(); }
    QWidget* hostWindow() override;
    bool recordingEnabled() const override { return main_.recordingEnabled(); }
    int addRecordingListener(std::function<void(bool)> onChange) override {
        return main_.addRecordingListener(std::move(onChange));
    }
    void removeRecordingListener(int id) override { main_.removeRecordingListener(id); }
    int addSystemListener(std::function<void(UnitSystem)> onSwitch) override {
        return main_.addSystemListener(std::move(onSwitch));
    }
    void removeSystemListener(int id) override { main_.removeSystemListener(id); }

private:
    ToolHost& main_;
    FrmSections& window_;
};

} // namespace runnelex
