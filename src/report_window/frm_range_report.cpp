// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_window/frm_range_report.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <variant>

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "platform/message_boxes.h"
#include "report/packed_rows.h"
#include "report/report_entry.h"
#include "report/report_plan.h"
#include "report/report_rows.h"
#include "report_window/background_job.h"
#include "report_window/report_model.h"
#include "results/save_dialog.h"
#include "results/save_text_file.h"

namespace runnelex {

namespace {

constexpr std::uint64_t kChunkRows = 512;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

const QString& tsvFilter() {
    static const QString f = QStringLiteral("tab-separated text file (*.txt)");
    return f;
}
const QString& csvFilter() {
    static const QString f = QStringLiteral("comma-separated values (*.csv)");
    return f;
}

QString rowsText(std::uint64_t n) {
    return qs(std::to_string(n)) + (n == 1 ? QStringLiteral(" row") : QStringLiteral(" rows"));
}

} // namespace

FrmRangeReport::FrmRangeReport(MessageBoxes& boxes, SaveDialog& dialog, EntrySource mainEntry,
                               unsigned threads)
    : QWidget(nullptr, Qt::Window), boxes_(boxes), dialog_(dialog),
      mainEntry_(std::move(mainEntry)),
      threads_(threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency())),
      model_(new ReportModel(this)), c_(buildRangeReportControls(*this, *model_)),
      job_(new BackgroundJob(this)), pump_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmRangeReport"));
    setWindowTitle(QStringLiteral("Runnelex Range Report"));
    // New rows reach the table ten times a second: each time the view lays out and repaints,
    // which costs the GUI thread a few milliseconds; more often would take time from the rows.
    pump_->setInterval(100);
    connectControls();
    seed(CalcEntry{});
    updateButtons();
    showStatus();
    resize(1000, 640);
}

FrmRangeReport::~FrmRangeReport() {
    job_->stop(); // before the rows and the plan it reads go
}

void FrmRangeReport::connectControls() {
    for (QLineEdit* e :
         {c_.txtPipeID, c_.txtDiam, c_.txtSlope, c_.txtQinput, c_.txtM, c_.txtVary1, c_.txtVary2})
        connect(e, &QLineEdit::textChanged, this, &FrmRangeReport::updateInputs);
    for (QComboBox* combo : {c_.cmbUnDiam, c_.cmbUnSlope, c_.cmbUnFlo, c_.cmbVary1, c_.cmbVary2})
        connect(combo, &QComboBox::currentIndexChanged, this, &FrmRangeReport::updateInputs);
    for (QLineEdit* e : {c_.txtVary1, c_.txtVary2})
        connect(e, &QLineEdit::returnPressed, this, [this] {
            if (!busy())
                cmdRun_Click();
        });
    connect(c_.cmdFromMain, &QPushButton::clicked, this, [this] { seed(mainEntry_()); });
    connect(c_.cmdRun, &QPushButton::clicked, this, &FrmRangeReport::cmdRun_Click);
    connect(c_.cmdCancel, &QPushButton::clicked, this, &FrmRangeReport::cmdCancel_Click);
    connect(c_.cmdSaveAs, &QPushButton::clicked, this, &FrmRangeReport::cmdSaveAs_Click);
    connect(c_.cmdCopy, &QPushButton::clicked, this, &FrmRangeReport::cmdCopy_Click);
    connect(c_.cmdClose, &QPushButton::clicked, this, &QWidget::close);

    // Ctrl+C in the table copies the selected rows, not only the current cell.
    auto* copy = new QAction(c_.grdRows);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    c_.grdRows->addAction(copy);
    connect(copy, &QAction::triggered, this, [this] {
        if (c_.cmdCopy->isEnabled())
            cmdCopy_Click();
    });
    connect(c_.grdRows->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FrmRangeReport::updateButtons);
    connect(job_, &BackgroundJob::finished, this, &FrmRangeReport::jobFinished);
    connect(pump_, &QTimer::timeout, this, &FrmRangeReport::pump);
}

