// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_window/range_report_controls.h"

#include <cctype>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "input/units.h"
#include "report/report_plan.h"
#include "results/record.h"
#include "sections/shape_table.h"

namespace runnelex {

namespace {

QString qs(const char* s) {
    return QString::fromUtf8(s);
}

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(qs(name));
    return widget;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, const char* tip) {
    auto* edit = named(new QLineEdit(parent), name);
    edit->setToolTip(qs(tip));
    return edit;
}

template <std::size_t N>
QComboBox* unitList(QWidget* parent, const char* name,
                    const std::array<std::string_view, N>& items) {
    auto* combo = named(new QComboBox(parent), name);
    for (std::string_view item : items)
        combo->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    // Room for the units of either system.
    combo->setMinimumContentsLength(5);
    return combo;
}

QComboBox* varyList(QWidget* parent, const char* name, bool withNone) {
    auto* combo = named(new QComboBox(parent), name);
    if (withNone)
        combo->addItem(qs("(none)"), QString());
    // The calculator's law is Manning's: the other laws' coefficients are not offered.
    for (const report::Input& input : report::variableInputs())
        if (input.kind != RequestField::Kind::LawInput)
            combo->addItem(QString::fromStdString(report::inputCaption(input)),
                           QString::fromStdString(optionWord(input)));
    return combo;
}

QPushButton* button(QWidget* parent, const char* name, const char* text, const char* tip) {
    auto* b = named(new QPushButton(qs(text), parent), name);
    b->setToolTip(qs(tip));
    b->setAutoDefault(false);
    return b;
}

// A caption whose access key puts the focus on `buddy`.
QLabel* caption(QWidget* parent, const char* text, QWidget* buddy) {
    auto* label = new QLabel(qs(text), parent);
    label->setBuddy(buddy);
    return label;
}

QGroupBox* fixedInputs(QWidget& w, RangeReportControls& c) {
    auto* frame = named(new QGroupBox(qs("Fixed Inputs"), &w), "fraFixed");
    c.txtPipeID = lineEdit(frame, "txtPipeID", "Pipe name written in every row (optional)");
    c.txtSlope = lineEdit(frame, "txtSlope", "Slope, unless it is varied");
    c.txtQinput = lineEdit(frame, "txtQinput", "Flow rate, unless it is varied");
    c.txtM = lineEdit(frame, "txtM", "Manning's n, unless it is varied");
    c.cmbShape = named(new QComboBox(frame), "cmbShape");
    c.cmbShape->setToolTip(qs("The conduit's shape"));
    for (const sections::ShapeRow& row : sections::shapeTable())
        c.cmbShape->addItem(
            QString::fromUtf8(row.caption.data(), static_cast<qsizetype>(row.caption.size())),
            QString::fromUtf8(row.word.data(), static_cast<qsizetype>(row.word.size())));
    c.cmbUnDiam = unitList(frame, "cmbUnDiam", units::kDiamItems);
    c.cmbUnSlope = unitList(frame, "cmbUnSlope", units::kSlopeItems);
    c.cmbUnFlo = unitList(frame, "cmbUnFlo", units::kFlowItems);
    c.cmdFromMain = button(frame, "cmdFromMain", "From &Main Window",
                           "Take the texts and units the main window shows now");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(caption(frame, "&Pipe name:", c.txtPipeID), 0, 0);
    grid->addWidget(c.txtPipeID, 0, 1, 1, 2);
    grid->addWidget(caption(frame, "S&hape:", c.cmbShape), 1, 0);
    grid->addWidget(c.cmbShape, 1, 1, 1, 2);
    // A box for every dimension of the table, the diameter's unit list beside the first.
    int row = 2;
    for (std::string_view word : sections::dimensionWords()) {
        std::string name(word);
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        RangeReportControls::DimensionBox d{std::string(word), nullptr, nullptr};
        d.box = lineEdit(frame, ("txt" + name).c_str(), "");
        d.label = named(caption(frame, "", d.box), ("lbl" + name).c_str());
        grid->addWidget(d.label, row, 0);
        grid->addWidget(d.box, row, 1);
        if (row == 2)
            grid->addWidget(c.cmbUnDiam, row, 2);
        c.dimensions.push_back(d);
        ++row;
    }
    grid->addWidget(caption(frame, "&Slope:", c.txtSlope), row, 0);
    grid->addWidget(c.txtSlope, row, 1);
    grid->addWidget(c.cmbUnSlope, row++, 2);
    grid->addWidget(caption(frame, "&Q (flowrate):", c.txtQinput), row, 0);
    grid->addWidget(c.txtQinput, row, 1);
    grid->addWidget(c.cmbUnFlo, row++, 2);
    grid->addWidget(caption(frame, "&n:", c.txtM), row, 0);
    grid->addWidget(c.txtM, row++, 1);
    grid->addWidget(c.cmdFromMain, row, 1, 1, 2);
    return frame;
}

QGroupBox* varied(QWidget& w, RangeReportControls& c) {
    auto* frame = named(new QGroupBox(qs("Vary"), &w), "fraVary");
    const char* valuesTip = "A range FROM:TO:STEP or a list V1,V2,... in the input's unit";
    c.cmbVary1 = varyList(frame, "cmbVary1", false);
    // The flow, the input most often swept.
    c.cmbVary1->setCurrentIndex(c.cmbVary1->findData(QStringLiteral("flow")));
    c.cmbVary2 = varyList(frame, "cmbVary2", true);
    c.txtVary1 = lineEdit(frame, "txtVary1", valuesTip);
    c.txtVary2 = lineEdit(frame, "txtVary2", valuesTip);
    c.txtVary1->setPlaceholderText(qs("0.5:4:0.5"));
    c.txtVary2->setPlaceholderText(qs("8,10,12"));
    auto* hint =
        new QLabel(qs("Values: a range FROM:TO:STEP (0.5:2:0.5 gives 0.5, 1, 1.5, 2) or a list "
                      "V1,V2,... (8,10,12), in the input's unit. The first input varies slowest."),
                   frame);
    hint->setWordWrap(true);
    auto* grid = new QGridLayout(frame);
    // Each list above its values, so that the values keep their width in a narrow window.
    grid->addWidget(caption(frame, "&Vary:", c.cmbVary1), 0, 0);
    grid->addWidget(c.cmbVary1, 0, 1);
    grid->addWidget(caption(frame, "Val&ues:", c.txtVary1), 1, 0);
    grid->addWidget(c.txtVary1, 1, 1, 1, 2);
    grid->addWidget(caption(frame, "&Then vary:", c.cmbVary2), 2, 0);
    grid->addWidget(c.cmbVary2, 2, 1);
    grid->addWidget(caption(frame, "Va&lues:", c.txtVary2), 3, 0);
    grid->addWidget(c.txtVary2, 3, 1, 1, 2);
    grid->addWidget(hint, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return frame;
}

QTableView* rowsTable(QWidget& w, QAbstractItemModel& rows) {
    auto* table = named(new QTableView(&w), "grdRows");
    table->setModel(&rows);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->setCornerButtonEnabled(true);
    // Fixed row heights: the view then places any of a million rows without measuring them.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->horizontalHeader()->setHighlightSections(false);
    const int number = table->fontMetrics().horizontalAdvance(qs("00000.0000")) + 12;
    for (std::size_t i = 0; i < record::kFieldCount; ++i) {
        const QString name = QString::fromStdString(record::headerNames()[i]);
        table->horizontalHeader()->resizeSection(
            static_cast<int>(i),
            std::max(number, table->fontMetrics().horizontalAdvance(name) + 16));
    }
    return table;
}

} // namespace

RangeReportControls buildRangeReportControls(QWidget& w, QAbstractItemModel& rows) {
    RangeReportControls c{};
    auto* top = new QHBoxLayout;
    top->addWidget(fixedInputs(w, c), 1);
    top->addWidget(varied(w, c), 1);
    // Wrapped, so the whole command shows; copied, it is one line again.
    c.txtCommand = named(new QPlainTextEdit(&w), "txtCommand");
    c.txtCommand->setToolTip(qs("The command that writes the same rows"));
    c.txtCommand->setReadOnly(true);
    c.txtCommand->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    c.txtCommand->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    c.txtCommand->setFixedHeight(c.txtCommand->fontMetrics().lineSpacing() * 2 +
                                 2 * (c.txtCommand->frameWidth() + 4));
    auto* command = new QHBoxLayout;
    command->addWidget(caption(&w, "Command:", c.txtCommand), 0, Qt::AlignTop);
    command->addWidget(c.txtCommand, 1);

    c.cmdRun = button(&w, "cmdRun", "&Run", "Compute every row of the report");
    c.cmdCancel = button(&w, "cmdCancel", "Canc&el", "Stop the report, keeping the rows made");
    c.prgReport = named(new QProgressBar(&w), "prgReport");
    c.lblStatus = named(new QLabel(&w), "lblStatus");
    auto* run = new QHBoxLayout;
    run->addWidget(c.cmdRun);
    run->addWidget(c.cmdCancel);
    run->addWidget(c.prgReport, 1);
    run->addWidget(c.lblStatus, 1);

    c.grdRows = rowsTable(w, rows);
    c.cmdSaveAs = button(&w, "cmdSaveAs", "Save &As...", "Save the rows as a table file");
    c.cmdCopy = button(&w, "cmdCopy", "&Copy", "Copy the selected rows, tab-separated");
    c.cmdClose = button(&w, "cmdClose", "Cl&ose", "Close the window (a running report stops)");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(c.cmdSaveAs);
    bottom->addWidget(c.cmdCopy);
    bottom->addStretch(1);
    bottom->addWidget(c.cmdClose);

    auto* all = new QVBoxLayout(&w);
    all->addLayout(top);
    all->addLayout(command);
    all->addLayout(run);
    all->addWidget(c.grdRows, 1);
    all->addLayout(bottom);
    return c;
}

} // namespace runnelex
