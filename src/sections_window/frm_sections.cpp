// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections_window/frm_sections.h"

#include <cctype>
#include <cmath>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/number_text.h"
#include "input/units.h"
#include "picture/picture_model.h"
#include "platform/message_boxes.h"
#include "results/results_log.h"
#include "sections_window/section_view.h"
#include "ui/main/numeric_box.h"
#include "ui/main/result_copy_menu.h"
#include "ui/main/result_label.h"
#include "ui/main/unit_combo.h"

namespace runnelex {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// The calculator's numeric boxes beside the dimensions'.
constexpr TextBox kNumericBoxes[] = {TextBox::Slope, TextBox::Flow, TextBox::ManningN};

// The text of a list's current item without its access key.
std::string plain(const QString& text) {
    QString t = text;
    return t.remove(u'&').toStdString();
}

} // namespace

sizing::SizeList FrmSections::catalogue(const sections::ShapeRow& shape, UnitSystem system) {
    sections::Catalogue listed = shape.listed(system);
    return {&shape, std::move(listed.sizes), listed.inFeet};
}

sizing::SizeList FrmSections::shownCatalogue() const {
    return catalogue(*session_.inputs().Shape, session_.inputs().System);
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
    for (const SectionsControls::DimensionBox& d : c_.dimensions)
        d.box->setText(qs(session_.dimensionText(d.word)));
    c_.txtPipeID->setText(qs(session_.text(TextBox::PipeName)));
    showSectionsUnits(c_, in.System);
    c_.cmbUnDiam->setCurrentIndex(entry.diamUnit);
    c_.cmbUnSlope->setCurrentIndex(entry.slopeUnit);
    c_.cmbUnFlo->setCurrentIndex(entry.flowUnit);
    c_.cmbShape->setCurrentIndex(c_.cmbShape->findData(
        QString::fromUtf8(in.Shape->word.data(), static_cast<qsizetype>(in.Shape->word.size()))));
    c_.labels.at("lblCapQ")->setText(qs(capacityHeading));
    law_ = new LawPanel(this, session_, *c_.txtM, *c_.lblM);
    c_.inputColumn->insertWidget(2, law_);
    showShape();
    fillCatalogue();
    connectControls();
    setRecordingEnabled(false);
    addResultCopyMenu(*this, session_);
    session_.calculate();
}

FrmSections::~FrmSections() {
    // Tearing the window down moves the focus; no check may run on a half-destroyed window.
    for (TextBox which : kNumericBoxes)
        disconnect(box(which), nullptr, this, nullptr);
    for (const SectionsControls::DimensionBox& d : c_.dimensions)
        disconnect(d.box, nullptr, this, nullptr);
    session_.removeShownListener(shownListener_);
}

NumericBox* FrmSections::box(TextBox which) const {
    switch (which) {
    case TextBox::Diam:
        return dimensionBox(kDiamWord);
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

NumericBox* FrmSections::dimensionBox(std::string_view word) const {
    for (const SectionsControls::DimensionBox& d : c_.dimensions)
        if (d.word == word)
            return d.box;
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
    for (const SectionsControls::DimensionBox& d : c_.dimensions) {
        const std::string word = d.word;
        connect(d.box, &NumericBox::committed, this,
                [this, word] { session_.commitDimension(word); });
        connect(d.box, &NumericBox::left, this, [this, word] { session_.commitDimension(word); });
        connect(d.box, &QLineEdit::textChanged, this, [this, word](const QString& text) {
            session_.setDimensionText(word, text.toStdString());
            respeak();
        });
        // A size typed by hand is no longer the catalogue's.
        connect(d.box, &QLineEdit::textEdited, this,
                [this] { c_.cmbCatalogue->setCurrentIndex(0); });
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
    connect(c_.cmbUnSlope, &QComboBox::activated, this,
            [this](int index) { session_.selectUnit(UnitList::Slope, index); });
    connect(c_.cmbUnFlo, &QComboBox::activated, this,
            [this](int index) { session_.selectUnit(UnitList::Flow, index); });
    connect(c_.cmbShape, &QComboBox::activated, this, &FrmSections::cmbShape_Click);
    connect(c_.cmbCatalogue, &QComboBox::activated, this, &FrmSections::cmbCatalogue_Click);
    for (QComboBox* list : std::initializer_list<QComboBox*>{
             c_.cmbUnDiam, c_.cmbUnSlope, c_.cmbUnFlo, c_.cmbShape, c_.cmbCatalogue})
        connect(list, &QComboBox::currentIndexChanged, this, &FrmSections::respeak);
    connect(c_.cmdRecord, &QPushButton::clicked, this, &FrmSections::recordShown);
    connect(c_.cmdPicture, &QPushButton::clicked, this, &FrmSections::pictureRequested);
    connect(c_.cmdSize, &QPushButton::clicked, this, &FrmSections::sizingRequested);
    connect(c_.cmdSheet, &QPushButton::clicked, this, &FrmSections::sheetRequested);
    connect(c_.cmdClose, &QPushButton::clicked, this, &QWidget::hide);
    shownListener_ = session_.addShownListener([this] { refresh(); });
    // Tab goes from box to box, as in the main window.
    QWidget* previous = nullptr;
    for (const SectionsControls::DimensionBox& d : c_.dimensions) {
        if (previous != nullptr)
            setTabOrder(previous, d.box);
        previous = d.box;
    }
    setTabOrder(previous, c_.txtSlope);
    setTabOrder(c_.txtSlope, c_.txtQinput);
    setTabOrder(c_.txtQinput, c_.txtM);
}

bool FrmSections::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.txtPipeID && event->type() == QEvent::KeyPress && c_.cmdRecord->isEnabled()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            recordShown(); // as Enter in the main window's pipe name: the name stays
    }
    return QWidget::eventFilter(watched, event);
}

void FrmSections::recordShown() {
    // A record of a section without its size could not be read back or recomputed.
    const std::vector<sections::DimensionSpec> missing = session_.missingDimensions();
    if (missing.empty()) {
        session_.record();
        return;
    }
    std::string names;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        std::string caption(missing[i].caption);
        caption[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(caption[0])));
        names += (i == 0 ? "the " : " and the ") + caption;
    }
    message("Nothing recorded: enter " + names + " first.");
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
    law_->showLaw(); // the further inputs' units
    fillCatalogue();
    respeak();
}

