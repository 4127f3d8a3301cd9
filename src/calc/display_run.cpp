// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/display_run.h"

#include "calc/number_text.h"
#include "input/units.h"

namespace runnelex {

namespace {

constexpr const char* kVelocityLabels[] = {"lblrV050", "lblrV075", "lblrV093", "lblrV100"};
constexpr const char* kFlowLabels[] = {"lblrQ050", "lblrQ075", "lblrQ093", "lblrQ100"};

class StepWriter {
public:
    explicit StepWriter(std::vector<DisplayStep>& steps) : steps_(steps) {}
    void label(const char* name, std::string text) {
        steps_.push_back({DisplayStep::Kind::SetLabel, name, std::move(text)});
    }
    void message(const char* text) { steps_.push_back({DisplayStep::Kind::Message, {}, text}); }
    // Writes the value's label; false when the computation never reached the value.
    bool number(const char* name, const std::optional<double>& value) {
        if (!value)
            return false;
        label(name, displayNumber(*value));
        return true;
    }

private:
    std::vector<DisplayStep>& steps_;
};

void writeCapacity(const CalcResults& r, const std::string& unitflow, StepWriter& out) {
    for (std::size_t row = 0; row < r.Capacity.size(); ++row) {
        out.label(kVelocityLabels[row], displayNumber(r.Capacity[row].V));
        double shown = 0.0;
        if (units::flowFromCfs(r.Capacity[row].Q, unitflow, shown))
            out.label(kFlowLabels[row],
                      displayNumber(shown, unitflow == "GPM" ? kGpmDigits : kDigits));
        else
            out.message(kUnitflowUnmatchedMessage);
    }
}

// The outcome's labels, in display order, as far as the computation got.
void writeOpenChannel(const CalcResults& r, StepWriter& out) {
    if (!out.number("lblrDnorm", r.Dnorm) || !out.number("lblrAreaW", r.AreaW) ||
        !out.number("lblrPerimW", r.PerimW) || !out.number("lblrRh", r.Rh) ||
        !out.number("lblrVnorm", r.Vnorm) || !out.number("lblrFrNo", r.FrNo) ||
        !out.number("lblrDcr", r.Dcr) || !out.number("lblrDoverD", r.DoverD))
        return;
    out.label("lblrRegime", *r.FrNo < 1.0 ? "Subcritical" : "Supercritical");
    out.label("lblFullCondition", "If the pipe were flowing full ");
    out.label("lblFullCause", "due to tailwater:");
    if (out.number("lblrHf", r.Hf))
        out.number("lblrVfull", r.Vfull);
}

void writeSurcharged(const CalcResults& r, StepWriter& out) {
    out.label("lblrDnorm", "");
    out.label("lblrVnorm", "");
    out.label("lblrDoverD", "1");
    out.label("lblrFrNo", "");
    out.label("lblrDcr", "");
    out.label("lblFullCondition", "Flow is flowing full due to:");
    out.label("lblFullCause", "Surcharge!");
    out.label("lblrRegime", "Surcharged!");
    if (out.number("lblrHf", r.Hf))
        out.number("lblrVfull", r.Vfull);
}

} // namespace

DisplayRun displayRun(const CalcInputs& in) {
    DisplayRun run;
    run.results = computeCalculation(in);
    run.fault = run.results.fault;
    const CalcResults& r = run.results;
    StepWriter out(run.steps);
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

const std::vector<std::string>& resultLabelNames() {
    static const std::vector<std::string> names = {
        "lblrDnorm", "lblrAreaW",  "lblrPerimW", "lblrRh",   "lblrVnorm", "lblrDoverD", "lblrFrNo",
        "lblrDcr",   "lblrRegime", "lblrQ050",   "lblrQ075", "lblrQ093",  "lblrQ100",   "lblrV050",
        "lblrV075",  "lblrV093",   "lblrV100",   "lblrHf",   "lblrVfull"};
    return names;
}

LabelTexts startupLabelTexts() {
    LabelTexts labels;
    for (const auto& name : resultLabelNames())
        labels[name] = "";
    labels["lblFullCondition"] = "If the Pipe were flowing full due to";
    labels["lblFullCause"] = "tailwater conditions:";
    labels["lblCapQ"] = units::kCapacityHeadingLayout;
    return labels;
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
