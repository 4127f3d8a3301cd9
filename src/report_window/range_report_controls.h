// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class QAbstractItemModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QWidget;

namespace runnelex {

// The controls of the Range Report window, named after the main window's where they mean the
// same: the fixed inputs, the one or two inputs varied, the run and its progress, the rows.
struct RangeReportControls {
    QLineEdit *txtPipeID, *txtSlope, *txtQinput, *txtM;
    // The conduit's shape (each item's data its word in the shape table) and a box for every
    // dimension word of the table ("txtDiam", "txtSpan"), in the diameter's unit; a shape shows
    // its own.
    QComboBox* cmbShape;
    struct DimensionBox {
        std::string word;
        QLabel* label;
        QLineEdit* box;
    };
    std::vector<DimensionBox> dimensions;
    QComboBox *cmbUnDiam, *cmbUnSlope, *cmbUnFlo;
    QPushButton* cmdFromMain;
    // The input varied first (slowest) and the second one, or "(none)"; each item's data is
    // the input's name in "--vary NAME=VALUES", in the order of report::variableInputs().
    QComboBox *cmbVary1, *cmbVary2;
    QLineEdit *txtVary1, *txtVary2;
    QPlainTextEdit* txtCommand; // the runnelex-cli command that gives the same rows, wrapped
    QPushButton *cmdRun, *cmdCancel;
    QProgressBar* prgReport;
    QLabel* lblStatus;
    QTableView* grdRows;
    QPushButton *cmdSaveAs, *cmdCopy, *cmdClose;
};

// Builds the controls into `window` and lays them out; the table shows `rows`.
RangeReportControls buildRangeReportControls(QWidget& window, QAbstractItemModel& rows);

} // namespace runnelex
