// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <string>

#include <QCoreApplication>
#include <QMainWindow>

#include "calc/calc_session.h"
#include "ui/main/main_controls.h"
#include "ui/main/tool_host.h"

class QMenu;

namespace runnelex {

class InfoMenu;
class MessageBoxes;
class ResultsLog;

// The calculator's main window: four numeric boxes with their unit lists, the results, the
// capacity table and the log frame. It owns the calculation session and only draws it: every
// commit, unit choice and record is the session's, and what the session changes is shown here.
class FrmRunnelex : public QMainWindow, public ToolHost, private SessionView {
    Q_OBJECT
public:
    using EndProgram = std::function<void()>;

    // Ends the program at once: the event loop and the loops of any open message box or
    // dialog return, no window is asked first (a window that waits for its open dialog would
    // stop QCoreApplication::quit()).
    static void endEventLoop() { QCoreApplication::exit(0); }

    // `system`: the units the window starts in; US customary is the calculator as laid out.
    FrmRunnelex(MessageBoxes& boxes, ResultsLog& results, InfoMenu& info,
                EndProgram endProgram = &FrmRunnelex::endEventLoop, QWidget* parent = nullptr,
                UnitSystem system = UnitSystem::US);
    ~FrmRunnelex() override;

    // Recomputes and shows every result from the current inputs; records when "Always" is on.
    void DoCalc() { session_.calculate(); }
    // Records the calculation as the window shows it now.
    void writecalcs() { session_.record(); }

    const CalcInputs& calcInputs() const { return session_.inputs(); }
    CalcSession& session() override { return session_; }
    QMenu* toolsMenu() override;
    QWidget* hostWindow() override { return this; }
    bool recordingEnabled() const override;
    int addRecordingListener(std::function<void(bool)> onChange) override;
    void removeRecordingListener(int id) override;
    int addSystemListener(std::function<void(UnitSystem)> onSwitch) override;
    void removeSystemListener(int id) override;

    // Tools > "SI Units": switches between the two unit systems; placed after the tools.
    void addUnitSystemItem();
    // The other unit system, as the menu item does it: held records of the other system are
    // first offered to be saved (they stay held in their own system until cleared); then the
    // lists show the system's units, every box is read again in them and the results
    // recomputed. False when the user kept the system.
    bool switchSystem(UnitSystem system);

signals:
    // Every calculation run has ended (results shown, recorded when "Always" is on).
    void calculationShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Initialize();
    void connectControls();
    void cmdSaveLog_Click();
    void setRecordingEnabled(bool enabled);
    // The unit lists and the units named beside the results, for the session's system.
    void showSystem();
    QLineEdit* box(TextBox which) const;

    // What the session changes, drawn.
    void labelChanged(Label label, const std::string& text) override;
    void textChanged(TextBox which, const std::string& text) override;
    void message(const std::string& prompt) override;
    void recorded(const std::string& record) override;

    MessageBoxes& boxes_;
    ResultsLog& results_;
    InfoMenu& info_;
    EndProgram endProgram_;
    MainControls c_;
    QMenu* tools_ = nullptr;
    QAction* siUnits_ = nullptr;
    CalcSession session_;
    int shownListener_ = -1;
    std::map<int, std::function<void(bool)>> recordingListeners_;
    std::map<int, std::function<void(UnitSystem)>> systemListeners_;
    int nextListener_ = 0; // of both kinds
    bool recording_ = false;
};

} // namespace runnelex