void FrmRangeReport::seed(const CalcEntry& e) {
    c_.txtPipeID->setText(qs(e.pipe));
    c_.txtDiam->setText(qs(e.diam));
    c_.txtSlope->setText(qs(e.slope));
    c_.txtQinput->setText(qs(e.flow));
    c_.txtM->setText(qs(e.n));
    c_.cmbUnDiam->setCurrentIndex(std::clamp(e.diamUnit, 0, c_.cmbUnDiam->count() - 1));
    c_.cmbUnSlope->setCurrentIndex(std::clamp(e.slopeUnit, 0, c_.cmbUnSlope->count() - 1));
    c_.cmbUnFlo->setCurrentIndex(std::clamp(e.flowUnit, 0, c_.cmbUnFlo->count() - 1));
    updateInputs();
}

CalcEntry FrmRangeReport::entry() const {
    CalcEntry e;
    e.pipe = text(c_.txtPipeID);
    e.diam = text(c_.txtDiam);
    e.slope = text(c_.txtSlope);
    e.flow = text(c_.txtQinput);
    e.n = text(c_.txtM);
    e.diamUnit = c_.cmbUnDiam->currentIndex();
    e.slopeUnit = c_.cmbUnSlope->currentIndex();
    e.flowUnit = c_.cmbUnFlo->currentIndex();
    return e;
}

bool FrmRangeReport::busy() const {
    return running_ != Job::None;
}

std::vector<std::pair<int, std::string>> FrmRangeReport::varyTexts() const {
    // The lists hold the inputs in the order of report::Input; the second starts with "(none)".
    std::vector<std::pair<int, std::string>> ranges;
    const auto add = [&](const QComboBox* list, const QLineEdit* values, int offset) {
        const int input = list->currentIndex() - offset;
        if (input >= 0)
            ranges.emplace_back(input,
                                list->currentData().toString().toStdString() + "=" + text(values));
    };
    add(c_.cmbVary1, c_.txtVary1, 0);
    add(c_.cmbVary2, c_.txtVary2, 1);
    return ranges;
}

void FrmRangeReport::updateInputs() {
    std::vector<report::Input> varied;
    std::vector<std::string> ranges;
    for (const auto& [input, written] : varyTexts()) {
        varied.push_back(static_cast<report::Input>(input));
        ranges.push_back(written);
    }
    // A varied input takes its values from the range: its fixed box has nothing to say.
    const std::pair<report::Input, QLineEdit*> boxes[] = {{report::Input::Diam, c_.txtDiam},
                                                          {report::Input::Slope, c_.txtSlope},
                                                          {report::Input::Flow, c_.txtQinput},
                                                          {report::Input::N, c_.txtM}};
    for (const auto& [input, box] : boxes)
        box->setEnabled(std::find(varied.begin(), varied.end(), input) == varied.end());
    c_.txtVary2->setEnabled(c_.cmbVary2->currentIndex() > 0);
    c_.txtCommand->setText(
        qs(report::reportCommandLine(report::requestFromEntry(entry(), varied), ranges)));
    c_.txtCommand->setCursorPosition(0);
}

void FrmRangeReport::updateButtons() {
    const bool idle = !busy();
    c_.cmdRun->setEnabled(idle);
    c_.cmdCancel->setEnabled(!idle);
    c_.cmdSaveAs->setEnabled(idle && model_->rowCount() > 0);
    c_.cmdCopy->setEnabled(idle && c_.grdRows->selectionModel()->hasSelection());
}

