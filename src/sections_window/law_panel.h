// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <QGroupBox>

#include "calc/calc_session.h"
#include "friction/law_table.h"

class QComboBox;
class QLabel;

namespace runnelex {

class NumericBox;

// The friction law of a calculator, drawn from the law table: the list of laws, the typical
// values that fill the coefficient's box, the coefficient's unit where it is a length, and a
// box for each further input of the table, the law's own shown. The coefficient's box itself
// (the n box) and its caption belong to the window; the panel names them after the law.
class LawPanel final : public QGroupBox {
public:
    LawPanel(QWidget* parent, CalcSession& session, NumericBox& coefficientBox,
             QLabel& coefficientCaption);

    // Shows the session's law: the list's item, the boxes and captions of that law.
    void showLaw();
    // A further input's box given a text by the session.
    void showText(std::string_view word, const std::string& text);
    // The coefficient's symbol, the caption's last word: "n", "k", "C".
    static std::string symbolOf(const friction::CoefficientSpec& coefficient);
    // Each control with its caption, value and unit, for the window's spoken names.
    std::vector<std::tuple<QWidget*, std::string, std::string, std::string>> spoken() const;

private:
    struct ParameterBox {
        std::string word;
        QLabel* label = nullptr;
        NumericBox* box = nullptr;
    };
    void lawChosen(int index);
    void typicalChosen(int index);
    void parameterCommitted(const std::string& word);

    CalcSession& session_;
    NumericBox& coefficientBox_;
    QLabel& coefficientCaption_;
    QComboBox *cmbLaw_ = nullptr, *cmbTypical_ = nullptr, *cmbUnCoefficient_ = nullptr;
    QLabel* lblUnCoefficient_ = nullptr;
    std::vector<ParameterBox> parameters_;
};

} // namespace runnelex
