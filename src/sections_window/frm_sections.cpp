// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections_window/frm_sections.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "calc/number_text.h"
#include "input/units.h"
#include "picture/picture_model.h"
#include "platform/message_boxes.h"
#include "results/results_log.h"
#include "sections_window/section_view.h"
#include "ui/main/numeric_box.h"
#include "ui/main/result_label.h"
#include "ui/main/unit_combo.h"

namespace runnelex {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr TextBox kNumericBoxes[] = {TextBox::Diam,  TextBox::Span, TextBox::Rise,
                                     TextBox::Slope, TextBox::Flow, TextBox::ManningN};

// The text of a list's current item without its access key.
std::string plain(const QString& text) {
    QString t = text;
    return t.remove(u'&').toStdString();
}

} // namespace

sizing::SizeList FrmSections::catalogue(sections::Shape shape, UnitSystem system) {
    return sizing::defaultSizes(shape, system);
}

sizing::SizeList FrmSections::shownCatalogue() const {
    return catalogue(static_cast<sections::Shape>(c_.cmbShape->currentIndex()),
                     session_.inputs().System);
}

FrmSections::FrmSections(const CalcInputs& in, const CalcEntry& entry,
                         const std::string& capacityHeading, MessageBoxes& boxes,
                         ResultsLog& results)
    : QWidget(nullptr, Qt::Window), boxes_(boxes), results_(results),
      c_(buildSectionsControls(*this)), session_(in, entry, this) {
    setObjectName(QStringLiteral("frmSections"));
    setWindowTitle(QStringLiteral("Runnelex Sections"));
    // The boxes and lists show the entry the session starts from.
    for (TextBox which : kNumericBoxes)
        box(which)->setText(qs(session_.text(which)));
    c_.txtPipeID->setText(qs(session_.text(TextBox::PipeName)));
    showSectionsUnits(c_, in.System);
    c_.cmbUnDiam->setCurrentIndex(entry.diamUnit);
    c_.cmbUnSlope->setCurrentIndex(entry.slopeUnit);
    c_.cmbUnFlo->setCurrentIndex(entry.flowUnit);
    c_.cmbShape->setCurrentIndex(static_cast<int>(in.Shape));
    c_.labels.at("lblCapQ")->setText(qs(capacityHeading));
    showShape();
    fillCatalogue();
    connectControls();
    setRecordingEnabled(false);
    session_.calculate();
}

FrmSections::~FrmSections() {
    // Tearing the window down moves the focus; no check may run on a half-destroyed window.
    for (TextBox which : kNumericBoxes)
        disconnect(box(which), nullptr, this, nullptr);
    session_.removeShownListener(shownListener_);
}

NumericBox* FrmSections::box(TextBox which) const {
    switch (which) {
    case TextBox::Diam:
        return c_.txtDiam;
    case TextBox::Span:
        return c_.txtSpan;
    case TextBox::Rise:
        return c_.txtRise;
    case TextBox::Slope:
        return c_.txtSlope;
    case TextBox::Flow:
        return c_.txtQinput;
    case TextBox::ManningN:
        return c_.txtM;
    case TextBox::PipeName:
        break;
    }
    return nullptr;
}

