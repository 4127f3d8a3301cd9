// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include <QCoreApplication>
#include <QMainWindow>

class QMenu;

#include "calc/calc_entry.h"
#include "calc/calc_inputs.h"
#include "engine/hydrocalc.h"
#include "input/entry_check.h"
#include "ui/main/main_controls.h"

namespace runnelex {

class InfoMenu;
class MessageBoxes;
class ResultsLog;

// The calculator's main window: four numeric boxes with their unit lists, the results, the
// capacity table and the log frame. Every accepted entry and every unit choice recomputes.
class FrmRunnelex : public QMainWindow {
    Q_OBJECT
public:
    using EndProgram = std::function<void()>;

    // Ends the program at once: the event loop and the loops of any open message box or
    // dialog return, no window is asked first (a window that waits for its open dialog would
    // stop QCoreApplication::quit()).
    static void endEventLoop() { QCoreApplication::exit(0); }

    FrmRunnelex(MessageBoxes& boxes, ResultsLog& results, InfoMenu& info,
                EndProgram endProgram = &FrmRunnelex::endEventLoop, QWidget* parent = nullptr);
    ~FrmRunnelex() override;

    // Recomputes and shows every result from the current inputs; records when "Always" is on.
    void DoCalc();
    // Records the calculation as the window shows it now.
    void writecalcs();

    const CalcInputs& calcInputs() const { return in_; }
    // The texts of the boxes and the positions of the unit lists, as shown now.
    CalcEntry currentEntry() const;
    // The menu of the windows added beside the calculator ("&Tools", after "&Help"), made on
    // first use.
    QMenu* toolsMenu();

signals:
    // Every calculation run has ended (results shown, recorded when "Always" is on).
    void calculationShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Initialize();
    void connectControls();
    void checkEntry(entry::Box box, QLineEdit* edit);
    void cmbUnDiam_Click();
    void cmbUnSlope_Click();
    void cmbUnFlo_Click();
    // Runs a unit list's selection, then the calculation.
    void unitChanged(const std::function<void()>& select);
    void cmdSaveLog_Click();
    void cmdSaveNow_Click();
    void setRecordingEnabled(bool enabled);
    void setLabel(const std::string& name, const std::string& text);
    void showMessage(const std::string& prompt);
    hydrocalc::Notify notifier();

    MessageBoxes& boxes_;
    ResultsLog& results_;
    InfoMenu& info_;
    EndProgram endProgram_;
    MainControls c_;
    QMenu* tools_ = nullptr;
    CalcInputs in_;
};

} // namespace runnelex
