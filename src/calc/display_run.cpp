// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/display_run.h"

#include <exception>
#include <optional>
#include <string_view>

#include "engine/arith.h"
#include "input/units.h"

namespace runnelex {

namespace {

constexpr Label kVelocityLabels[] = {Label::V050, Label::V075, Label::V093, Label::V100};
constexpr Label kFlowLabels[] = {Label::Q050, Label::Q075, Label::Q093, Label::Q100};

class StepWriter {
public:
    StepWriter(std::vector<DisplayStep>& steps, const CalcInputs& in, bool recordOnly)
        : steps_(steps), in_(in), recordOnly_(recordOnly) {}
    // A label's text for a value; a label nobody reads gets none, but a value the display
    // rule refuses faults the run all the same.
    std::string text(Label name, double value, int decimals = kDigits) {
        if (recordOnly_ && !isRecordLabel(name)) {
            hydrocalc::checked::finite(value);
            return {};
        }
        if (!ruleKnown_) { // asked once, and only of a run that shows a number
            rule_ = digitRuleOf(in_);
            ruleKnown_ = true;
        }
        return displayNumber(value, decimals, rule_);
    }
    void label(Label name, std::string_view text) {
        steps_.push_back({DisplayStep::Kind::SetLabel, name,
                          recordOnly_ && !isRecordLabel(name) ? std::string() : std::string(text)});
    }
    void message(const char* text) { steps_.push_back({DisplayStep::Kind::Message, {}, text}); }
    // Writes the value's label; false when the computation never reached the value.
    bool number(Label name, const std::optional<double>& value) {
        if (!value)
            return false;
        steps_.push_back({DisplayStep::Kind::SetLabel, name, text(name, *value)});
        return true;
    }

private:
    std::vector<DisplayStep>& steps_;
    const CalcInputs& in_;
    bool recordOnly_;
    DigitRule rule_ = DigitRule::Decimals;
    bool ruleKnown_ = false;
};

void writeCapacity(const CalcResults& r, const std::string& unitflow, StepWriter& out) {
    for (std::size_t row = 0; row < r.Capacity.size(); ++row) {
        out.number(kVelocityLabels[row], r.Capacity[row].V);
        double shown = 0.0;
        if (units::flowFromCfs(r.Capacity[row].Q, unitflow, shown))
            out.label(kFlowLabels[row],
                      out.text(kFlowLabels[row], shown, unitflow == "GPM" ? kGpmDigits : kDigits));
        else
            out.message(kUnitflowUnmatchedMessage);
    }
}

// The outcome's labels, in display order, as far as the computation got.
void writeOpenChannel(const CalcResults& r, StepWriter& out) {
    if (!out.number(Label::Dnorm, r.Dnorm) || !out.number(Label::AreaW, r.AreaW) ||
        !out.number(Label::PerimW, r.PerimW) || !out.number(Label::Rh, r.Rh) ||
        !out.number(Label::Vnorm, r.Vnorm) || !out.number(Label::FrNo, r.FrNo) ||
        !out.number(Label::Dcr, r.Dcr) || !out.number(Label::DoverD, r.DoverD))
        return;
    out.label(Label::Regime, *r.FrNo < 1.0 ? "Subcritical" : "Supercritical");
    out.label(Label::FullCondition, "If the pipe were flowing full ");
    out.label(Label::FullCause, "due to tailwater:");
    if (out.number(Label::Hf, r.Hf))
        out.number(Label::Vfull, r.Vfull);
}

void writeSurcharged(const CalcResults& r, StepWriter& out) {
    out.label(Label::Dnorm, "");
    out.label(Label::Vnorm, "");
    out.label(Label::DoverD, "1");
    // The conduit flows full, as d/D says: its full area, perimeter and radius, never those
    // left from an earlier run.
    if (!out.number(Label::AreaW, r.Afull) || !out.number(Label::PerimW, r.Pfull) ||
        !out.number(Label::Rh, r.Rfull))
        return;
    out.label(Label::FrNo, "");
    out.label(Label::Dcr, "");
    out.label(Label::FullCondition, "Flow is flowing full due to:");
    out.label(Label::FullCause, "Surcharge!");
    out.label(Label::Regime, "Surcharged!");
    if (out.number(Label::Hf, r.Hf))
        out.number(Label::Vfull, r.Vfull);
}

} // namespace

DigitRule digitRuleOf(const CalcInputs& in) {
    // Asked of the section the shape makes in the system, so that the table decides.
    sections::Dimensions any;
    any.fill(1.0);
    try {
        return in.Shape->make(any, {}, in.System)->engineCircle() ? DigitRule::Decimals
                                                                  : DigitRule::Significant;
    } catch (const std::exception&) {
        return DigitRule::Significant; // a shape no plain lengths make: never the engine's own
    }
}

bool isRecordLabel(Label label) {
    switch (label) {
    case Label::Dnorm:
    case Label::Vnorm:
    case Label::FrNo:
    case Label::Dcr:
    case Label::Q100:
    case Label::Q093:
        return true;
    default:
        return false;
    }
}

DisplayRun displayRun(const CalcInputs& in, bool recordLabelsOnly) {
    DisplayRun run;
    run.results = computeCalculation(in, !recordLabelsOnly);
    run.fault = run.results.fault;
    const CalcResults& r = run.results;
    if (!r.Capacity.empty())
        run.steps.reserve(kLabelCount + 2); // every label once, and a message or two
    StepWriter out(run.steps, in, recordLabelsOnly);
    try {
        writeCapacity(r, in.Unitflow, out);
        if (r.outcome == Outcome::OpenChannel)
            writeOpenChannel(r, out);
        else if (r.outcome == Outcome::Surcharged)
            writeSurcharged(r, out);
    } catch (const hydrocalc::ArithmeticError& e) {
        // Converting a capacity for display can overflow; the run ends there.
        if (!run.fault)
            run.fault = e.what();
    }
    return run;
}

void applyDisplayRun(const DisplayRun& run, LabelTexts& labels, const hydrocalc::Notify& notify) {
    for (const auto& step : run.steps) {
        if (step.kind == DisplayStep::Kind::SetLabel)
            labels[step.label] = step.text;
        else if (notify)
            notify(step.text);
    }
}

} // namespace runnelex
