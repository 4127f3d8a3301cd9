// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/frm_runnelex.h"

#include <exception>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "calc/display_run.h"
#include "input/unit_selection.h"
#include "input/units.h"
#include "platform/message_boxes.h"
#include "results/record.h"
#include "ui/main/info_menu.h"
#include "ui/main/numeric_box.h"
#include "ui/main/result_label.h"
#include "ui/main/results_log.h"
#include "ui/main/unit_combo.h"

namespace runnelex {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

template <std::size_t N>
void fillList(QComboBox* combo, const std::array<std::string_view, N>& items) {
    for (std::string_view item : items)
        combo->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
}

} // namespace

FrmRunnelex::FrmRunnelex(MessageBoxes& boxes, ResultsLog& results, InfoMenu& info,
                         EndProgram endProgram, QWidget* parent)
    : QMainWindow(parent), boxes_(boxes), results_(results), info_(info),
      endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("frmRunnelex"));
    setWindowTitle(QStringLiteral("Runnelex"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    c_ = buildMainControls(*this);
    Form_Initialize();
    connectControls();
    c_.txtDiam->setFocus(Qt::OtherFocusReason);
}

FrmRunnelex::~FrmRunnelex() {
    // Tearing the window down moves the focus; no check may run on a half-destroyed window.
    for (NumericBox* box : {c_.txtDiam, c_.txtSlope, c_.txtQinput, c_.txtM})
        disconnect(box, nullptr, this, nullptr);
    results_.setCloseHandler({});
}

void FrmRunnelex::Form_Initialize() {
    c_.txtDiam->setText(QString());
    c_.txtSlope->setText(QString());
    c_.txtQinput->setText(QString());
    c_.txtM->setText(QStringLiteral("0.013"));
    for (const std::string& name : resultLabelNames())
        setLabel(name, "");
    c_.txtPipeID->setText(QString());
    in_.ManningN = 0.013;
    // The recorded rows start empty with the results log, created once with the program.
    const hydrocalc::Notify notify = notifier();
    fillList(c_.cmbUnFlo, units::kFlowItems);
    c_.cmbUnFlo->setCurrentIndex(0);
    in_.Unitflow = units::unitflowFromIndex(c_.cmbUnFlo->currentIndex(), notify);
    fillList(c_.cmbUnSlope, units::kSlopeItems);
    c_.cmbUnSlope->setCurrentIndex(0);
    in_.SlopeInPercent = units::slopeInPercentFromIndex(c_.cmbUnSlope->currentIndex(), notify);
    fillList(c_.cmbUnDiam, units::kDiamItems);
    c_.cmbUnDiam->setCurrentIndex(0);
    in_.DiamInFeet = units::diamInFeetFromIndex(c_.cmbUnDiam->currentIndex(), notify);
}

void FrmRunnelex::connectControls() {
    const std::pair<NumericBox*, entry::Box> boxes[] = {{c_.txtDiam, entry::Box::Diam},
                                                        {c_.txtSlope, entry::Box::Slope},
                                                        {c_.txtQinput, entry::Box::Flow},
                                                        {c_.txtM, entry::Box::ManningN}};
    for (const auto& [box, kind] : boxes) {
        NumericBox* edit = box;
        const entry::Box which = kind;
        connect(edit, &NumericBox::committed, this,
                [this, edit, which] { checkEntry(which, edit); });
        connect(edit, &NumericBox::left, this, [this, edit, which] { checkEntry(which, edit); });
    }
    // Tab stops only at the boxes; from a unit list it goes on to the next box.
    setTabOrder(c_.txtDiam, c_.cmbUnDiam);
    setTabOrder(c_.cmbUnDiam, c_.txtSlope);
    setTabOrder(c_.txtSlope, c_.cmbUnSlope);
    setTabOrder(c_.cmbUnSlope, c_.txtQinput);
    setTabOrder(c_.txtQinput, c_.cmbUnFlo);
    setTabOrder(c_.cmbUnFlo, c_.txtM);

    // Only a user's choice from a list raises its handler, never a change of index by code.
    connect(c_.cmbUnDiam, &QComboBox::activated, this, &FrmRunnelex::cmbUnDiam_Click);
    connect(c_.cmbUnSlope, &QComboBox::activated, this, &FrmRunnelex::cmbUnSlope_Click);
    connect(c_.cmbUnFlo, &QComboBox::activated, this, &FrmRunnelex::cmbUnFlo_Click);
    // The unit frames' access keys go to the frame's list.
    for (QGroupBox* frame : {c_.fraDiameter, c_.fraSlope, c_.fraQtarget})
        frame->installEventFilter(this);
    c_.txtPipeID->installEventFilter(this);

    connect(c_.cmdSaveLog, &QPushButton::clicked, this, &FrmRunnelex::cmdSaveLog_Click);
    connect(c_.cmdSaveNow, &QPushButton::clicked, this, &FrmRunnelex::cmdSaveNow_Click);
    results_.setCloseHandler([this] { setRecordingEnabled(false); });

    connect(c_.mnuExit, &QAction::triggered, this, [this] { endProgram_(); });
    connect(c_.mnuHelp4Runnelex, &QAction::triggered, this,
            [this] { info_.mnuHelp4Runnelex_Click(); });
    connect(c_.mnuAbout_Runnelex, &QAction::triggered, this,
            [this] { info_.mnuAbout_Runnelex_Click(); });
    connect(c_.mnuRunnelex_Updates, &QAction::triggered, this,
            [this] { info_.mnuRunnelex_Updates_Click(); });
    connect(c_.mnuKelvara, &QAction::triggered, this, [this] { info_.mnuKelvara_Click(); });
}

bool FrmRunnelex::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        QWidget* list = watched == c_.fraDiameter  ? c_.cmbUnDiam
                        : watched == c_.fraSlope   ? c_.cmbUnSlope
                        : watched == c_.fraQtarget ? c_.cmbUnFlo
                                                   : nullptr;
        if (list != nullptr) {
            list->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    if (watched == c_.txtPipeID && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plainEnter =
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plainEnter)
            writecalcs(); // the name stays in the box; the key goes on as usual
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmRunnelex::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, like "Exit", rather than leave the results
    // window running on its own.
    event->accept();
    endProgram_();
}

void FrmRunnelex::DoCalc() {
    const DisplayRun run = displayRun(in_);
    for (const DisplayStep& step : run.steps) {
        if (step.kind == DisplayStep::Kind::SetLabel)
            setLabel(step.label, step.text);
        else
            showMessage(step.text);
    }
    if (run.fault) {
        showMessage(calcFaultMessage(*run.fault));
        emit calculationShown();
        return;
    }
    if (c_.chkSaveAlways->isChecked()) {
        c_.txtPipeID->setText(QString());
        writecalcs();
    }
    emit calculationShown();
}

CalcEntry FrmRunnelex::currentEntry() const {
    CalcEntry e;
    e.pipe = c_.txtPipeID->text().toStdString();
    e.diam = c_.txtDiam->text().toStdString();
    e.slope = c_.txtSlope->text().toStdString();
    e.n = c_.txtM->text().toStdString();
    e.flow = c_.txtQinput->text().toStdString();
    e.diamUnit = in_.DiamInFeet ? 1 : 0;
    e.slopeUnit = in_.SlopeInPercent ? 1 : 0;
    e.flowUnit = in_.Unitflow == "MGD" ? 1 : in_.Unitflow == "GPM" ? 2 : 0;
    return e;
}

QMenu* FrmRunnelex::toolsMenu() {
    if (tools_ == nullptr) {
        tools_ = menuBar()->addMenu(QStringLiteral("&Tools"));
        tools_->setObjectName(QStringLiteral("mnuTools"));
    }
    return tools_;
}

void FrmRunnelex::writecalcs() {
    const auto caption = [this](const char* name) {
        return c_.labels.at(name)->text().toStdString();
    };
    record::RecordFields f;
    f.pipeName = c_.txtPipeID->text().toStdString();
    f.flowText = c_.txtQinput->text().toStdString();
    f.unitflow = in_.Unitflow;
    f.diamText = c_.txtDiam->text().toStdString();
    f.diamInFeet = in_.DiamInFeet;
    f.slopeText = c_.txtSlope->text().toStdString();
    f.slopeInPercent = in_.SlopeInPercent;
    f.nText = c_.txtM->text().toStdString();
    f.dnorm = caption("lblrDnorm");
    f.vnorm = caption("lblrVnorm");
    f.frNo = caption("lblrFrNo");
    f.dcr = caption("lblrDcr");
    f.q100 = caption("lblrQ100");
    f.q093 = caption("lblrQ093");
    try {
        results_.AddResult(record::makeRecord(f));
    } catch (const std::exception& e) {
        boxes_.show(this, QStringLiteral("Unable to Append to File  (") +
                              QString::fromUtf8(e.what()) + QStringLiteral(")"));
    }
}

void FrmRunnelex::checkEntry(entry::Box box, QLineEdit* edit) {
    try {
        const entry::EntryResult r = entry::checkEntry(box, edit->text().toStdString(), in_);
        if (r.message)
            showMessage(*r.message);
        if (r.emptyBox)
            edit->setText(QString());
        if (r.capacityHeading)
            setLabel("lblCapQ", *r.capacityHeading);
        if (r.runCalc)
            DoCalc();
    } catch (const hydrocalc::ArithmeticError& e) {
        // A value that cannot be taken into base units is answered and erased like a bad entry.
        showMessage(calcFaultMessage(e.what()));
        edit->setText(QString());
    }
}

void FrmRunnelex::cmbUnDiam_Click() {
    unitChanged([this] {
        selection::selectDiamUnit(c_.cmbUnDiam->currentIndex(), c_.txtDiam->text().toStdString(),
                                  in_, notifier());
    });
}

void FrmRunnelex::cmbUnSlope_Click() {
    unitChanged([this] {
        selection::selectSlopeUnit(c_.cmbUnSlope->currentIndex(), c_.txtSlope->text().toStdString(),
                                   in_, notifier());
    });
}

void FrmRunnelex::cmbUnFlo_Click() {
    unitChanged([this] {
        setLabel("lblCapQ",
                 selection::selectFlowUnit(c_.cmbUnFlo->currentIndex(),
                                           c_.txtQinput->text().toStdString(), in_, notifier()));
    });
}

void FrmRunnelex::unitChanged(const std::function<void()>& select) {
    try {
        select();
        DoCalc();
    } catch (const hydrocalc::ArithmeticError& e) {
        // Re-reading an extreme value in the new unit can overflow; the window stays usable.
        showMessage(calcFaultMessage(e.what()));
    }
}

void FrmRunnelex::cmdSaveLog_Click() {
    results_.showResultsWindow();
    setRecordingEnabled(true);
}

void FrmRunnelex::cmdSaveNow_Click() {
    writecalcs();
    c_.txtPipeID->setText(QString());
}

void FrmRunnelex::setRecordingEnabled(bool enabled) {
    // Always in this order; "(optional)" stays disabled.
    c_.lblSaveWhen->setEnabled(enabled);
    c_.cmdSaveNow->setEnabled(enabled);
    c_.chkSaveAlways->setEnabled(enabled);
    c_.txtPipeID->setEnabled(enabled);
    c_.lblLogPipeName->setEnabled(enabled);
}

void FrmRunnelex::setLabel(const std::string& name, const std::string& text) {
    const auto it = c_.labels.find(name);
    if (it != c_.labels.end())
        it->second->setText(qs(text));
}

void FrmRunnelex::showMessage(const std::string& prompt) {
    boxes_.show(this, qs(prompt));
}

hydrocalc::Notify FrmRunnelex::notifier() {
    return [this](const std::string& prompt) {
        showMessage(prompt);
    };
}

} // namespace runnelex