void FrmRangeReport::cmdRun_Click() {
    if (busy())
        return;
    // Every text is checked as the command line checks it, before any row is made.
    std::vector<report::Vary> vary;
    std::vector<report::Input> varied;
    for (const auto& written : varyTexts()) {
        auto v = report::ReportPlan::parseVary(written.second);
        if (const auto* e = std::get_if<report::ReportPlan::Error>(&v)) {
            boxes_.show(this, qs(e->what));
            return;
        }
        varied.push_back(std::get<report::Vary>(v).input);
        vary.push_back(std::get<report::Vary>(std::move(v)));
    }
    auto made =
        report::ReportPlan::make(report::requestFromEntry(entry(), varied), std::move(vary));
    if (const auto* e = std::get_if<report::ReportPlan::Error>(&made)) {
        boxes_.show(this, qs(e->what));
        return;
    }
    auto plan =
        std::make_shared<const report::ReportPlan>(std::get<report::ReportPlan>(std::move(made)));
    if (plan->rowCount() > kMaxRows) {
        boxes_.show(this, qs("The report would have " + std::to_string(plan->rowCount()) +
                             " rows; this window holds at most " + std::to_string(kMaxRows) +
                             ". \"runnelex-cli report\" (the command line shown) writes any "
                             "number of rows."));
        return;
    }
    plan_ = plan;
    model_->reset(plan);
    {
        std::lock_guard lock(inboxMutex_);
        inbox_.clear();
    }
    startJob(Job::Report, plan->rowCount(), [this, plan](const std::atomic<bool>& cancel) {
        complete_ = report::computeRows<report::PackedChunk>(
            *plan, threads_, kChunkRows, &cancel, {}, [this](report::PackedChunk&& chunk) {
                auto shared = std::make_shared<const report::PackedChunk>(std::move(chunk));
                std::lock_guard lock(inboxMutex_);
                inbox_.push_back(std::move(shared));
                return true;
            });
    });
}

void FrmRangeReport::cmdCancel_Click() {
    job_->cancel();
}

void FrmRangeReport::cmdSaveAs_Click() {
    if (busy() || model_->rowCount() == 0)
        return;
    std::optional<SaveDialogChoice> choice;
    try {
        const SaveDialogRequest request{saveDialogDirectory(),
                                        {tsvFilter(), csvFilter(), QStringLiteral("All files (*)")},
                                        tsvFilter(),
                                        QStringLiteral("txt")};
        choice = dialog_.chooseSaveFileAndFilter(this, request);
    } catch (const std::exception& e) {
        showFailure(QString::fromUtf8(e.what()));
        return;
    }
    if (!choice)
        return; // cancelled: nothing is written
    const report::Format format =
        choice->nameFilter == csvFilter() ? report::Format::Csv : report::Format::Tsv;
    savePath_ = choice->path;
    // A copy of the rows shares their chunks: the thread reads them while the window shows them.
    auto rows = std::make_shared<const report::PackedRows>(model_->rows());
    startJob(
        Job::Save, rows->size(),
        [this, rows, plan = plan_, format, path = choice->path](const std::atomic<bool>& cancel) {
            std::string out;
            if (!report::writeRows(format, *plan, *rows, {{0, rows->size() - 1}}, true, out, cancel,
                                   written_))
                return;
            failure_ = saveTextFile(
                path, QByteArray::fromRawData(out.data(), static_cast<qsizetype>(out.size())));
            complete_ = !failure_;
        });
}

void FrmRangeReport::cmdCopy_Click() {
    if (busy())
        return;
    std::vector<report::RowRange> ranges;
    for (const QItemSelectionRange& r : c_.grdRows->selectionModel()->selection())
        ranges.push_back(
            {static_cast<std::uint64_t>(r.top()), static_cast<std::uint64_t>(r.bottom())});
    ranges = report::mergedRanges(std::move(ranges));
    std::uint64_t total = 0;
    for (const report::RowRange& r : ranges)
        total += r.last - r.first + 1;
    if (total == 0)
        return;
    auto rows = std::make_shared<const report::PackedRows>(model_->rows());
    text_.clear();
    startJob(Job::Copy, total, [this, rows, plan = plan_, ranges](const std::atomic<bool>& cancel) {
        complete_ = report::writeRows(report::Format::Tsv, *plan, *rows, ranges, false, text_,
                                      cancel, written_);
    });
}