void FrmSections::cmbShape_Click(int index) {
    const sections::ShapeRow* shape =
        sections::shapeNamed(c_.cmbShape->itemData(index).toString().toStdString());
    session_.selectShape(shape != nullptr ? *shape : sections::defaultShape());
    showShape();
    fillCatalogue();
    respeak();
}

void FrmSections::showShape() {
    const sections::ShapeRow& shape = *session_.inputs().Shape;
    for (const SectionsControls::DimensionBox& d : c_.dimensions) {
        const std::size_t i = shape.dimensionIndex(d.word);
        const bool has = i < shape.dimensionCount();
        d.label->setVisible(has);
        d.box->setVisible(has);
        if (has) {
            d.label->setText(qs(std::string(shape.dimensions[i].label)));
            d.box->setToolTip(qs(std::string(shape.dimensions[i].tip)));
        }
    }
}

void FrmSections::fillCatalogue() {
    const sizing::SizeList list = shownCatalogue();
    c_.cmbCatalogue->clear();
    c_.cmbCatalogue->addItem(QStringLiteral("(pick a size)"));
    const std::string_view word =
        units::unitLists(session_.inputs().System).diam[list.inFeet ? 1 : 0];
    for (const sections::Dimensions& size : list.sizes)
        c_.cmbCatalogue->addItem(qs(list.shape->sizeName(size, word)));
    showCatalogueEntry();
}

void FrmSections::cmbCatalogue_Click(int index) {
    const sizing::SizeList list = shownCatalogue();
    if (index < 1 || index > static_cast<int>(list.sizes.size()))
        return;
    const sections::Dimensions& size = list.sizes[static_cast<std::size_t>(index - 1)];
    // The catalogue's unit first, then the size typed into the shape's boxes and committed.
    const int unit = list.inFeet ? 1 : 0;
    if (c_.cmbUnDiam->currentIndex() != unit) {
        c_.cmbUnDiam->setCurrentIndex(unit);
        session_.selectUnit(UnitList::Diam, unit);
    }
    const sections::ShapeRow& shape = *list.shape;
    for (std::size_t i = 0; i < shape.dimensionCount(); ++i)
        dimensionBox(shape.dimensions[i].word)->setText(qs(shape.sizeText(size, i)));
    for (const sections::DimensionSpec& d : shape.dimensions)
        if (session_.commitDimension(d.word) != SessionStatus::Done)
            break;
}

void FrmSections::refresh() {
    const CalcEntry entry = session_.entry();
    picture::PictureModel model = picture::buildPictureModel(session_.inputs(), &entry);
    // The peak open-channel flow by the display rule of the flow unit shown.
    std::string peak;
    if (model.drawable)
        peak = displayNumber(model.peakFlow, model.flowUnit == "GPM" ? kGpmDigits : kDigits,
                             model.digits);
    c_.labels.at("lblrQpeak")->setText(qs(peak));
    std::string status = model.capacityNotice;
    for (const std::string& warning : session_.inputWarnings())
        status += (status.empty() ? "" : " ") + warning;
    c_.lblStatus->setText(qs(status));
    const QString spoken = status.empty() ? QStringLiteral("Status, no notice")
                                          : QStringLiteral("Status: ") + qs(status);
    if (c_.lblStatus->accessibleName() != spoken) // a change is told to screen readers
        c_.lblStatus->setAccessibleName(spoken);
    c_.picSection->setModel(std::move(model));
    showCatalogueEntry();
    respeak();
}

