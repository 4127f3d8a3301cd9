// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

#include "input/unit_system.h"

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
    // The labels naming a unit beside the results, by control name ("lblrVnormUnit"); screen
    // readers hear the unit they show.
    std::map<std::string, QLabel*> unitLabels;
};

// Builds the controls into `window` and lays them out with layouts that fit a small screen.
SectionsControls buildSectionsControls(QWidget& window);

// The unit lists hold the units of `system`, each at the position it had; the labels beside the
// results name the units of that system.
void showSectionsUnits(SectionsControls& c, UnitSystem system);

} // namespace runnelex
