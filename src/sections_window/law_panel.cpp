// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections_window/law_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "friction/law_table.h"
#include "ui/main/numeric_box.h"

namespace runnelex {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

template <typename T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// The box's name after its word: "txtNu", "txtTemperature".
QString boxName(const char* prefix, std::string_view word) {
    QString name = qs(word);
    name[0] = name[0].toUpper();
    return QString::fromLatin1(prefix) + name;
}

} // namespace

std::string LawPanel::symbolOf(const friction::CoefficientSpec& c) {
    const std::size_t blank = c.caption.rfind(' ');
    return std::string(blank == std::string_view::npos ? c.caption : c.caption.substr(blank + 1));
}

LawPanel::LawPanel(QWidget* parent, CalcSession& session, NumericBox& coefficientBox,
                   QLabel& coefficientCaption)
    : QGroupBox(QStringLiteral("Friction Law"), parent), session_(session),
      coefficientBox_(coefficientBox), coefficientCaption_(coefficientCaption) {
    setObjectName(QStringLiteral("fraLaw"));
    auto* grid = new QGridLayout(this);
    cmbLaw_ = named(new QComboBox(this), QStringLiteral("cmbLaw"));
    cmbLaw_->setToolTip(QStringLiteral("The friction law of the calculation"));
    for (const friction::LawRow& row : friction::lawTable())
        cmbLaw_->addItem(qs(row.caption), qs(row.word));
    cmbTypical_ = named(new QComboBox(this), QStringLiteral("cmbTypical"));
    cmbTypical_->setToolTip(QStringLiteral("Type a typical value into the coefficient's box"));
    cmbUnCoefficient_ = named(new QComboBox(this), QStringLiteral("cmbUnCoefficient"));
    cmbUnCoefficient_->setToolTip(QStringLiteral("Select the roughness unit"));
    const auto caption = [this](const QString& name, const QString& text, QWidget* buddy) {
        auto* l = named(new QLabel(text, this), name);
        l->setTextFormat(Qt::PlainText);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(caption(QStringLiteral("lblLaw"), QStringLiteral("&Law:"), cmbLaw_), 0, 0);
    grid->addWidget(cmbLaw_, 0, 1);
    grid->addWidget(caption(QStringLiteral("lblTypical"), QStringLiteral("T&ypical:"), cmbTypical_),
                    1, 0);
    grid->addWidget(cmbTypical_, 1, 1);
    lblUnCoefficient_ =
        caption(QStringLiteral("lblUnCoefficient"), QStringLiteral("Unit:"), cmbUnCoefficient_);
    grid->addWidget(lblUnCoefficient_, 2, 0);
    grid->addWidget(cmbUnCoefficient_, 2, 1);
    int row = 3;
    for (const friction::LawRow& law : friction::lawTable())
        for (const friction::ParameterSpec& p : law.parameters) {
            ParameterBox b{std::string(p.word), nullptr, nullptr};
            b.box = named(new NumericBox(this), boxName("txt", p.word));
            b.box->setToolTip(QStringLiteral("Empty: the law's default"));
            b.label = caption(boxName("lbl", p.word), {}, b.box);
            grid->addWidget(b.label, row, 0);
            grid->addWidget(b.box, row, 1);
            ++row;
            const std::string word = b.word;
            connect(b.box, &NumericBox::committed, this,
                    [this, word] { parameterCommitted(word); });
            connect(b.box, &NumericBox::left, this, [this, word] { parameterCommitted(word); });
            connect(b.box, &QLineEdit::textChanged, this, [this, word](const QString& text) {
                session_.setLawText(word, text.toStdString());
            });
            parameters_.push_back(b);
        }
    grid->setColumnStretch(1, 1);
    connect(cmbLaw_, &QComboBox::activated, this, &LawPanel::lawChosen);
    connect(cmbTypical_, &QComboBox::activated, this, &LawPanel::typicalChosen);
    connect(cmbUnCoefficient_, &QComboBox::activated, this,
            [this](int index) { session_.selectCoefficientUnit(static_cast<std::size_t>(index)); });
    // A value typed by hand is no longer the list's.
    connect(&coefficientBox_, &QLineEdit::textEdited, this,
            [this] { cmbTypical_->setCurrentIndex(0); });
    showLaw();
}

void LawPanel::showLaw() {
    const friction::LawRow& law = *session_.inputs().Law;
    const UnitSystem system = session_.inputs().System;
    cmbLaw_->setCurrentIndex(cmbLaw_->findData(qs(law.word)));
    coefficientCaption_.setText(qs("&" + symbolOf(law.coefficient) + " = "));
    coefficientBox_.setToolTip(qs("Key in " + std::string(law.coefficient.caption) + " here"));
    cmbTypical_->clear();
    cmbTypical_->addItem(QStringLiteral("Typical values"));
    const std::string unit = law.coefficient.units.empty()
                                 ? std::string()
                                 : " " + std::string(law.coefficient.units[0].word);
    for (const friction::TypicalValue& t : law.typical)
        cmbTypical_->addItem(qs(std::string(t.caption) + ": " + std::string(t.text) + unit),
                             qs(t.text));
    cmbUnCoefficient_->clear();
    for (const friction::LengthUnit& u : law.coefficient.units)
        cmbUnCoefficient_->addItem(qs(u.word));
    const bool units = !law.coefficient.units.empty();
    cmbUnCoefficient_->setVisible(units);
    lblUnCoefficient_->setVisible(units);
    if (units)
        cmbUnCoefficient_->setCurrentIndex(
            static_cast<int>(friction::coefficientUnit(law, session_.inputs().LawParams, system)));
    for (const ParameterBox& b : parameters_) {
        const std::size_t i = law.parameterIndex(b.word);
        const bool own = i < law.parameters.size();
        b.label->setVisible(own);
        b.box->setVisible(own);
        if (own) {
            const friction::ParameterSpec& p = law.parameters[i];
            b.label->setText(qs(std::string(p.caption) + " (" +
                                std::string(system == UnitSystem::SI ? p.siUnit : p.usUnit) +
                                "):"));
        }
    }
}

void LawPanel::lawChosen(int index) {
    const friction::LawRow* law =
        friction::lawNamed(cmbLaw_->itemData(index).toString().toStdString());
    if (law == nullptr || law == session_.inputs().Law)
        return;
    // The box starts from the new law's usual coefficient, as a fresh calculator's does.
    coefficientBox_.setText(qs(law->coefficient.startText));
    session_.selectLaw(*law);
    showLaw();
}

void LawPanel::typicalChosen(int index) {
    if (index <= 0)
        return;
    const friction::LawRow& law = *session_.inputs().Law;
    coefficientBox_.setText(cmbTypical_->itemData(index).toString());
    if (!law.coefficient.units.empty()) {
        cmbUnCoefficient_->setCurrentIndex(0); // the table's values are in its first unit
        session_.selectCoefficientUnit(0);
    }
    session_.commit(TextBox::ManningN);
}

void LawPanel::parameterCommitted(const std::string& word) {
    // The law takes one further input: a value typed empties the others.
    if (!session_.lawText(word).empty())
        for (const ParameterBox& b : parameters_)
            if (b.word != word && !b.box->text().isEmpty()) {
                b.box->clear();
                session_.commitLawInput(b.word);
            }
    session_.commitLawInput(word);
}

void LawPanel::showText(std::string_view word, const std::string& text) {
    for (const ParameterBox& b : parameters_)
        if (b.word == word)
            b.box->setText(QString::fromStdString(text));
}

std::vector<std::tuple<QWidget*, std::string, std::string, std::string>> LawPanel::spoken() const {
    const friction::LawRow& law = *session_.inputs().Law;
    std::vector<std::tuple<QWidget*, std::string, std::string, std::string>> named = {
        {cmbLaw_, "Friction law", cmbLaw_->currentText().toStdString(), ""},
        {cmbTypical_, "Typical values", cmbTypical_->currentText().toStdString(), ""},
        {cmbUnCoefficient_, "Roughness unit", cmbUnCoefficient_->currentText().toStdString(), ""}};
    for (const ParameterBox& b : parameters_) {
        const std::size_t i = law.parameterIndex(b.word);
        const friction::ParameterSpec* p = i < law.parameters.size() ? &law.parameters[i] : nullptr;
        const UnitSystem system = session_.inputs().System;
        named.emplace_back(b.box, p ? std::string(p->caption) : b.word, b.box->text().toStdString(),
                           p ? std::string(system == UnitSystem::SI ? p->siUnit : p->usUnit) : "");
    }
    return named;
}

} // namespace runnelex
