// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/unit_system.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
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
    QComboBox* cmbShape = nullptr;     // the shape table's captions, each with its word as data
    QComboBox* cmbCatalogue = nullptr; // the shape's catalogue sizes after a first prompt item
    // A box for every dimension word of the shape table ("txtDiam", "txtSpan"), each with its
    // caption; a shape shows the boxes of its own dimensions.
    struct DimensionBox {
        std::string word;
        QLabel* label = nullptr;
        NumericBox* box = nullptr;
    };
    std::vector<DimensionBox> dimensions;
    NumericBox *txtSlope = nullptr, *txtQinput = nullptr, *txtM = nullptr;
    QLabel* lblM = nullptr;             // the coefficient's caption, after the law
    QVBoxLayout* inputColumn = nullptr; // the input groups, one under the other
    UnitCombo *cmbUnDiam = nullptr, *cmbUnSlope = nullptr, *cmbUnFlo = nullptr;
    QLineEdit* txtPipeID = nullptr;
    QPushButton *cmdRecord = nullptr, *cmdClose = nullptr;
    // The status line: what the results cannot say (a flow above the full-flow capacity,
    // inputs far outside the range of the equations).
    QLabel* lblStatus = nullptr;
    QPushButton *cmdPicture = nullptr, *cmdSize = nullptr; // the section's picture and sizing
    QPushButton* cmdSheet = nullptr; // the calculation sheet of this window's calculation
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
