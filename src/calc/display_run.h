// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "calc/labels.h"
#include "common/number_text.h"
#include "engine/hydrocalc.h"
#include "input/calc_inputs.h"

namespace runnelex {

// One effect of a calculation run on the main window, in the order the run makes them.
struct DisplayStep {
    enum class Kind { SetLabel, Message };
    Kind kind = Kind::SetLabel;
    Label label = Label::Dnorm; // for SetLabel
    std::string text;           // the caption, or the message's prompt
};

struct DisplayRun {
    CalcResults results;
    std::vector<DisplayStep> steps;
    // Set when an arithmetic fault ended the run: later labels keep their old texts and no
    // recording follows.
    std::optional<std::string> fault;
};

inline constexpr const char* kUnitflowUnmatchedMessage =
    "Unitflow variable unmatched in case stucture.";

// The digits a calculation's results show: the main window's fixed decimals for the engine's
// own circle (US customary), whose labels and records are the specified program's; at least
// four significant digits for every other section and for SI.
DigitRule digitRuleOf(const CalcInputs& in);

// Whether a label is one a record shows (the normal and critical depths, the velocity, the
// Froude number and the flows at 1.00 and 0.93 of the rise).
bool isRecordLabel(Label label);

// Computes one calculation and lists, in order, the label texts it writes and the messages it
// shows. Labels it does not name keep their texts. With `recordLabelsOnly` every label is
// still listed and every value still checked, but only the record's labels get their texts;
// the others are listed empty, for those who only make records.
DisplayRun displayRun(const CalcInputs& in, bool recordLabelsOnly = false);

// Writes the run's labels into `labels`, handing its messages to `notify` in between.
void applyDisplayRun(const DisplayRun& run, LabelTexts& labels,
                     const hydrocalc::Notify& notify = {});

} // namespace runnelex

namespace runnelex {
// The sentence the user sees when an arithmetic fault ends a run.
inline std::string calcFaultMessage(const std::string& description) {
    return "The calculation was stopped by an arithmetic error: " + description + ".";
}
} // namespace runnelex