void FrmSections::connectControls() {
    for (TextBox which : kNumericBoxes) {
        NumericBox* edit = box(which);
        connect(edit, &NumericBox::committed, this, [this, which] { session_.commit(which); });
        connect(edit, &NumericBox::left, this, [this, which] { session_.commit(which); });
        connect(edit, &QLineEdit::textChanged, this, [this, which](const QString& text) {
            session_.setText(which, text.toStdString());
            respeak();
        });
    }
    connect(c_.txtPipeID, &QLineEdit::textChanged, this, [this](const QString& text) {
        session_.setText(TextBox::PipeName, text.toStdString());
        respeak();
    });
    c_.txtPipeID->installEventFilter(this);
    // Only a user's choice from a list raises its handler, never a change of index by code.
    connect(c_.cmbUnDiam, &QComboBox::activated, this, [this](int index) {
        c_.cmbCatalogue->setCurrentIndex(0);
        session_.selectUnit(UnitList::Diam, index);
    });
    // A size typed by hand is no longer the catalogue's.
    for (NumericBox* dimension : {c_.txtDiam, c_.txtSpan, c_.txtRise})
        connect(dimension, &QLineEdit::textEdited, this,
                [this] { c_.cmbCatalogue->setCurrentIndex(0); });
    connect(c_.cmbUnSlope, &QComboBox::activated, this,
            [this](int index) { session_.selectUnit(UnitList::Slope, index); });
    connect(c_.cmbUnFlo, &QComboBox::activated, this,
            [this](int index) { session_.selectUnit(UnitList::Flow, index); });
    connect(c_.cmbShape, &QComboBox::activated, this, &FrmSections::cmbShape_Click);
    connect(c_.cmbCatalogue, &QComboBox::activated, this, &FrmSections::cmbCatalogue_Click);
    for (QComboBox* list : std::initializer_list<QComboBox*>{
             c_.cmbUnDiam, c_.cmbUnSlope, c_.cmbUnFlo, c_.cmbShape, c_.cmbCatalogue})
        connect(list, &QComboBox::currentIndexChanged, this, &FrmSections::respeak);
    connect(c_.cmdRecord, &QPushButton::clicked, this, [this] { session_.record(); });
    connect(c_.cmdClose, &QPushButton::clicked, this, &QWidget::hide);
    shownListener_ = session_.addShownListener([this] { refresh(); });
    // Tab goes from box to box, as in the main window.
    setTabOrder(c_.txtDiam, c_.txtSpan);
    setTabOrder(c_.txtSpan, c_.txtRise);
    setTabOrder(c_.txtRise, c_.txtSlope);
    setTabOrder(c_.txtSlope, c_.txtQinput);
    setTabOrder(c_.txtQinput, c_.txtM);
}

bool FrmSections::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.txtPipeID && event->type() == QEvent::KeyPress && c_.cmdRecord->isEnabled()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            session_.record(); // as Enter in the main window's pipe name: the name stays
    }
    return QWidget::eventFilter(watched, event);
}

void FrmSections::setRecordingEnabled(bool enabled) {
    c_.cmdRecord->setEnabled(enabled);
}

void FrmSections::setSystem(UnitSystem system) {
    if (system == session_.inputs().System)
        return;
    // The lists first, so that the results the switch shows are heard in their units.
    showSectionsUnits(c_, system);
    session_.selectSystem(system);
    fillCatalogue();
    respeak();
}

void FrmSections::cmbShape_Click(int index) {
    session_.selectShape(static_cast<sections::Shape>(index));
    showShape();
    fillCatalogue();
    respeak();
}

void FrmSections::showShape() {
    const auto shape = static_cast<sections::Shape>(c_.cmbShape->currentIndex());
    const bool box = shape == sections::Shape::Box;
    for (QWidget* w : {static_cast<QWidget*>(c_.lblDiam), static_cast<QWidget*>(c_.txtDiam)})
        w->setVisible(!box);
    for (QWidget* w : {static_cast<QWidget*>(c_.lblSpan), static_cast<QWidget*>(c_.txtSpan),
                       static_cast<QWidget*>(c_.lblRise), static_cast<QWidget*>(c_.txtRise)})
        w->setVisible(box);
    c_.lblDiam->setText(shape == sections::Shape::Square ? QStringLiteral("Si&de:")
                                                         : QStringLiteral("&Diameter:"));
}

void FrmSections::fillCatalogue() {
    const sizing::SizeList list = shownCatalogue();
    c_.cmbCatalogue->clear();
    c_.cmbCatalogue->addItem(QStringLiteral("(pick a size)"));
    const std::string_view word =
        units::unitLists(session_.inputs().System).diam[list.inFeet ? 1 : 0];
    const QString unit = QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
    for (const sizing::SectionSize& size : list.sizes)
        c_.cmbCatalogue->addItem(qs(sizing::sizeText(list.shape, size)) + u' ' + unit);
}

