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
#include <QSignalBlocker>

#include "info/info_menu.h"
#include "input/units.h"
#include "platform/message_boxes.h"
#include "results/results_log.h"
#include "ui/main/numeric_box.h"
#include "ui/main/result_copy_menu.h"
#include "ui/main/result_label.h"
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
                         EndProgram endProgram, QWidget* parent, UnitSystem system)
    : QMainWindow(parent), boxes_(boxes), results_(results), info_(info),
      endProgram_(std::move(endProgram)), session_(this, system) {
    setObjectName(QStringLiteral("frmRunnelex"));
    setWindowTitle(QStringLiteral("Runnelex"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    c_ = buildMainControls(*this);
    Form_Initialize();
    connectControls();
    // A context menu copies the results; the window's controls and menus stay as they are.
    addResultCopyMenu(*centralWidget(), session_);
    c_.txtDiam->setFocus(Qt::OtherFocusReason);
}

FrmRunnelex::~FrmRunnelex() {
    // Tearing the window down moves the focus; no check may run on a half-destroyed window.
    for (NumericBox* box : {c_.txtDiam, c_.txtSlope, c_.txtQinput, c_.txtM})
        disconnect(box, nullptr, this, nullptr);
    session_.removeShownListener(shownListener_);
    results_.setCloseHandler({});
}

void FrmRunnelex::Form_Initialize() {
    // The session starts as a fresh calculator: the boxes and labels show it.
    for (TextBox which :
         {TextBox::Diam, TextBox::Slope, TextBox::Flow, TextBox::ManningN, TextBox::PipeName})
        box(which)->setText(qs(session_.text(which)));
    for (std::size_t i = 0; i < kLabelCount; ++i)
        if (i < kResultLabelCount || labelAt(i) == Label::CapQ)
            labelChanged(labelAt(i), session_.label(labelAt(i)));
    // The recorded rows start empty with the results log, created once with the program.
    showSystem();
    results_.setSystem(session_.inputs().System);
}

void FrmRunnelex::showSystem() {
    const UnitSystem system = session_.inputs().System;
    const units::UnitLists lists = units::unitLists(system);
    const CalcEntry entry = session_.entry();
    const std::pair<UnitCombo*, int> positions[] = {{c_.cmbUnFlo, entry.flowUnit},
                                                    {c_.cmbUnSlope, entry.slopeUnit},
                                                    {c_.cmbUnDiam, entry.diamUnit}};
    c_.cmbUnFlo->clear();
    fillList(c_.cmbUnFlo, lists.flow);
    c_.cmbUnSlope->clear();
    fillList(c_.cmbUnSlope, lists.slope);
    c_.cmbUnDiam->clear();
    fillList(c_.cmbUnDiam, lists.diam);
    for (const auto& [combo, index] : positions)
        combo->setCurrentIndex(index);
    if (system != UnitSystem::US || siUnits_ != nullptr)
        showResultUnits(c_, system);
    if (siUnits_ != nullptr) {
        const QSignalBlocker quiet(siUnits_);
        siUnits_->setChecked(system == UnitSystem::SI);
    }
}

void FrmRunnelex::addUnitSystemItem() {
    QMenu* menu = toolsMenu();
    menu->addSeparator();
    siUnits_ = menu->addAction(QStringLiteral("SI &Units"));
    siUnits_->setObjectName(QStringLiteral("mnuSiUnits"));
    siUnits_->setCheckable(true);
    siUnits_->setChecked(session_.inputs().System == UnitSystem::SI);
    siUnits_->setToolTip(QStringLiteral("Calculate in SI units (mm, m, m/m, m\u00b3/s, L/s, "
                                        "ML/d) instead of US customary units"));
    connect(siUnits_, &QAction::toggled, this, [this](bool si) {
        if (!switchSystem(si ? UnitSystem::SI : UnitSystem::US))
            showSystem(); // kept: the item shows the system in use
    });
}

bool FrmRunnelex::switchSystem(UnitSystem system) {
    if (system == session_.inputs().System)
        return true;
    const std::size_t held = results_.heldRecords();
    if (held > 0 && results_.heldSystem() != system) {
        const QString units = results_.heldSystem() == UnitSystem::SI
                                  ? QStringLiteral("SI units")
                                  : QStringLiteral("US customary units");
        const int answer = boxes_.ask(
            this,
            QStringLiteral("The results window holds %1 calculation%2 in %3. A table never "
                           "mixes units: they stay there in %3 until you clear them, and no "
                           "calculation in the other units is recorded until then. Save them "
                           "now?")
                .arg(held)
                .arg(held == 1 ? QString() : QStringLiteral("s"))
                .arg(units),
            {QStringLiteral("&Save As..."), QStringLiteral("S&witch"), QStringLiteral("Cancel")});
        if (answer != 0 && answer != 1)
            return false;
        if (answer == 0)
            results_.saveHeldRecords();
    }
    // The results log first: a calculation the switch records is recorded in the new units.
    results_.setSystem(system);
    // The units beside the results before the results: each is heard with its unit as it comes.
    showResultUnits(c_, system);
    session_.selectSystem(system);
    showSystem();
    const auto listeners = systemListeners_; // a listener may take itself off
    for (const auto& [id, onSwitch] : listeners)
        onSwitch(system);
    return true;
}

QLineEdit* FrmRunnelex::box(TextBox which) const {
    switch (which) {
    case TextBox::Diam:
        return c_.txtDiam;
    case TextBox::Slope:
        return c_.txtSlope;
    case TextBox::Flow:
        return c_.txtQinput;
    case TextBox::ManningN:
        return c_.txtM;
    case TextBox::PipeName:
        break;
    }
    return c_.txtPipeID;
}

void FrmRunnelex::connectControls() {
    const std::pair<NumericBox*, TextBox> boxes[] = {{c_.txtDiam, TextBox::Diam},
                                                     {c_.txtSlope, TextBox::Slope},
                                                     {c_.txtQinput, TextBox::Flow},
                                                     {c_.txtM, TextBox::ManningN}};
    for (const auto& [edit, which] : boxes) {
        const TextBox kind = which;
        connect(edit, &NumericBox::committed, this, [this, kind] { session_.commit(kind); });
        connect(edit, &NumericBox::left, this, [this, kind] { session_.commit(kind); });
    }
    // The session holds what every box shows, typed or pasted.
    for (TextBox which :
         {TextBox::Diam, TextBox::Slope, TextBox::Flow, TextBox::ManningN, TextBox::PipeName})
        connect(box(which), &QLineEdit::textChanged, this, [this, which](const QString& text) {
            session_.setText(which, text.toStdString());
        });
    // Tab stops only at the boxes; from a unit list it goes on to the next box.
    setTabOrder(c_.txtDiam, c_.cmbUnDiam);
    setTabOrder(c_.cmbUnDiam, c_.txtSlope);
    setTabOrder(c_.txtSlope, c_.cmbUnSlope);
    setTabOrder(c_.cmbUnSlope, c_.txtQinput);
    setTabOrder(c_.txtQinput, c_.cmbUnFlo);
    setTabOrder(c_.cmbUnFlo, c_.txtM);

    // Only a user's choice from a list raises its handler, never a change of index by code.
    connect(c_.cmbUnDiam, &QComboBox::activated, this,
            [this](int index) { session_.selectUnit(UnitList::Diam, index); });
    connect(c_.cmbUnSlope, &QComboBox::activated, this,
            [this](int index) { session_.selectUnit(UnitList::Slope, index); });
    connect(c_.cmbUnFlo, &QComboBox::activated, this,
            [this](int index) { session_.selectUnit(UnitList::Flow, index); });
    // The unit frames' access keys go to the frame's list.
    for (QGroupBox* frame : {c_.fraDiameter, c_.fraSlope, c_.fraQtarget})
        frame->installEventFilter(this);
    c_.txtPipeID->installEventFilter(this);

    connect(c_.chkSaveAlways, &QCheckBox::toggled, this,
            [this](bool on) { session_.setAlwaysRecord(on); });
    connect(c_.cmdSaveLog, &QPushButton::clicked, this, &FrmRunnelex::cmdSaveLog_Click);
    connect(c_.cmdSaveNow, &QPushButton::clicked, this, [this] { session_.recordNow(); });
    results_.setCloseHandler([this] { setRecordingEnabled(false); });
    shownListener_ = session_.addShownListener([this] { emit calculationShown(); });

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
            session_.record(); // the name stays in the box; the key goes on as usual
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmRunnelex::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, like "Exit", rather than leave the results
    // window running on its own.
    event->accept();
    endProgram_();
}

QMenu* FrmRunnelex::toolsMenu() {
    if (tools_ == nullptr) {
        tools_ = menuBar()->addMenu(QStringLiteral("&Tools"));
        tools_->setObjectName(QStringLiteral("mnuTools"));
    }
    return tools_;
}

void FrmRunnelex::cmdSaveLog_Click() {
    results_.showResultsWindow();
    setRecordingEnabled(true);
}

void FrmRunnelex::setRecordingEnabled(bool enabled) {
    recording_ = enabled;
    // Always in this order; "(optional)" stays disabled.
    c_.lblSaveWhen->setEnabled(enabled);
    c_.cmdSaveNow->setEnabled(enabled);
    c_.chkSaveAlways->setEnabled(enabled);
    c_.txtPipeID->setEnabled(enabled);
    c_.lblLogPipeName->setEnabled(enabled);
    const auto listeners = recordingListeners_; // a listener may take itself off
    for (const auto& [id, onChange] : listeners)
        onChange(enabled);
}

bool FrmRunnelex::recordingEnabled() const {
    return recording_;
}

int FrmRunnelex::addRecordingListener(std::function<void(bool)> onChange) {
    recordingListeners_[nextListener_] = std::move(onChange);
    return nextListener_++;
}

void FrmRunnelex::removeRecordingListener(int id) {
    recordingListeners_.erase(id);
}

int FrmRunnelex::addSystemListener(std::function<void(UnitSystem)> onSwitch) {
    systemListeners_[nextListener_] = std::move(onSwitch);
    return nextListener_++;
}

void FrmRunnelex::removeSystemListener(int id) {
    systemListeners_.erase(id);
}

void FrmRunnelex::labelChanged(Label label, const std::string& text) {
    const auto it = c_.labels.find(labelName(label));
    if (it != c_.labels.end())
        it->second->setText(qs(text));
}

void FrmRunnelex::textChanged(TextBox which, const std::string& text) {
    if (QLineEdit* edit = box(which))
        edit->setText(qs(text));
}

void FrmRunnelex::message(const std::string& prompt) {
    boxes_.show(this, qs(prompt));
}

void FrmRunnelex::recorded(const std::string& record) {
    results_.AddResult(record);
}

} // namespace runnelex
