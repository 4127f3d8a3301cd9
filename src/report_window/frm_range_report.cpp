// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_window/frm_range_report.h"

#include <algorithm>
#include <exception>
#include <span>
#include <thread>
#include <tuple>
#include <variant>

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>

#include "calc/request_law.h"
#include "common/words.h"
#include "input/system_switch.h"
#include "input/units.h"
#include "platform/message_boxes.h"
#include "report/packed_chunk.h"
#include "report/packed_rows.h"
#include "report/report_entry.h"
#include "report/report_plan.h"
#include "report/report_rows.h"
#include "report_window/background_job.h"
#include "report_window/report_model.h"
#include "results/record.h"
#include "results/save_dialog.h"
#include "results/save_text_file.h"
#include "results/table_save.h"

namespace runnelex {

namespace {

constexpr std::uint64_t kChunkRows = 512;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
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
    fillThenVary();
    seed(CalcEntry{});
    updateButtons();
    showStatus();
    resize(1000, 640);
}

FrmRangeReport::~FrmRangeReport() {
    job_->stop(); // before the rows and the plan it reads go
}

void FrmRangeReport::connectControls() {
    // Before the command is written again: "Then vary" follows the shape and the first list.
    connect(c_.cmbShape, &QComboBox::currentIndexChanged, this, &FrmRangeReport::fillThenVary);
    connect(c_.cmbVary1, &QComboBox::currentIndexChanged, this, &FrmRangeReport::fillThenVary);
    for (const RangeReportControls::DimensionBox& d : c_.dimensions)
        connect(d.box, &QLineEdit::textChanged, this, &FrmRangeReport::updateInputs);
    for (QLineEdit* e :
         {c_.txtPipeID, c_.txtSlope, c_.txtQinput, c_.txtM, c_.txtVary1, c_.txtVary2})
        connect(e, &QLineEdit::textChanged, this, &FrmRangeReport::updateInputs);
    for (QComboBox* combo :
         {c_.cmbShape, c_.cmbUnDiam, c_.cmbUnSlope, c_.cmbUnFlo, c_.cmbVary1, c_.cmbVary2})
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

    // Ctrl+C in the table, and Copy in its context menu, copy the selected rows, not only the
    // current cell.
    auto* copy = new QAction(QStringLiteral("&Copy"), c_.grdRows);
    copy->setObjectName(QStringLiteral("mnuCopyRows"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    c_.grdRows->addAction(copy);
    c_.grdRows->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, [this] {
        if (c_.cmdCopy->isEnabled())
            cmdCopy_Click();
    });
    connect(c_.grdRows->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FrmRangeReport::updateButtons);
    connect(job_, &BackgroundJob::finished, this, &FrmRangeReport::jobFinished);
    connect(pump_, &QTimer::timeout, this, &FrmRangeReport::pump);
}

void FrmRangeReport::setSystem(UnitSystem system) {
    const UnitSystem from = system_;
    const CalcEntry before = entry();
    system_ = system;
    const units::UnitLists lists = units::unitLists(system);
    const std::pair<QComboBox*, std::span<const std::string_view>> combos[] = {
        {c_.cmbUnDiam, lists.diam}, {c_.cmbUnSlope, lists.slope}, {c_.cmbUnFlo, lists.flow}};
    {
        // One change of the command for the three lists, below.
        const QSignalBlocker quietDiam(c_.cmbUnDiam), quietSlope(c_.cmbUnSlope),
            quietFlow(c_.cmbUnFlo);
        for (const auto& [combo, items] : combos) {
            const int at = std::max(0, combo->currentIndex());
            combo->clear();
            for (std::string_view item : items)
                combo->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
            combo->setCurrentIndex(std::min(at, combo->count() - 1));
        }
    }
    if (from != system)
        convertTexts(before, from);
    model_->setSystem(system);
    updateInputs();
}

void FrmRangeReport::convertTexts(const CalcEntry& before, UnitSystem from) {
    // The same pipe in the new units: the lengths and the flow, fixed or varied, written again
    // in the units at the same positions of the lists.
    const bool inFeet = before.diamUnit == 1;
    const std::string flowFrom(
        units::unitLists(from).flow[static_cast<std::size_t>(std::clamp(before.flowUnit, 0, 2))]);
    const std::string flowTo(
        units::unitLists(system_)
            .flow[static_cast<std::size_t>(std::clamp(before.flowUnit, 0, 2))]);
    const auto length = [&](const std::string& t) {
        return units::convertedLength(t, inFeet, from, system_);
    };
    const auto flow = [&](const std::string& t) {
        return units::convertedFlow(t, flowFrom, from, flowTo, system_);
    };
    for (const RangeReportControls::DimensionBox& d : c_.dimensions)
        d.box->setText(qs(length(text(d.box))));
    c_.txtQinput->setText(qs(flow(text(c_.txtQinput))));
    const std::pair<const QComboBox*, QLineEdit*> ranges[] = {{c_.cmbVary1, c_.txtVary1},
                                                              {c_.cmbVary2, c_.txtVary2}};
    for (const auto& [list, values] : ranges) {
        const std::optional<RequestField> input =
            fieldOfOption(list->currentData().toString().toStdString());
        if (!input || (input->kind != RequestField::Kind::Dimension &&
                       input->kind != RequestField::Kind::Flow))
            continue;
        // Each value of a range FROM:TO:STEP or a list V1,V2,... on its own.
        std::string written = text(values), out, value;
        for (std::size_t i = 0; i <= written.size(); ++i) {
            if (i < written.size() && written[i] != ':' && written[i] != ',') {
                value += written[i];
                continue;
            }
            out += input->kind == RequestField::Kind::Flow ? flow(value) : length(value);
            if (i < written.size())
                out += written[i];
            value.clear();
        }
        values->setText(qs(out));
    }
}

void FrmRangeReport::seed(const CalcEntry& e) {
    if (e.system != system_)
        setSystem(e.system);
    c_.txtPipeID->setText(qs(e.pipe));
    c_.cmbShape->setCurrentIndex(c_.cmbShape->findData(qs(std::string(e.shape->word))));
    for (const RangeReportControls::DimensionBox& d : c_.dimensions)
        d.box->setText(qs(e.dimensions.get(d.word)));
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
    const sections::ShapeRow* shape =
        sections::shapeNamed(c_.cmbShape->currentData().toString().toStdString());
    e.shape = shape != nullptr ? shape : &sections::defaultShape();
    for (const RangeReportControls::DimensionBox& d : c_.dimensions)
        e.dimensions.set(d.word, text(d.box));
    e.slope = text(c_.txtSlope);
    e.flow = text(c_.txtQinput);
    e.n = text(c_.txtM);
    e.diamUnit = c_.cmbUnDiam->currentIndex();
    e.slopeUnit = c_.cmbUnSlope->currentIndex();
    e.flowUnit = c_.cmbUnFlo->currentIndex();
    e.system = system_;
    return e;
}

bool FrmRangeReport::busy() const {
    return running_ != Job::None;
}

std::vector<std::pair<report::Input, std::string>> FrmRangeReport::varyTexts() const {
    // Each list's item data is the input's --vary name; the second list starts with "(none)".
    std::vector<std::pair<report::Input, std::string>> ranges;
    const auto add = [&](const QComboBox* list, const QLineEdit* values) {
        const std::string name = list->currentData().toString().toStdString();
        if (const std::optional<RequestField> input = fieldOfOption(name))
            ranges.emplace_back(*input, name + "=" + text(values));
    };
    add(c_.cmbVary1, c_.txtVary1);
    add(c_.cmbVary2, c_.txtVary2);
    return ranges;
}

void FrmRangeReport::fillThenVary() {
    // Only what the shape has, and not the input the first list varies already.
    const sections::ShapeRow& shape = *entry().shape;
    const QString first = c_.cmbVary1->currentData().toString();
    const QString chosen = c_.cmbVary2->currentData().toString();
    {
        const QSignalBlocker quiet(c_.cmbVary2);
        while (c_.cmbVary2->count() > 1) // the first item is "(none)"
            c_.cmbVary2->removeItem(1);
        for (const report::Input& input : report::variableInputs()) {
            const QString word = qs(optionWord(input));
            if (word == first ||
                (input.kind == RequestField::Kind::Dimension &&
                 shape.dimensionIndex(input.dimension) == shape.dimensionCount()) ||
                (input.kind == RequestField::Kind::LawInput &&
                 coefficientField(*entry().law) != input))
                continue;
            c_.cmbVary2->addItem(inputCaption(input), word);
        }
        c_.cmbVary2->setCurrentIndex(std::max(0, c_.cmbVary2->findData(chosen)));
    }
    if (c_.cmbVary2->currentData().toString() != chosen)
        updateInputs();
}

void FrmRangeReport::updateInputs() {
    std::vector<report::Input> varied;
    std::vector<std::string> ranges;
    for (const auto& [input, written] : varyTexts()) {
        varied.push_back(input);
        ranges.push_back(written);
    }
    // A varied input takes its values from the range: its fixed box has nothing to say, nor
    // has a box the shape lacks.
    const auto isVaried = [&varied](const report::Input& input) {
        return std::find(varied.begin(), varied.end(), input) != varied.end();
    };
    const sections::ShapeRow& shape = *entry().shape;
    for (const RangeReportControls::DimensionBox& d : c_.dimensions) {
        const std::size_t i = shape.dimensionIndex(d.word);
        const bool has = i < shape.dimensionCount();
        d.box->setEnabled(has && !isVaried({RequestField::Kind::Dimension, d.word}));
        // A dimension the shape lacks keeps the caption of the first shape that has it.
        d.label->setText(
            qs(has ? std::string(shape.dimensions[i].label)
                   : report::inputCaption({RequestField::Kind::Dimension, d.word}) + ":"));
    }
    const std::pair<RequestField::Kind, QLineEdit*> others[] = {
        {RequestField::Kind::Slope, c_.txtSlope},
        {RequestField::Kind::Flow, c_.txtQinput},
        {RequestField::Kind::N, c_.txtM}};
    for (const auto& [kind, edit] : others)
        edit->setEnabled(!isVaried({kind, {}}));
    c_.txtVary2->setEnabled(c_.cmbVary2->currentIndex() > 0);
    c_.txtCommand->setPlainText(
        qs(report::reportCommandLine(report::requestFromEntry(entry(), varied), ranges)));
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
    // Every text is checked as the command line checks it, before any row is made; what is
    // wrong is told in the words of this window's boxes.
    std::vector<report::Vary> vary;
    std::vector<report::Input> varied;
    for (const auto& [input, written] : varyTexts()) {
        if (written.back() == '=') {
            boxes_.show(this, QStringLiteral("Type the values of ") + inputCaption(input) +
                                  QStringLiteral(" into Values: a range FROM:TO:STEP or a list "
                                                 "V1,V2,..."));
            return;
        }
        auto v = report::ReportPlan::parseVary(written);
        if (const auto* e = std::get_if<report::ReportPlan::Error>(&v)) {
            boxes_.show(this, windowMessage(*e));
            return;
        }
        varied.push_back(std::get<report::Vary>(v).input);
        vary.push_back(std::get<report::Vary>(std::move(v)));
    }
    if (const std::optional<QString> why = shapeMessage(varied)) {
        boxes_.show(this, *why);
        return;
    }
    auto made =
        report::ReportPlan::make(report::requestFromEntry(entry(), varied), std::move(vary));
    if (const auto* e = std::get_if<report::ReportPlan::Error>(&made)) {
        boxes_.show(this, windowMessage(*e));
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
    if (plan->rowCount() > kAskAboveRows &&
        !boxes_.confirm(this,
                        qs("The report will have " + std::to_string(plan->rowCount()) +
                           " rows and hold about " + std::to_string(estimatedMegabytes(*plan)) +
                           " MB of memory while this window shows them. Run it?")))
        return;
    plan_ = plan;
    // A varied dimension the record writes only inside the section's text ("box 6x4") gets a
    // column of its own, named with its unit.
    std::vector<ReportModel::ExtraColumn> extra;
    const sections::ShapeRow& shape = *entry().shape;
    for (const report::Input& input : varied)
        if (input.kind == RequestField::Kind::Dimension && !shape.bareInRecord)
            extra.push_back({input.dimension, inputCaption(input) + QStringLiteral(" (") +
                                                  c_.cmbUnDiam->currentText() + u')'});
    model_->reset(plan, extra);
    arrangeColumns(varied);
    // A new report is read from its first column and row, wherever the last one was left.
    c_.grdRows->scrollToTop();
    c_.grdRows->horizontalScrollBar()->setValue(0);
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

QString FrmRangeReport::inputCaption(const report::Input& input) const {
    // A dimension as the shape shown calls it.
    const sections::ShapeRow& shape = *entry().shape;
    if (input.kind == RequestField::Kind::Dimension)
        if (const std::size_t i = shape.dimensionIndex(input.dimension); i < shape.dimensionCount())
            return qs(std::string(shape.dimensions[i].caption));
    return qs(report::inputCaption(input));
}

QString FrmRangeReport::windowMessage(const report::ReportPlan::Error& e) const {
    if (!e.input)
        return qs(e.what);
    const QString caption = inputCaption(*e.input);
    if (!e.varied)
        return caption + QStringLiteral(" \"") + qs(e.text) + QStringLiteral("\": ") + qs(e.reason);
    if (e.reason == "varied twice")
        return QStringLiteral("Vary and Then vary both name ") + caption +
               QStringLiteral(": vary it once, or choose another input.");
    if (e.valuesText)
        return QStringLiteral("Values of ") + caption + QStringLiteral(" \"") + qs(e.text) +
               QStringLiteral("\": ") + qs(e.reason) +
               QStringLiteral(" (a range FROM:TO:STEP or a list V1,V2,...)");
    return QStringLiteral("Values of ") + caption + QStringLiteral(", value \"") + qs(e.text) +
           QStringLiteral("\": ") + qs(e.reason);
}

std::optional<QString>
FrmRangeReport::shapeMessage(const std::vector<report::Input>& varied) const {
    const CalcEntry e = entry();
    const sections::ShapeRow& shape = *e.shape;
    const auto isVaried = [&](const report::Input& i) {
        return std::find(varied.begin(), varied.end(), i) != varied.end();
    };
    const auto lower = [](std::string_view s) {
        return words::lowerCase(s);
    };
    // "its span and its rise", "its side"; "a span and a rise".
    const auto dimensionList = [&lower](const sections::ShapeRow& row, const char* article) {
        std::string text;
        for (const sections::DimensionSpec& d : row.dimensions)
            if (d.isLength() || !d.text->alternative) // "its family or its radii" is said apart
                text.append(text.empty() ? "" : " and ")
                    .append(article)
                    .append(" ")
                    .append(lower(d.caption));
        return text;
    };
    const std::string shapeName = lower(shape.caption);
    for (const report::Input& input : varied) {
        if (input.kind != RequestField::Kind::Dimension ||
            shape.dimensionIndex(input.dimension) < shape.dimensionCount())
            continue;
        std::vector<const sections::ShapeRow*> owners;
        for (const sections::ShapeRow& row : sections::shapeTable())
            if (row.dimensionIndex(input.dimension) < row.dimensionCount())
                owners.push_back(&row);
        if (owners.size() == 1)
            return qs("Only " + words::withArticle(lower(owners[0]->caption)) + " has " +
                      dimensionList(*owners[0], "a") + ": choose " +
                      std::string(owners[0]->caption) + " as the shape, or vary another input.");
        std::string its;
        for (std::size_t i = 0; i < shape.dimensionCount(); ++i)
            its += (i == 0 ? "its " : " or its ") + lower(shape.dimensions[i].caption);
        return qs(words::withArticle(shapeName, true) + " has no " +
                  lower(report::inputCaption(input)) + ": vary " + its + ".");
    }
    if (shape.bareInRecord)
        return std::nullopt;  // an empty diameter is a pipe not yet given
    std::string alternatives; // an arch's family or radii: one of them is typed
    bool alternativeTyped = false;
    for (const sections::DimensionSpec& d : shape.dimensions) {
        if (!d.isLength() && d.text->alternative) {
            alternatives.append(alternatives.empty() ? "its " : " or its ")
                .append(lower(d.caption));
            alternativeTyped = alternativeTyped || !e.dimensions.get(d.word).empty();
            continue;
        }
        if (e.dimensions.get(d.word).empty() &&
            !isVaried({RequestField::Kind::Dimension, std::string(d.word)}))
            return qs(words::withArticle(shapeName, true) + " needs " +
                      dimensionList(shape, "its") +
                      (shape.dimensionCount() == 1 ? ": type it, or vary it."
                                                   : ": type them, or vary one of them."));
    }
    if (!alternatives.empty() && !alternativeTyped)
        return qs(words::withArticle(shapeName, true) + " needs " + alternatives +
                  ": type one of them.");
    return std::nullopt;
}

std::uint64_t FrmRangeReport::estimatedMegabytes(const report::ReportPlan& plan) const {
    // The rows are held packed: the first rows, packed here, tell how much a row takes.
    report::PackedChunk sample;
    const std::uint64_t rows = std::min<std::uint64_t>(plan.rowCount(), 256);
    for (std::uint64_t i = 0; i < rows; ++i)
        sample.add(runRecord(plan.point(i)));
    sample.shrink();
    const double perRow = static_cast<double>(sample.bytes()) / static_cast<double>(rows);
    return static_cast<std::uint64_t>(perRow * static_cast<double>(plan.rowCount()) / 1e6 + 1.0);
}

void FrmRangeReport::arrangeColumns(const std::vector<report::Input>& varied) {
    // The varied inputs first, then the results, then the other inputs: the columns a user
    // reads stay in view beside the values they follow.
    std::vector<int> order;
    int extra = static_cast<int>(record::kFieldCount);
    for (const report::Input& input : varied) {
        const bool ownColumn =
            input.kind == RequestField::Kind::Dimension && model_->columnCount() > extra;
        const int column = ownColumn                                 ? extra++
                           : input.kind == RequestField::Kind::Flow  ? 1
                           : input.kind == RequestField::Kind::Slope ? 5
                           : input.kind == RequestField::Kind::N     ? 7
                                                                     : 3; // every dimension
        if (std::find(order.begin(), order.end(), column) == order.end())
            order.push_back(column);
    }
    for (int column = 8; column < static_cast<int>(record::kFieldCount); ++column)
        order.push_back(column);
    for (int column = 0; column < 8; ++column)
        if (std::find(order.begin(), order.end(), column) == order.end())
            order.push_back(column);
    QHeaderView* header = c_.grdRows->horizontalHeader();
    for (int to = 0; to < static_cast<int>(order.size()); ++to)
        header->moveSection(header->visualIndex(order[static_cast<std::size_t>(to)]), to);
}

void FrmRangeReport::cmdCancel_Click() {
    job_->cancel();
}

void FrmRangeReport::cmdSaveAs_Click() {
    if (busy() || model_->rowCount() == 0)
        return;
    std::optional<SaveDialogChoice> choice;
    try {
        const SaveDialogRequest request{
            saveDialogDirectory(),
            {tabTextFilter(), csvFilter(), QStringLiteral("All files (*)")},
            tabTextFilter(),
            QStringLiteral("txt")};
        choice = dialog_.chooseSaveFileAndFilter(this, request);
    } catch (const std::exception& e) {
        showFailure(QString::fromUtf8(e.what()));
        return;
    }
    if (!choice)
        return; // cancelled: nothing is written
    const report::Format format = savesAsCsv(*choice) ? report::Format::Csv : report::Format::Tsv;
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
        // With the header line, so that the rows pasted anywhere say what they are.
        complete_ = report::writeRows(report::Format::Tsv, *plan, *rows, ranges, true, text_,
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
    // The bar ends where the job ended: full for a job done, where it stopped for one cut short.
    c_.prgReport->setValue(static_cast<int>(
        std::min(job == Job::Report ? model_->rows().size() : written_.load(), total_)));
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
