// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include <QGroupBox>

#include "input/calc_entry.h"
#include "input/calc_inputs.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace runnelex {

// Pipe sizing beside the picture: the slope, n and design flow come from the main window, the
// criteria and the size list from the panel's own boxes. Every change of either re-sizes.
class SizingPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SizingPanel(QWidget* parent = nullptr);

    // The calculator's inputs and texts; its size is ignored, its shape's catalogue is tried.
    // Nothing is re-sized when the inputs that sizing reads are unchanged. Inputs of the other
    // unit system or another shape put the criteria and the sizes of those into the boxes first.
    void setInputs(const CalcInputs& in, const CalcEntry& entry);
    // The size chosen by the last sizing, in inches (in SI, millimetres); for a shape of more
    // dimensions, its first.
    std::optional<double> chosenSize() const { return chosen_; }
    // The focus into the table of sizes tried.
    void focusTable();

private:
    void runSizing();
    // The boxes, their captions and tips, and the column names in the units of `system`, the
    // sizes of `shape`'s catalogue.
    void showSystem(UnitSystem system, const sections::ShapeRow& shape);
    // The column names, the flows in the unit of `unitflow`.
    void setHeadings(const std::string& unitflow);
    // The unit the sizes are typed in: "in.", "ft." or "mm".
    std::string diamUnit() const;

    QLineEdit *maxRatio_, *minVelocity_, *maxVelocity_, *sizes_;
    QLabel *velocityUnit_, *sizesCaption_;
    QTableWidget* table_;
    QLabel* chosenLabel_;
    UnitSystem system_ = UnitSystem::US;
    const sections::ShapeRow* shape_ = &sections::defaultShape();
    std::optional<CalcInputs> in_;
    CalcEntry entry_;
    std::optional<double> chosen_;
};

} // namespace runnelex
