// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections_window/sections_controls.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "calc/labels.h"
#include "input/units.h"
#include "sections/shape_table.h"
#include "sections_window/section_view.h"
#include "ui/main/numeric_box.h"
#include "ui/main/result_label.h"
#include "ui/main/unit_combo.h"

namespace runnelex {

namespace {

QString qs(const char* s) {
    return QString::fromUtf8(s);
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

int textWidth(const QWidget* w, const char* sample) {
    return w->fontMetrics().horizontalAdvance(qs(sample));
}

QLabel* caption(QWidget* parent, const char* name, const char* text, QWidget* buddy = nullptr) {
    auto* l = named(new QLabel(qs(text), parent), name);
    l->setTextFormat(Qt::PlainText);
    if (buddy != nullptr)
        l->setBuddy(buddy); // its access key goes to the box; screen readers name the box by it
    return l;
}

NumericBox* numericBox(QWidget* parent, const char* name, const char* tip) {
    auto* box = named(new NumericBox(parent), name);
    box->setToolTip(qs(tip));
    box->setMinimumWidth(textWidth(box, "0000.00000") + 12);
    return box;
}

// A unit list, filled with the units of a system by showSectionsUnits().
UnitCombo* unitCombo(QWidget* parent, const char* name, const char* tip) {
    auto* combo = named(new UnitCombo(parent), name);
    combo->setToolTip(qs(tip));
    combo->setMinimumWidth(textWidth(combo, "ft/ft") + 40);
    return combo;
}

template <std::size_t N>
void refill(QComboBox* combo, const std::array<std::string_view, N>& items) {
    const int at = std::max(0, combo->currentIndex());
    combo->clear();
    for (std::string_view item : items)
        combo->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    combo->setCurrentIndex(std::min(at, combo->count() - 1));
}

// The label naming the unit of a row's value, its text set by showSectionsUnits().
QLabel* unitCaption(QWidget* parent, const std::string& name, SectionsControls& c) {
    QLabel* l = caption(parent, name.c_str(), "");
    c.unitLabels[name] = l;
    return l;
}

ResultLabel* written(QWidget* parent, const char* name, const QStringList& samples,
                     SectionsControls& c, bool sunken) {
    auto* l = named(new ResultLabel(parent, samples, sunken), name);
    c.labels[name] = l;
    return l;
}

// A result value heard with its caption and the unit `unit` gives.
ResultLabel* value(QWidget* parent, const char* name, const QString& spokenCaption,
                   std::function<QString()> unit, SectionsControls& c) {
    ResultLabel* l = written(parent, name, {qs("Supercritical"), qs("0000.0000")}, c, true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->speakAs(spokenCaption, std::move(unit));
    return l;
}

// The unit a label beside the value names, whatever the unit system shows there now.
std::function<QString()> unitOf(const QLabel* unitLabel) {
    return [unitLabel] {
        return unitLabel->text();
    };
}

QString headingUnit(const QString& heading) {
    const qsizetype open = heading.indexOf(u'('), close = heading.lastIndexOf(u')');
    return open >= 0 && close > open ? heading.mid(open + 1, close - open - 1) : heading;
}

QGroupBox* conduit(QWidget& w, SectionsControls& c) {
    auto* g = named(new QGroupBox(qs("Conduit"), &w), "fraConduit");
    c.cmbShape = named(new QComboBox(g), "cmbShape");
    c.cmbShape->setToolTip(qs("The conduit's shape"));
    for (const sections::ShapeRow& row : sections::shapeTable())
        c.cmbShape->addItem(qs(std::string(row.caption)), qs(std::string(row.word)));
    c.cmbCatalogue = named(new QComboBox(g), "cmbCatalogue");
    c.cmbCatalogue->setToolTip(qs("Type a catalogue size into the boxes"));
    c.cmbUnDiam = unitCombo(g, "cmbUnDiam", "Select Diameter Unit");
    auto* grid = new QGridLayout(g);
    grid->addWidget(caption(g, "lblShape", "S&hape:", c.cmbShape), 0, 0);
    grid->addWidget(c.cmbShape, 0, 1, 1, 2);
    grid->addWidget(caption(g, "lblCatalogue", "Catalo&gue:", c.cmbCatalogue), 1, 0);
    grid->addWidget(c.cmbCatalogue, 1, 1, 1, 2);
    int row = 2;
    for (std::string_view word : sections::dimensionWords()) {
        // Named as the main window names its diameter box: "txtDiam", "lblDiam".
        std::string name(word);
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        SectionsControls::DimensionBox d{std::string(word), nullptr, nullptr};
        d.box = numericBox(g, ("txt" + name).c_str(), "");
        if (const sections::DimensionSpec* dimension = sections::firstDimension(word);
            dimension != nullptr && !dimension->isLength())
            d.box->takeAnyText();
        d.label = caption(g, ("lbl" + name).c_str(), "", d.box);
        grid->addWidget(d.label, row, 0);
        grid->addWidget(d.box, row, 1);
        ++row;
        c.dimensions.push_back(d);
    }
    grid->addWidget(c.cmbUnDiam, 2, 2, row - 2, 1, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    return g;
}

QGroupBox* flow(QWidget& w, SectionsControls& c) {
    auto* g = named(new QGroupBox(qs("Slope, Flow and n"), &w), "fraFlow");
    c.txtSlope = numericBox(g, "txtSlope", "Key in Slope here");
    c.cmbUnSlope = unitCombo(g, "cmbUnSlope", "Select Slope Unit");
    c.txtQinput = numericBox(g, "txtQinput", "Key in Flow Rate here");
    c.cmbUnFlo = unitCombo(g, "cmbUnFlo", "Select Flow Units");
    c.txtM = numericBox(g, "txtM", "Key in Manning's n here");
    auto* grid = new QGridLayout(g);
    grid->addWidget(caption(g, "lblSlope", "&Slope:", c.txtSlope), 0, 0);
    grid->addWidget(c.txtSlope, 0, 1);
    grid->addWidget(c.cmbUnSlope, 0, 2);
    grid->addWidget(caption(g, "lblQ", "&Q (flowrate):", c.txtQinput), 1, 0);
    grid->addWidget(c.txtQinput, 1, 1);
    grid->addWidget(c.cmbUnFlo, 1, 2);
    c.lblM = caption(g, "lblM", "&n = ", c.txtM);
    grid->addWidget(c.lblM, 2, 0);
    grid->addWidget(c.txtM, 2, 1);
    grid->setColumnStretch(1, 1);
    return g;
}

QGroupBox* recording(QWidget& w, SectionsControls& c) {
    auto* g = named(new QGroupBox(qs("Record"), &w), "fraRecord");
    c.txtPipeID = named(new QLineEdit(g), "txtPipeID");
    c.txtPipeID->setToolTip(qs("Name (optional) recorded with the calculation"));
    c.cmdRecord = named(new QPushButton(qs("&Record"), g), "cmdRecord");
    c.cmdRecord->setToolTip(
        qs("Write this calculation to the Results Window (after Enable Logging...)"));
    c.cmdRecord->setAutoDefault(false);
    auto* row = new QHBoxLayout(g);
    row->addWidget(caption(g, "lblLogPipeName", "Pipe na&me:", c.txtPipeID));
    row->addWidget(c.txtPipeID, 1);
    row->addWidget(c.cmdRecord);
    return g;
}

struct Row {
    const char* name;
    const char* caption;
    const char* value;
};

QGroupBox* results(QWidget& w, SectionsControls& c) {
    auto* g = named(new QGroupBox(qs("Normal Results"), &w), "fraNormal");
    auto* grid = new QGridLayout(g);
    const Row rows[] = {{"lblVnorm", "Vnorm", "lblrVnorm"}, {"lblDnorm", "Dnorm", "lblrDnorm"},
                        {"lblDoverD", "d/D", "lblrDoverD"}, {"lblDcr", "Dcr", "lblrDcr"},
                        {"lblFr", "Froude#", "lblrFrNo"},   {"lblRegime", "Regime", "lblrRegime"},
                        {"lblAreaW", "AreaW", "lblrAreaW"}, {"lblPerimW", "PerimW", "lblrPerimW"},
                        {"lblRh", "Rh", "lblrRh"}};
    int r = 0;
    for (const Row& row : rows) {
        const int col = r < 6 ? 0 : 3, at = r < 6 ? r : r - 6;
        grid->addWidget(caption(g, row.name, row.caption), at, col);
        QLabel* unit = unitCaption(g, std::string(row.value) + "Unit", c);
        grid->addWidget(value(g, row.value, qs(row.caption), unitOf(unit), c), at, col + 1);
        grid->addWidget(unit, at, col + 2);
        ++r;
    }
    grid->setColumnMinimumWidth(2, textWidth(g, "ft/sec  "));
    grid->setColumnStretch(6, 1);

    // The full-flow block, its texts the calculation's.
    const char* const condition = kStartupFullCondition;
    grid->addWidget(written(g, "lblFullCondition",
                            {qs(condition), qs("If the pipe were flowing full "),
                             qs("Flow is flowing full due to:")},
                            c, false),
                    6, 0, 1, 6);
    grid->addWidget(written(g, "lblFullCause",
                            {qs(kStartupFullCause), qs("due to tailwater:"), qs("Surcharge!")}, c,
                            false),
                    7, 0, 1, 3);
    grid->addWidget(caption(g, "lblVfull", "V(full)"), 8, 0);
    QLabel* vfullUnit = unitCaption(g, "lblrVfullUnit", c);
    grid->addWidget(value(g, "lblrVfull", qs("V(full)"), unitOf(vfullUnit), c), 8, 1);
    grid->addWidget(vfullUnit, 8, 2);
    grid->addWidget(caption(g, "lblHf", "Hydraulic Slope"), 9, 0);
    QLabel* hfUnit = unitCaption(g, "lblrHfUnit", c);
    grid->addWidget(value(g, "lblrHf", qs("Hydraulic Slope"), unitOf(hfUnit), c), 9, 1);
    grid->addWidget(hfUnit, 9, 2);
    c.labels["lblFullCondition"]->setText(qs(condition));
    c.labels["lblFullCause"]->setText(qs(kStartupFullCause));
    return g;
}

QGroupBox* capacities(QWidget& w, SectionsControls& c) {
    auto* g = named(new QGroupBox(qs("Capacities"), &w), "fraCapacities");
    auto* grid = new QGridLayout(g);
    grid->addWidget(caption(g, "lbldDcap", "d/D"), 0, 0);
    ResultLabel* capQ = written(g, "lblCapQ",
                                {qs("Q(cfs)"), qs("Q (cfs)"), qs("Q (mgd)"), qs("Q (gpm)"),
                                 qs("Q (m\u00b3/s)"), qs("Q (ML/d)")},
                                c, false);
    capQ->setText(qs(units::kCapacityHeadingLayout));
    grid->addWidget(capQ, 0, 1);
    QLabel* capV = unitCaption(g, "lblCapV", c);
    grid->addWidget(capV, 0, 2);
    // The velocities are heard in the unit the heading names ("fps" is spoken ft/sec).
    const auto velocityUnit = [capV] {
        const QString unit = headingUnit(capV->text());
        return unit == QStringLiteral("fps") ? QStringLiteral("ft/sec") : unit;
    };
    const auto flowUnit = [capQ] {
        return headingUnit(capQ->text());
    };
    const char* const rows[][3] = {{"lbldD050", "0.50", "050"},
                                   {"lbldD075", "0.75", "075"},
                                   {"lbldD093", "0.93", "093"},
                                   {"lbldD100", "1.00", "100"}};
    int r = 1;
    for (const auto& row : rows) {
        grid->addWidget(caption(g, row[0], row[1]), r, 0);
        const std::string q = std::string("lblrQ") + row[2], v = std::string("lblrV") + row[2];
        const QString at = QStringLiteral(" at d/D ") + qs(row[1]);
        grid->addWidget(value(g, q.c_str(), QStringLiteral("Q") + at, flowUnit, c), r, 1);
        grid->addWidget(value(g, v.c_str(), QStringLiteral("V") + at, velocityUnit, c), r, 2);
        ++r;
    }
    // The largest open-channel flow beside the full-flow capacity: for a box just under the
    // crown, the lid not touching.
    grid->addWidget(caption(g, "lblQpeak", "Peak open-channel flow"), r, 0, 1, 3);
    grid->addWidget(value(g, "lblrQpeak", qs("Peak open-channel flow"), flowUnit, c), r + 1, 1);
    grid->setRowStretch(r + 2, 1);
    return g;
}

} // namespace

void showSectionsUnits(SectionsControls& c, UnitSystem system) {
    const units::UnitLists lists = units::unitLists(system);
    refill(c.cmbUnDiam, lists.diam);
    refill(c.cmbUnSlope, lists.slope);
    refill(c.cmbUnFlo, lists.flow);
    const units::ResultUnits& u = units::resultUnits(system);
    const std::pair<const char*, const char*> texts[] = {
        {"lblrVnormUnit", u.velocity}, {"lblrDnormUnit", u.depth},      {"lblrDcrUnit", u.depth},
        {"lblrAreaWUnit", u.area},     {"lblrPerimWUnit", u.perimeter}, {"lblrRhUnit", u.depth},
        {"lblCapV", u.capacityV},      {"lblrVfullUnit", u.velocity},   {"lblrHfUnit", u.slope}};
    for (const auto& [name, text] : texts)
        c.unitLabels.at(name)->setText(qs(text));
}

SectionsControls buildSectionsControls(QWidget& w) {
    SectionsControls c;
    auto* inputs = new QVBoxLayout;
    inputs->addWidget(conduit(w, c));
    inputs->addWidget(flow(w, c));
    inputs->addWidget(recording(w, c));
    inputs->addStretch(1);
    c.inputColumn = inputs;

    auto* middle = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(capacities(w, c));
    c.picSection = new SectionView(&w);
    top->addWidget(c.picSection, 1);
    middle->addLayout(top, 1);
    middle->addWidget(results(w, c));

    c.cmdClose = named(new QPushButton(qs("Cl&ose"), &w), "cmdClose");
    c.cmdClose->setToolTip(qs("Hide this window"));
    c.cmdClose->setAutoDefault(false);
    c.lblStatus = caption(&w, "lblStatus", "");
    c.lblStatus->setWordWrap(true);
    c.lblStatus->setAccessibleName(qs("Status, no notice"));
    c.cmdPicture = named(new QPushButton(qs("Pic&ture..."), &w), "cmdPicture");
    c.cmdPicture->setToolTip(qs("The picture of this section: the cross-section and the chart"));
    c.cmdSize = named(new QPushButton(qs("Si&ze..."), &w), "cmdSize");
    c.cmdSize->setToolTip(qs("Size this shape from its catalogue for the slope, n and flow"));
    c.cmdSheet = named(new QPushButton(qs("&Calculation Sheet..."), &w), "cmdSheet");
    c.cmdSheet->setToolTip(qs("This calculation on paper, to print or save as PDF"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.cmdPicture, 0, Qt::AlignBottom);
    buttons->addWidget(c.cmdSize, 0, Qt::AlignBottom);
    buttons->addWidget(c.cmdSheet, 0, Qt::AlignBottom);
    buttons->addWidget(c.lblStatus, 1);
    buttons->addWidget(c.cmdClose, 0, Qt::AlignBottom);
    for (QPushButton* b : {c.cmdPicture, c.cmdSize, c.cmdSheet})
        b->setAutoDefault(false);

    auto* columns = new QHBoxLayout;
    columns->addLayout(inputs);
    columns->addLayout(middle, 1);
    auto* all = new QVBoxLayout(&w);
    all->addLayout(columns, 1);
    all->addLayout(buttons);
    return c;
}

} // namespace runnelex