void FrmRangeReport::startJob(Job job, std::uint64_t total,
                              std::function<void(const std::atomic<bool>&)> work) {
    running_ = job;
    total_ = total;
    written_ = 0;
    complete_ = false;
    failure_.reset();
    c_.prgReport->setRange(0, static_cast<int>(std::min<std::uint64_t>(total, kMaxRows)));
    c_.prgReport->setValue(0);
    job_->start([this, work = std::move(work)](const std::atomic<bool>& cancel) {
        try {
            work(cancel);
        } catch (const std::exception& e) { // out of memory, at worst: reported, not fatal
            failure_ = QString::fromUtf8(e.what());
        }
    });
    pump_->start();
    updateButtons();
    showStatus();
}

void FrmRangeReport::pump() {
    std::vector<std::shared_ptr<const report::PackedChunk>> arrived;
    {
        std::lock_guard lock(inboxMutex_);
        arrived.swap(inbox_);
    }
    model_->append(arrived);
    showStatus();
}

void FrmRangeReport::jobFinished() {
    pump_->stop();
    const Job job = running_;
    running_ = Job::None;
    pump();
    const report::PackedRows& rows = model_->rows();
    const QString counts = QStringLiteral(", ") + qs(std::to_string(rows.surcharged())) +
                           QStringLiteral(" surcharged, ") + qs(std::to_string(rows.faulted())) +
                           QStringLiteral(" faulted");
    switch (job) {
    case Job::Report:
        status_ = complete_ ? rowsText(rows.size()) + counts
                            : QStringLiteral("Stopped after ") + qs(std::to_string(rows.size())) +
                                  QStringLiteral(" of ") + rowsText(total_) + counts;
        if (failure_)
            boxes_.show(this, QStringLiteral("The report stopped: ") + *failure_);
        break;
    case Job::Save:
        // Whether the file was written, even when a cancel came after that.
        if (complete_) {
            status_ =
                QStringLiteral("Saved ") + rowsText(total_) + QStringLiteral(" to ") + savePath_;
        } else if (failure_) {
            status_ = QStringLiteral("Not saved");
            showFailure(*failure_);
        } else {
            status_ = QStringLiteral("Not saved: cancelled");
        }
        break;
    case Job::Copy:
        if (complete_) {
            QGuiApplication::clipboard()->setText(qs(text_));
            status_ = QStringLiteral("Copied ") + rowsText(total_);
        } else if (failure_) {
            status_ = QStringLiteral("Not copied: ") + *failure_;
        }
        text_ = std::string();
        break;
    case Job::None:
        break;
    }
    updateButtons();
    showStatus();
}

void FrmRangeReport::showStatus() {
    const std::uint64_t done = running_ == Job::Report ? model_->rows().size() : written_.load();
    if (busy()) {
        const char* doing = running_ == Job::Report ? "Computing "
                            : running_ == Job::Save ? "Saving "
                                                    : "Copying ";
        c_.lblStatus->setText(QString::fromUtf8(doing) + qs(std::to_string(done)) +
                              QStringLiteral(" of ") + rowsText(total_));
        c_.prgReport->setValue(static_cast<int>(std::min(done, total_)));
    } else {
        c_.lblStatus->setText(status_);
    }
}

void FrmRangeReport::showFailure(const QString& description) {
    boxes_.show(this, QStringLiteral(
                          "Unable to Open File (already open?). Please try a different name. (") +
                          description + QLatin1Char(')'));
}

void FrmRangeReport::closeEvent(QCloseEvent* event) {
    if (busy()) { // stopped here and now: no thread outlives the window's use
        job_->stop();
        jobFinished();
    }
    event->accept();
}

} // namespace runnelex