void FrmSections::cmbCatalogue_Click(int index) {
    const sizing::SizeList list = shownCatalogue();
    if (index < 1 || index > static_cast<int>(list.sizes.size()))
        return;
    const sizing::SectionSize& size = list.sizes[static_cast<std::size_t>(index - 1)];
    // The catalogue's unit first, then the size typed into the shape's boxes and committed.
    const int unit = list.inFeet ? 1 : 0;
    if (c_.cmbUnDiam->currentIndex() != unit) {
        c_.cmbUnDiam->setCurrentIndex(unit);
        session_.selectUnit(UnitList::Diam, unit);
    }
    std::vector<std::pair<TextBox, double>> typed;
    if (list.shape == sections::Shape::Box)
        typed = {{TextBox::Span, size.first}, {TextBox::Rise, size.second}};
    else
        typed = {{TextBox::Diam, size.first}};
    for (const auto& [which, value] : typed)
        box(which)->setText(qs(generalNumberText(value)));
    for (const auto& [which, value] : typed)
        if (session_.commit(which) != SessionStatus::Done)
            break;
}

void FrmSections::refresh() {
    const CalcEntry entry = session_.entry();
    picture::PictureModel model = picture::buildPictureModel(session_.inputs(), &entry);
    // The peak open-channel flow by the display rule of the flow unit shown.
    std::string peak;
    if (model.drawable)
        peak = displayNumber(model.peakFlow, model.flowUnit == "GPM" ? kGpmDigits : kDigits);
    c_.labels.at("lblrQpeak")->setText(qs(peak));
    c_.picSection->setModel(std::move(model));
    respeak();
}

void FrmSections::respeak() {
    // Every box and list is heard with its caption, its value and its unit.
    const std::string diamUnit = plain(c_.cmbUnDiam->currentText());
    const bool square = c_.cmbShape->currentIndex() == static_cast<int>(sections::Shape::Square);
    const std::tuple<QWidget*, std::string, std::string, std::string> named[] = {
        {c_.txtDiam, square ? "Side" : "Diameter", c_.txtDiam->text().toStdString(), diamUnit},
        {c_.txtSpan, "Span", c_.txtSpan->text().toStdString(), diamUnit},
        {c_.txtRise, "Rise", c_.txtRise->text().toStdString(), diamUnit},
        {c_.txtSlope, "Slope", c_.txtSlope->text().toStdString(),
         plain(c_.cmbUnSlope->currentText())},
        {c_.txtQinput, "Q (flowrate)", c_.txtQinput->text().toStdString(),
         plain(c_.cmbUnFlo->currentText())},
        {c_.txtM, "n", c_.txtM->text().toStdString(), ""},
        {c_.txtPipeID, "Pipe name", c_.txtPipeID->text().toStdString(), ""},
        {c_.cmbShape, "Shape", plain(c_.cmbShape->currentText()), ""},
        {c_.cmbCatalogue, "Catalogue", plain(c_.cmbCatalogue->currentText()), ""},
        {c_.cmbUnDiam, "Diameter unit", diamUnit, ""},
        {c_.cmbUnSlope, "Slope unit", plain(c_.cmbUnSlope->currentText()), ""},
        {c_.cmbUnFlo, "Flow unit", plain(c_.cmbUnFlo->currentText()), ""},
        {c_.cmdRecord, "Record", "", ""},
        {c_.cmdClose, "Close", "", ""}};
    for (const auto& [w, caption, text, unit] : named) {
        const QString name = qs(text.empty() && (qobject_cast<QPushButton*>(w) != nullptr)
                                    ? caption
                                    : spokenLabel(caption, text, unit));
        if (w->accessibleName() != name) // only a change is told to screen readers
            w->setAccessibleName(name);
    }
}

void FrmSections::labelChanged(Label label, const std::string& text) {
    const auto it = c_.labels.find(labelName(label));
    if (it != c_.labels.end())
        it->second->setText(qs(text));
}

void FrmSections::textChanged(TextBox which, const std::string& text) {
    if (which == TextBox::PipeName)
        c_.txtPipeID->setText(qs(text));
    else if (NumericBox* edit = box(which))
        edit->setText(qs(text));
}

void FrmSections::message(const std::string& prompt) {
    boxes_.show(this, qs(prompt));
}

void FrmSections::recorded(const std::string& record) {
    results_.AddResult(record);
}

} // namespace runnelex