void FrmSections::showCatalogueEntry() {
    // The size the results are of, when the catalogue makes it; else the prompt item.
    const CalcInputs& in = session_.inputs();
    const sizing::SizeList list = shownCatalogue();
    int match = 0;
    for (std::size_t k = 0; k < list.sizes.size() && match == 0; ++k) {
        bool same = true;
        for (std::size_t i = 0; i < list.shape->dimensionCount() && same; ++i) {
            if (!list.shape->dimensions[i].isLength()) { // a family's choice, or nothing
                const double chosen = in.Texts[i].size() == 1 ? in.Texts[i][0] : 0.0;
                same = list.sizes[k][i] == chosen;
                continue;
            }
            const double made = units::diamToFeet(list.sizes[k][i], list.inFeet, in.System);
            same = std::abs(made - in.Dims[i]) <= 1e-12 * made;
        }
        if (same)
            match = static_cast<int>(k) + 1;
    }
    c_.cmbCatalogue->setCurrentIndex(match);
}

void FrmSections::respeak() {
    // Every box and list is heard with its caption, its value and its unit.
    const std::string diamUnit = plain(c_.cmbUnDiam->currentText());
    const sections::ShapeRow& shape = *session_.inputs().Shape;
    const friction::LawRow& law = *session_.inputs().Law;
    const std::string coefficientUnit =
        law.coefficient.units.empty()
            ? std::string()
            : std::string(law.coefficient
                              .units[friction::coefficientUnit(law, session_.inputs().LawParams,
                                                               session_.inputs().System)]
                              .word);
    std::vector<std::tuple<QWidget*, std::string, std::string, std::string>> named;
    for (const SectionsControls::DimensionBox& d : c_.dimensions) {
        // A box the shape has not is named as the first shape that has it names it.
        const std::size_t i = shape.dimensionIndex(d.word);
        const sections::DimensionSpec& dimension =
            i < shape.dimensionCount() ? shape.dimensions[i] : *sections::firstDimension(d.word);
        named.emplace_back(d.box, std::string(dimension.caption), d.box->text().toStdString(),
                           dimension.isLength() ? diamUnit : std::string());
    }
    const std::tuple<QWidget*, std::string, std::string, std::string> others[] = {
        {c_.txtSlope, "Slope", c_.txtSlope->text().toStdString(),
         plain(c_.cmbUnSlope->currentText())},
        {c_.txtQinput, "Q (flowrate)", c_.txtQinput->text().toStdString(),
         plain(c_.cmbUnFlo->currentText())},
        {c_.txtM, LawPanel::symbolOf(law.coefficient), c_.txtM->text().toStdString(),
         coefficientUnit},
        {c_.txtPipeID, "Pipe name", c_.txtPipeID->text().toStdString(), ""},
        {c_.cmbShape, "Shape", plain(c_.cmbShape->currentText()), ""},
        {c_.cmbCatalogue, "Catalogue", plain(c_.cmbCatalogue->currentText()), ""},
        {c_.cmbUnDiam, "Diameter unit", diamUnit, ""},
        {c_.cmbUnSlope, "Slope unit", plain(c_.cmbUnSlope->currentText()), ""},
        {c_.cmbUnFlo, "Flow unit", plain(c_.cmbUnFlo->currentText()), ""},
        {c_.cmdRecord, "Record", "", ""},
        {c_.cmdPicture, "Picture", "", ""},
        {c_.cmdSize, "Size", "", ""},
        {c_.cmdSheet, "Calculation Sheet", "", ""},
        {c_.cmdClose, "Close", "", ""}};
    named.insert(named.end(), std::begin(others), std::end(others));
    for (auto& spoken : law_->spoken())
        named.push_back(std::move(spoken));
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

void FrmSections::dimensionChanged(std::string_view word, const std::string& text) {
    if (NumericBox* edit = dimensionBox(word))
        edit->setText(qs(text));
}

void FrmSections::lawTextChanged(std::string_view word, const std::string& text) {
    if (law_ != nullptr)
        law_->showText(word, text);
}

void FrmSections::message(const std::string& prompt) {
    boxes_.show(this, qs(prompt));
}

void FrmSections::recorded(const std::string& record) {
    results_.AddResult(record);
}

} // namespace runnelex
