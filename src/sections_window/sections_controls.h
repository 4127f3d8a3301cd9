// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace runnelex {

class NumericBox;
class ResultLabel;
class SectionView;
class UnitCombo;

// The controls of the sections window, named as the main window names the same boxes, lists
// and results: the conduit (shape, catalogue, dimensions), slope, flow and n, the results with
// the capacity table and the full-flow block, the peak open-channel flow, and recording.
struct SectionsControls {
    QComboBox* cmbShape = nullptr;     // Circle, Square, Box, by sections::Shape
    QComboBox* cmbCatalogue = nullptr; // the shape's catalogue sizes after a first prompt item
    QLabel *lblDiam = nullptr, *lblSpan = nullptr, *lblRise = nullptr;
    NumericBox *txtDiam = nullptr, *txtSpan = nullptr, *txtRise = nullptr;
    NumericBox *txtSlope = nullptr, *txtQinput = nullptr, *txtM = nullptr;
    UnitCombo *cmbUnDiam = nullptr, *cmbUnSlope = nullptr, *cmbUnFlo = nullptr;
    QLineEdit* txtPipeID = nullptr;
    QPushButton *cmdRecord = nullptr, *cmdClose = nullptr;
    SectionView* picSection = nullptr;
    // Every label a calculation writes, by control name (lblCapQ, the full-flow notice and
    // lblrQpeak included).
    std::map<std::string, ResultLabel*> labels;
};

// Builds the controls into `window` and lays them out with layouts that fit a small screen.
SectionsControls buildSectionsControls(QWidget& window);

} // namespace runnelex
