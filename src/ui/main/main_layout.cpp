// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/main_controls.h"

#include <functional>

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "input/units.h"
#include "ui/main/numeric_box.h"
#include "ui/main/quiet_frame.h"
#include "ui/main/result_label.h"
#include "ui/main/unit_combo.h"

namespace runnelex {

namespace {

// The unit of every velocity the window shows, as laid out.
constexpr const char* kVelocityUnit = "ft/sec";

// Widths follow the font, so the window keeps its proportions at any font size or scale.
int textWidth(const QWidget* w, const char* sample) {
    return w->fontMetrics().horizontalAdvance(QString::fromLatin1(sample));
}

QLabel* label(QWidget* parent, const char* name, const char* text, const char* tip = nullptr) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    if (tip != nullptr)
        l->setToolTip(QString::fromUtf8(tip));
    return l;
}

// A label a calculation writes, sized for `samples`, the texts it is meant to show.
ResultLabel* writtenLabel(QWidget* parent, const char* name, const char* text,
                          const QStringList& samples, MainControls& c, bool sunken = false) {
    auto* l = new ResultLabel(parent, samples, sunken);
    l->setObjectName(QString::fromLatin1(name));
    l->setText(QString::fromUtf8(text));
    c.labels[name] = l;
    return l;
}

// A result value: a sunken field that screen readers hear with the caption and the unit of its
// row, the unit as `unit` gives it.
ResultLabel* valueLabel(QWidget* parent, const char* name, const QString& caption,
                        std::function<QString()> unit, MainControls& c) {
    ResultLabel* l = writtenLabel(parent, name, "", {"Supercritical", "0000.0000"}, c, true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->speakAs(caption, std::move(unit));
    return l;
}

// The unit a label beside the value names, whatever the unit system shows there now.
std::function<QString()> unitOf(const QLabel* unitLabel) {
    return [unitLabel] {
        return unitLabel == nullptr ? QString() : unitLabel->text();
    };
}

// The unit a heading names in parentheses: "cfs" of "Q (cfs)".
QString headingUnit(const QString& heading) {
    const qsizetype open = heading.indexOf(u'('), close = heading.lastIndexOf(u')');
    return open >= 0 && close > open ? heading.mid(open + 1, close - open - 1) : heading;
}

QFrame* rule(QWidget* parent, const char* name, QFrame::Shape shape) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

QGroupBox* frame(QWidget* parent, const char* name, const char* caption) {
    auto* g = new QGroupBox(QString::fromUtf8(caption), parent);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

NumericBox* numericBox(QWidget* parent, const char* name, const char* tip) {
    auto* box = new NumericBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(QString::fromUtf8(tip));
    box->setMinimumWidth(textWidth(box, "0000.00000") + 12);
    return box;
}

UnitCombo* unitCombo(QWidget* parent, const char* name, const char* tip) {
    auto* combo = new UnitCombo(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setToolTip(QString::fromUtf8(tip));
    combo->setMinimumWidth(textWidth(combo, "ft/ft") + 40);
    return combo;
}

// One unit frame: the text box on the left, its unit list on the right.
QGroupBox* unitFrame(QWidget* parent, const char* name, const char* caption, NumericBox*& box,
                     const char* boxName, const char* boxTip, UnitCombo*& combo,
                     const char* comboName, const char* comboTip) {
    QGroupBox* g = frame(parent, name, caption);
    auto* row = new QHBoxLayout(g);
    box = numericBox(g, boxName, boxTip);
    combo = unitCombo(g, comboName, comboTip);
    row->addWidget(box, 1);
    row->addWidget(combo);
    return g;
}

QGroupBox* buildInput(QWidget* parent, MainControls& c) {
    QGroupBox* g = frame(parent, "fraInput", "Required Input");
    auto* col = new QVBoxLayout(g);
    // Created in Tab order, each list right after its box.
    c.fraDiameter =
        unitFrame(g, "fraDiameter", "&Diameter", c.txtDiam, "txtDiam", "Key in Pipe Diameter here",
                  c.cmbUnDiam, "cmbUnDiam", "Select Diameter Unit");
    c.fraSlope = unitFrame(g, "fraSlope", "&Slope", c.txtSlope, "txtSlope", "Key in Slope here",
                           c.cmbUnSlope, "cmbUnSlope", "Select Slope Unit");
    c.fraQtarget = unitFrame(g, "fraQtarget", "&Q (flowrate)", c.txtQinput, "txtQinput",
                             "Key in Flow Rate here", c.cmbUnFlo, "cmbUnFlo", "Select Flow Units");
    col->addWidget(c.fraDiameter);
    col->addWidget(c.fraSlope);
    col->addWidget(c.fraQtarget);
    auto* nRow = new QHBoxLayout;
    QLabel* lblM = label(g, "lblM", "n = ");
    nRow->addWidget(lblM);
    c.txtM = numericBox(g, "txtM", "Key in Manning's n here");
    lblM->setBuddy(c.txtM); // screen readers name the box by it, not by the frame
    nRow->addWidget(c.txtM, 1);
    nRow->addSpacing(c.cmbUnFlo->minimumWidth() / 2);
    col->addLayout(nRow);
    col->addStretch(1);
    return g;
}

QGroupBox* buildCapacities(QWidget* parent, MainControls& c) {
    QGroupBox* g = frame(parent, "fraCapacities", "Capacities");
    auto* grid = new QGridLayout(g);
    grid->setHorizontalSpacing(8);
    grid->addWidget(label(g, "lbldDcap", "d/D"), 0, 0);
    ResultLabel* capQ = writtenLabel(
        g, "lblCapQ", units::kCapacityHeadingLayout,
        {"Q(cfs)", "Q (cfs)", "Q (mgd)", "Q (gpm)", QString::fromUtf8("Q (m\u00b3/s)"), "Q (ML/d)"},
        c);
    grid->addWidget(capQ, 0, 2);
    // The flows are heard in the unit of the heading, which every change of the flow unit
    // writes before the flows.
    const auto flowUnit = [capQ] {
        return headingUnit(capQ->text());
    };
    QLabel* capV = label(g, "lblCapV", "V(fps)");
    c.unitLabels["lblCapV"] = capV;
    grid->addWidget(capV, 0, 3);
    // The velocities are heard in the unit the heading names ("fps" is spoken ft/sec).
    const auto velocityUnit = [capV] {
        const QString unit = headingUnit(capV->text());
        return unit == QStringLiteral("fps") ? QStringLiteral("ft/sec") : unit;
    };
    grid->addWidget(rule(g, "Line1", QFrame::HLine), 1, 0, 1, 4);
    grid->addWidget(rule(g, "Line2", QFrame::VLine), 2, 1, 4, 1);
    const char* const rows[][3] = {{"lbldD050", "0.50", "050"},
                                   {"lbldD075", "0.75", "075"},
                                   {"lbldD093", "0.93", "093"},
                                   {"lbldD100", "1.00", "100"}};
    int r = 2;
    for (const auto& row : rows) {
        grid->addWidget(label(g, row[0], row[1]), r, 0);
        const std::string q = std::string("lblrQ") + row[2];
        const std::string v = std::string("lblrV") + row[2];
        const QString at = QStringLiteral(" at d/D ") + QString::fromLatin1(row[1]);
        grid->addWidget(valueLabel(g, q.c_str(), QStringLiteral("Q") + at, flowUnit, c), r, 2);
        grid->addWidget(valueLabel(g, v.c_str(), QStringLiteral("V") + at, velocityUnit, c), r, 3);
        ++r;
    }
    grid->setRowStretch(r, 1);
    return g;
}

struct ResultRow {
    const char* name;
    const char* text;
    const char* equals;
    const char* value;
    const char* unitName;
    const char* unitText;
};

// A caption, "=", the value and its unit (if any) from column `col` on. The value is heard
// as the row reads; the "=" is not heard on its own.
void addResultRow(QWidget* g, QGridLayout* grid, int row, int col, const ResultRow& item,
                  MainControls& c) {
    grid->addWidget(label(g, item.name, item.text), row, col);
    QLabel* equals = label(g, item.equals, "=");
    QuietFrame::hideDecoration(equals);
    grid->addWidget(equals, row, col + 1);
    QLabel* unit = nullptr;
    if (item.unitName != nullptr) {
        unit = label(g, item.unitName, item.unitText);
        c.unitLabels[item.unitName] = unit;
    }
    grid->addWidget(valueLabel(g, item.value, QString::fromUtf8(item.text), unitOf(unit), c), row,
                    col + 2);
    if (unit != nullptr)
        grid->addWidget(unit, row, col + 3);
}

QGroupBox* buildNormal(QWidget* parent, MainControls& c) {
    // Its "=" labels are decorations that screen readers skip.
    QGroupBox* g = QuietFrame::create(parent, QStringLiteral("Normal Results"));
    g->setObjectName(QStringLiteral("fraNormal"));
    auto* col = new QVBoxLayout(g);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    const ResultRow left[] = {
        {"lblVnorm", "Vnorm", "Label1", "lblrVnorm", "lblrVnormUnits", kVelocityUnit},
        {"lblDnorm", "Dnorm", "Label2", "lblrDnorm", "lblrDnormUnit", "ft"},
        {"lblDoverD", "d/D", "Label3", "lblrDoverD", nullptr, nullptr},
        {"lblDcr", "Dcr", "Label10", "lblrDcr", "lbluDcr", "ft"},
        {"lblFr", "Froude#", "Label8", "lblrFrNo", nullptr, nullptr},
        {"lblRegime", "Regime", "Label9", "lblrRegime", nullptr, nullptr}};
    const ResultRow right[] = {
        {"lblAreaW", "AreaW", "Label5", "lblrAreaW", "lblrAreaWUnits", "sq. ft."},
        {"lblPerimW", "PerimW", "Label6", "lblrPerimW", "lblrPerimWUnits", "ft."},
        {"lblRh", "Rh", "Label7", "lblrRh", "lblrRhUnits", "ft"}};
    for (int i = 0; i < 6; ++i)
        addResultRow(g, grid, i, 0, left[i], c);
    // Column 4 parts the two halves; Label4 is its narrow empty head.
    QLabel* gap = label(g, "Label4", "");
    gap->setFixedWidth(2);
    QuietFrame::hideDecoration(gap);
    grid->addWidget(gap, 0, 4);
    grid->setColumnMinimumWidth(4, textWidth(g, "MMM"));
    for (int i = 0; i < 3; ++i)
        addResultRow(g, grid, i, 5, right[i], c);
    grid->setColumnStretch(9, 1);
    col->addLayout(grid);

    // The full-flow block.
    auto* full = new QGridLayout;
    full->setHorizontalSpacing(6);
    const char* const condition = "If the Pipe were flowing full due to";
    full->addWidget(
        writtenLabel(g, "lblFullCondition", condition,
                     {condition, "If the pipe were flowing full ", "Flow is flowing full due to:"},
                     c),
        0, 0, 1, 6);
    const char* const cause = "tailwater conditions:";
    full->addWidget(
        writtenLabel(g, "lblFullCause", cause, {cause, "due to tailwater:", "Surcharge!"}, c), 1,
        0);
    addResultRow(g, full, 1, 1,
                 {"lblVfull", "V(full)", "Label11", "lblrVfull", "Label13", kVelocityUnit}, c);
    addResultRow(g, full, 2, 1,
                 {"lblHf", "Hydraulic Slope", "Label12", "lblrHf", "Label14", "ft/ft"}, c);
    full->setColumnMinimumWidth(0, textWidth(g, "Flow is flowing full due to:") / 2);
    full->setColumnStretch(5, 1);
    col->addSpacing(4);
    col->addLayout(full);
    return g;
}

QGroupBox* buildLog(QWidget* parent, MainControls& c) {
    QGroupBox* g = frame(parent, "fraLogFile", "Calculation Log File");
    g->setToolTip(QStringLiteral("Controls for Log File"));
    auto* row = new QHBoxLayout(g);
    const auto button = [g](const char* name, const char* text, const char* tip) {
        auto* b = new QPushButton(QString::fromUtf8(text), g);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromUtf8(tip));
        b->setFocusPolicy(Qt::ClickFocus); // outside the Tab cycle
        b->setAutoDefault(false);
        return b;
    };
    c.cmdSaveLog =
        button("cmdSaveLog", "Enable &Logging...", "Click here to open the Results Window");
    c.lblSaveWhen =
        label(g, "lblSaveWhen", "When to Write:", "Choose Auto and/or Manual calc recording");
    c.cmdSaveNow =
        button("cmdSaveNow", "No&w", "Click Here to write current calc to Results Window");
    c.chkSaveAlways = new QCheckBox(QStringLiteral("&Always"), g);
    c.chkSaveAlways->setObjectName(QStringLiteral("chkSaveAlways"));
    c.chkSaveAlways->setToolTip(
        QStringLiteral("When checked, EVERY calculation is sent to the Results Window"));
    c.chkSaveAlways->setFocusPolicy(Qt::ClickFocus);
    c.lblLogPipeName = label(g, "lblLogPipeName", "Pipe Name:");
    c.txtPipeID = new QLineEdit(g);
    c.txtPipeID->setObjectName(QStringLiteral("txtPipeID"));
    c.txtPipeID->setToolTip(QStringLiteral("Name (optional) is saved to file when NOW is clicked"));
    c.txtPipeID->setFocusPolicy(Qt::ClickFocus);
    c.txtPipeID->setMinimumWidth(textWidth(c.txtPipeID, "MH-12 to MH-13"));
    c.lblLogPipeName->setBuddy(c.txtPipeID);
    c.Label16 = label(g, "Label16", "(optional)");

    row->addWidget(c.cmdSaveLog);
    row->addSpacing(12);
    row->addWidget(c.lblSaveWhen);
    row->addWidget(c.cmdSaveNow);
    row->addWidget(c.chkSaveAlways);
    row->addSpacing(12);
    row->addWidget(c.lblLogPipeName);
    row->addWidget(c.txtPipeID, 1);
    row->addWidget(c.Label16);
    for (QWidget* w :
         {static_cast<QWidget*>(c.lblSaveWhen), static_cast<QWidget*>(c.cmdSaveNow),
          static_cast<QWidget*>(c.chkSaveAlways), static_cast<QWidget*>(c.lblLogPipeName),
          static_cast<QWidget*>(c.txtPipeID), static_cast<QWidget*>(c.Label16)})
        w->setEnabled(false);
    return g;
}

QWidget* buildNotices(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* col = new QVBoxLayout(box);
    col->setContentsMargins(0, 6, 0, 0);
    QLabel* beta =
        label(box, "Label15",
              "This is a Beta Version.  Numbers are not gauranteed.  Please verify all numbers.");
    beta->setWordWrap(true);
    QLabel* maker =
        label(box, "lblKelvara", "Visit www.kelvara.example for updates and other free tools.",
              "visit the Kelvara web site, get free updates, tools & tips");
    maker->setWordWrap(true);
    box->setFixedWidth(textWidth(box, "Numbers are not gauranteed."));
    col->addWidget(beta);
    col->addWidget(rule(box, "Line3", QFrame::HLine));
    col->addWidget(maker);
    col->addStretch(1);
    return box;
}

QAction* item(QMenu* menu, const char* name, const char* caption, bool enabled = true) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    return a;
}

void buildMenus(QMainWindow& window, MainControls& c) {
    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    item(file, "mnuSaveLogFile", "create &Log File...", false);
    c.mnuExit = item(file, "mnuExit", "E&xit");
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    item(options, "mnuUnitDefault", "save &unit settings as default", false);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    c.mnuHelp4Runnelex = item(help, "mnuHelp4Runnelex", "Help for &Runnelex...");
    c.mnuAbout_Runnelex = item(help, "mnuAbout_Runnelex", "&About Runnelex...");
    c.mnuRunnelex_Updates = item(help, "mnuRunnelex_Updates", "Runnelex &Updates...");
    c.mnuKelvara = item(help, "mnuKelvara", "&Kelvara...");
}

} // namespace

MainControls buildMainControls(QMainWindow& window) {
    MainControls c;
    auto* central = new QWidget(&window);
    auto* grid = new QGridLayout(central);
    grid->addWidget(buildInput(central, c), 0, 0);
    grid->addWidget(buildCapacities(central, c), 0, 1);
    grid->addWidget(buildNotices(central), 0, 2);
    grid->addWidget(buildNormal(central, c), 1, 0, 1, 3);
    grid->addWidget(buildLog(central, c), 2, 0, 1, 3);
    window.setCentralWidget(central);
    buildMenus(window, c);
    // Fixed size: the layout never rearranges, the window cannot be resized or maximized.
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    return c;
}

void showResultUnits(MainControls& c, UnitSystem system) {
    const units::ResultUnits& u = units::resultUnits(system);
    const std::pair<const char*, const char*> texts[] = {
        {"lblrVnormUnits", u.velocity}, {"lblrDnormUnit", u.depth},       {"lbluDcr", u.depth},
        {"lblrAreaWUnits", u.area},     {"lblrPerimWUnits", u.perimeter}, {"lblrRhUnits", u.depth},
        {"lblCapV", u.capacityV},       {"Label13", u.velocity},          {"Label14", u.slope}};
    for (const auto& [name, text] : texts)
        if (const auto it = c.unitLabels.find(name); it != c.unitLabels.end())
            it->second->setText(QString::fromUtf8(text));
}

} // namespace runnelex
