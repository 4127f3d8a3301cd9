// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

#include "common/unit_system.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;

namespace runnelex {

class NumericBox;
class ResultLabel;
class UnitCombo;

// The controls of the main window that its logic reads or writes; the window owns them all.
struct MainControls {
    NumericBox* txtDiam = nullptr;
    NumericBox* txtSlope = nullptr;
    NumericBox* txtQinput = nullptr;
    NumericBox* txtM = nullptr;
    UnitCombo* cmbUnDiam = nullptr;
    UnitCombo* cmbUnSlope = nullptr;
    UnitCombo* cmbUnFlo = nullptr;
    QGroupBox* fraDiameter = nullptr;
    QGroupBox* fraSlope = nullptr;
    QGroupBox* fraQtarget = nullptr;

    QPushButton* cmdSaveLog = nullptr;
    QLabel* lblSaveWhen = nullptr;
    QPushButton* cmdSaveNow = nullptr;
    QCheckBox* chkSaveAlways = nullptr;
    QLabel* lblLogPipeName = nullptr;
    QLineEdit* txtPipeID = nullptr;
    QLabel* Label16 = nullptr;

    QAction* mnuExit = nullptr;
    QAction* mnuHelp4Runnelex = nullptr;
    QAction* mnuAbout_Runnelex = nullptr;
    QAction* mnuRunnelex_Updates = nullptr;
    QAction* mnuKelvara = nullptr;

    // Every label a calculation run may write, by control name (lblCapQ included).
    std::map<std::string, ResultLabel*> labels;
    // The labels naming a unit beside the results, by control name ("lblrVnormUnits"): their
    // texts follow the unit system.
    std::map<std::string, QLabel*> unitLabels;
};

// Lays out the whole window: frames, controls with their texts and tool tips, the menu bar.
// The window gets a fixed size that fits its font; no text written later changes it.
MainControls buildMainControls(QMainWindow& window);

// Names the units of `system` beside the results (in US customary, the texts as laid out).
void showResultUnits(MainControls& c, UnitSystem system);

} // namespace runnelex
