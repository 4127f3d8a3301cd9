// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "input/calc_entry.h"
#include "report/packed_chunk.h"
#include "report/report_plan.h"
#include "report_window/range_report_controls.h"

class QTimer;

namespace runnelex {

class BackgroundJob;
class MessageBoxes;
class ReportModel;
class SaveDialog;

// The Range Report window: the calculation across ranges of one or two inputs, a row per
// point, as "runnelex-cli report" makes them. The rows are computed on every core off the GUI
// thread and appear as they come; they can be saved as the results file or as CSV, and copied.
class FrmRangeReport final : public QWidget {
    Q_OBJECT
public:
    using EntrySource = std::function<CalcEntry()>;
    // Rows beyond this would not fit a window's memory; the command line writes any number.
    static constexpr std::uint64_t kMaxRows = 10'000'000;
    // A run of more rows asks first, telling the rows and the memory they will take.
    static constexpr std::uint64_t kAskAboveRows = 1'000'000;

    // `mainEntry` gives what the main window shows now; `threads` 0 means one per core.
    FrmRangeReport(MessageBoxes& boxes, SaveDialog& dialog, EntrySource mainEntry,
                   unsigned threads = 0);
    ~FrmRangeReport() override;

    // Puts the entry's texts and units into the fixed inputs, the lists in the entry's system.
    void seed(const CalcEntry& entry);
    // The unit system of the fixed inputs, as the main window switches: the lists show its
    // units at the positions they had, the lengths and flows (fixed and varied) are written
    // again in them, so the report is of the same pipe; the next report is made in it.
    void setSystem(UnitSystem system);
    // The fixed inputs as the boxes show them.
    CalcEntry entry() const;
    // A report, a save or a copy is under way.
    bool busy() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Job { None, Report, Save, Copy };

    void connectControls();
    void cmdRun_Click();
    void cmdCancel_Click();
    void cmdSaveAs_Click();
    void cmdCopy_Click();
    // The varied inputs and their "NAME=VALUES" texts, as the boxes say.
    std::vector<std::pair<report::Input, std::string>> varyTexts() const;
    void updateInputs();
    // "Then vary" offers the inputs of the shape shown but the one "Vary" names.
    void fillThenVary();
    // The texts of `before` (in `from`) written again in the units of the system now shown.
    void convertTexts(const CalcEntry& before, UnitSystem from);
    // What a user reads of the window: an input's name as the lists show it, a refusal in the
    // words of the boxes, and what the shape lacks or does not have.
    QString inputCaption(const report::Input& input) const;
    QString windowMessage(const report::ReportPlan::Error& e) const;
    std::optional<QString> shapeMessage(const std::vector<report::Input>& varied) const;
    std::uint64_t estimatedMegabytes(const report::ReportPlan& plan) const;
    void arrangeColumns(const std::vector<report::Input>& varied);
    void updateButtons();
    void startJob(Job job, std::uint64_t total, std::function<void(const std::atomic<bool>&)> work);
    void pump();
    void jobFinished();
    void showStatus();
    void showFailure(const QString& description);

    MessageBoxes& boxes_;
    SaveDialog& dialog_;
    EntrySource mainEntry_;
    unsigned threads_;
    ReportModel* model_;
    RangeReportControls c_;
    BackgroundJob* job_;
    QTimer* pump_;

    UnitSystem system_ = UnitSystem::US;
    Job running_ = Job::None;
    std::uint64_t total_ = 0; // of the job running
    QString status_;
    std::shared_ptr<const report::ReportPlan> plan_;

    // Handed over from the job's thread.
    std::mutex inboxMutex_;
    std::vector<std::shared_ptr<const report::PackedChunk>> inbox_;
    std::atomic<std::uint64_t> written_{0};
    std::atomic<bool> complete_{false}; // the job's work came to its end
    std::string text_;                  // what a copy made
    std::optional<QString> failure_;    // what stopped the job
    QString savePath_;
};

} // namespace runnelex
