// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace runnelex {

class DocumentOpener;

// The help file of the Windows help viewer and the command that makes the viewer show it.
inline constexpr const char* kHelpFile = "c:\\program files\\runnelex\\hrunnelex.hlp";
inline constexpr unsigned kHelpForceFile = 9;

// Shows the program's help. Never reports anything: a help that cannot be shown is silent.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showHelp(QWidget* owner) = 0;
};

#ifdef _WIN32
// The Windows help viewer with the fixed help file; the viewer reports a missing file itself.
class WindowsHelpViewer final : public HelpViewer {
public:
    void showHelp(QWidget* owner) override;
};
#endif

// Opens the HTML help document shipped with the program in the desktop's browser.
class BrowserHelpViewer final : public HelpViewer {
public:
    // An empty `applicationDir` stands for the folder of the running program.
    explicit BrowserHelpViewer(std::unique_ptr<DocumentOpener> opener, QString applicationDir = {});
    ~BrowserHelpViewer() override;
    void showHelp(QWidget* owner) override;

private:
    std::unique_ptr<DocumentOpener> opener_;
    QString applicationDir_;
};

// The help of the system the program runs on.
std::unique_ptr<HelpViewer> makeSystemHelpViewer();

} // namespace runnelex
