// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_session.h"

#include <cctype>
#include <exception>
#include <utility>

#include "calc/display_run.h"
#include "common/number_text.h"
#include "friction/friction_text.h"
#include "input/iosafe.h"
#include "input/system_switch.h"
#include "input/unit_selection.h"
#include "input/units.h"
#include "sections/section_text.h"

namespace runnelex {

entry::Rule entryRuleOf(TextBox box, const sections::ShapeRow& shape) {
    switch (box) {
    case TextBox::Diam: {
        const std::size_t i = shape.dimensionIndex(kDiamWord);
        return i < shape.dimensionCount() ? entry::dimensionRule(shape.dimensions[i])
                                          : entry::ruleOf(entry::Box::Diam);
    }
    case TextBox::Slope:
        return entry::ruleOf(entry::Box::Slope);
    case TextBox::Flow:
        return entry::ruleOf(entry::Box::Flow);
    default:
        return entry::ruleOf(entry::Box::ManningN);
    }
}

namespace {

int flowIndex(const std::string& unitflow, UnitSystem system) {
    const auto& items = units::unitLists(system).flow;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == unitflow)
            return static_cast<int>(i);
    return 0;
}

} // namespace

CalcSession::CalcSession(SessionView* view, UnitSystem system)
    : view_(view), labels_(startupLabelTexts()) {
    textOf(TextBox::ManningN) = kStartManningN;
    in_.System = system;
    // The start-up selects the first unit of each list.
    in_.Unitflow = units::unitflowFromIndex(0, {}, system);
    in_.SlopeInPercent = units::slopeInPercentFromIndex(0, {}, system);
    in_.DiamInFeet = units::diamInFeetFromIndex(0, {}, system);
    // The US heading keeps its layout text until a flow unit is taken; SI has no layout text
    // of its own, so its heading names the unit its flows are shown in from the start.
    if (system != UnitSystem::US)
        labels_[Label::CapQ] = units::capacityHeading(in_.Unitflow);
}

CalcSession::CalcSession(const CalcInputs& in, const CalcEntry& entry, SessionView* view)
    : view_(view), in_(in), texts_{std::string(), entry.slope, entry.flow, entry.n, entry.pipe},
      dimensions_(entry.dimensions), lawTexts_(entry.lawTexts), labels_(startupLabelTexts()) {}

const std::string& CalcSession::text(TextBox box) const {
    return box == TextBox::Diam ? dimensions_.get(kDiamWord)
                                : texts_[static_cast<std::size_t>(box)];
}

void CalcSession::setText(TextBox box, std::string text) {
    if (box != TextBox::PipeName)
        ++textVersion_;
    if (box == TextBox::Diam)
        dimensions_.set(kDiamWord, std::move(text));
    else
        textOf(box) = std::move(text);
}

void CalcSession::setDimensionText(std::string_view word, std::string text) {
    ++textVersion_;
    dimensions_.set(word, std::move(text));
}

SessionStatus CalcSession::checked(const entry::EntryResult& r,
                                   const std::function<void()>& empty) {
    if (r.message)
        tell(*r.message);
    if (r.emptyBox) {
        empty();
        return SessionStatus::Rejected;
    }
    if (r.capacityHeading)
        setLabel(Label::CapQ, *r.capacityHeading);
    return r.runCalc ? calculate() : SessionStatus::Done;
}

SessionStatus CalcSession::commit(TextBox box) {
    if (box == TextBox::PipeName)
        return SessionStatus::Done; // takes any text, checks nothing
    if (box == TextBox::Diam)
        return commitDimension(kDiamWord);
    const entry::Box checkedBox = box == TextBox::Slope  ? entry::Box::Slope
                                  : box == TextBox::Flow ? entry::Box::Flow
                                                         : entry::Box::ManningN;
    try {
        return checked(entry::checkEntry(checkedBox, text(box), in_), [&] { emptyBox(box); });
    } catch (const hydrocalc::ArithmeticError& e) {
        // A value that cannot be taken into base units is answered and erased like a bad entry.
        const SessionStatus status =
            fault(e.what(), {{box == TextBox::Slope  ? CalcInput::Kind::Slope
                              : box == TextBox::Flow ? CalcInput::Kind::Flow
                                                     : CalcInput::Kind::ManningN,
                              0}});
        emptyBox(box);
        return status;
    }
}

SessionStatus CalcSession::commitDimension(std::string_view word) {
    const std::size_t i = in_.Shape->dimensionIndex(word);
    if (i >= in_.Shape->dimensionCount())
        return SessionStatus::Done; // another shape's box keeps its text for that shape
    try {
        return checked(entry::checkDimension(i, dimensionText(word), in_),
                       [&] { emptyDimension(word); });
    } catch (const hydrocalc::ArithmeticError& e) {
        const SessionStatus status = fault(e.what(), {{CalcInput::Kind::Dimension, i}});
        emptyDimension(word);
        return status;
    }
}

SessionStatus CalcSession::selectUnit(UnitList list, int index) {
    const hydrocalc::Notify notify = [this](const std::string& m) {
        tell(m);
    };
    try {
        switch (list) {
        case UnitList::Diam:
            selection::selectDiamUnit(index, textOf(TextBox::Diam), in_, notify);
            rereadDimensions();
            break;
        case UnitList::Slope:
            selection::selectSlopeUnit(index, textOf(TextBox::Slope), in_, notify);
            break;
        case UnitList::Flow:
            setLabel(Label::CapQ,
                     selection::selectFlowUnit(index, textOf(TextBox::Flow), in_, notify));
            break;
        }
    } catch (const hydrocalc::ArithmeticError& e) {
        // Re-reading an extreme value in the new unit can overflow; the calculator stays usable.
        if (list == UnitList::Diam)
            return fault(e.what());
        return fault(
            e.what(),
            {{list == UnitList::Slope ? CalcInput::Kind::Slope : CalcInput::Kind::Flow, 0}});
    }
    return calculate();
}

void CalcSession::rereadDimensions() {
    in_.Dims = {};
    in_.Texts = {};
    for (std::size_t i = 0; i < in_.Shape->dimensionCount(); ++i) {
        const sections::DimensionSpec& d = in_.Shape->dimensions[i];
        if (d.text != nullptr)
            in_.Texts[i] =
                entry::readTextDimension(*d.text, dimensionText(d.word), in_.DiamInFeet, in_.System)
                    .value_or(std::vector<double>());
        else
            in_.Dims[i] = units::diamToFeet(iosafe::fSafeDbl(dimensionText(d.word), false),
                                            in_.DiamInFeet, in_.System);
    }
}

SessionStatus CalcSession::selectSystem(UnitSystem system) {
    const int flow = flowIndex(in_.Unitflow, in_.System);
    const UnitSystem from = in_.System;
    const std::string unitflowFrom = in_.Unitflow;
    in_.System = system;
    in_.Unitflow = units::unitflowFromIndex(flow, {}, system);
    // The same pipe in the other units: every typed length and the flow written again in them,
    // the boxes of the other shapes' dimensions too, so that no shape meets a number in a unit
    // it was not typed in.
    const DimensionTexts typedBefore = dimensions_; // the loop changes the texts it reads
    for (const auto& [word, typed] : typedBefore.all())
        showDimension(word, units::convertedDimension(word, typed, in_.DiamInFeet, from, system));
    convertLawTexts(from, system);
    showText(TextBox::Flow,
             units::convertedFlow(text(TextBox::Flow), unitflowFrom, from, in_.Unitflow, system));
    emptyResults();
    try {
        rereadDimensions();
        in_.SlopeFtFt =
            units::slopeToFtFt(iosafe::fSafeDbl(text(TextBox::Slope), false), in_.SlopeInPercent);
        units::flowToCfs(iosafe::fSafeDbl(text(TextBox::Flow), false), in_.Unitflow, in_.Qcfs);
        setLabel(Label::CapQ, units::capacityHeading(in_.Unitflow));
    } catch (const hydrocalc::ArithmeticError& e) {
        return fault(e.what());
    }
    return calculate();
}

SessionStatus CalcSession::selectShape(const sections::ShapeRow& shape) {
    // The results shown are another section's: none is shown until this one is complete.
    if (in_.Shape != &shape)
        emptyResults();
    in_.Shape = &shape;
    try {
        rereadDimensions();
    } catch (const hydrocalc::ArithmeticError& e) {
        return fault(e.what());
    }
    return calculate();
}

SessionStatus CalcSession::calculate() {
    if (deferRuns_ && deferRun())
        return SessionStatus::Done;
    DisplayRun run = displayRun(in_, recordLabelsOnly_);
    bool wrote = false;
    for (const DisplayStep& step : run.steps) {
        if (step.kind == DisplayStep::Kind::SetLabel) {
            // The results shown from here on are these inputs'.
            if (!std::exchange(wrote, true))
                shownInputs_ = ShownInputs{currentInputs(), in_.Shape, dimensions_.of(*in_.Shape)};
            setLabel(step.label, step.text);
        } else {
            tell(step.text);
        }
    }
    lastResults_ = std::move(run.results);
    if (run.fault) {
        // Later labels keep their texts and nothing is recorded.
        const SessionStatus status = fault(*run.fault);
        shown();
        return status;
    }
    if (alwaysRecord_) {
        emptyBox(TextBox::PipeName);
        record();
    }
    shown();
    return SessionStatus::Done;
}

void CalcSession::record() {
    if (view_ == nullptr)
        return;
    try {
        view_->recorded(record::makeRecord(recordFields()));
    } catch (const std::exception& e) {
        tell(std::string("Unable to Append to File  (") + e.what() + ")");
    }
}

void CalcSession::recordNow() {
    record();
    emptyBox(TextBox::PipeName);
}

CalcEntry CalcSession::entry() const {
    CalcEntry e;
    e.pipe = text(TextBox::PipeName);
    e.slope = text(TextBox::Slope);
    e.n = text(TextBox::ManningN);
    e.flow = text(TextBox::Flow);
    e.diamUnit = in_.DiamInFeet ? 1 : 0;
    e.slopeUnit = in_.SlopeInPercent ? 1 : 0;
    e.flowUnit = flowIndex(in_.Unitflow, in_.System);
    e.shape = in_.Shape;
    e.system = in_.System;
    e.dimensions = dimensions_;
    e.law = in_.Law;
    e.coefficientUnit = in_.LawParams.coefficientUnit;
    e.lawTexts = lawTexts_;
    return e;
}

record::RecordFields CalcSession::recordFields() const {
    record::RecordFields f = shownInputs_ ? shownInputs_->fields : currentInputs();
    f.pipeName = text(TextBox::PipeName);
    f.dnorm = labels_[Label::Dnorm];
    f.vnorm = labels_[Label::Vnorm];
    f.frNo = labels_[Label::FrNo];
    f.dcr = labels_[Label::Dcr];
    f.q100 = labels_[Label::Q100];
    f.q093 = labels_[Label::Q093];
    return f;
}

std::vector<sections::DimensionSpec> CalcSession::missingDimensions() const {
    const sections::ShapeRow& shape = shownInputs_ ? *shownInputs_->shape : *in_.Shape;
    const std::vector<std::string> texts =
        shownInputs_ ? shownInputs_->dimensions : dimensions_.of(shape);
    std::vector<sections::DimensionSpec> missing;
    for (std::size_t i = 0; i < shape.dimensionCount(); ++i) {
        const sections::DimensionSpec& d = shape.dimensions[i];
        // An arch's family or radii: one stands for the other.
        if (!d.isLength() && d.text->alternative)
            continue;
        if (i >= texts.size() || texts[i].empty())
            missing.push_back(d);
    }
    return missing;
}

record::RecordFields CalcSession::currentInputs() const {
    record::RecordFields f;
    f.flowText = text(TextBox::Flow);
    f.unitflow = in_.Unitflow;
    f.diamText = sections::sectionText(*in_.Shape, dimensions_.of(*in_.Shape));
    f.diamInFeet = in_.DiamInFeet;
    f.slopeText = text(TextBox::Slope);
    f.slopeInPercent = in_.SlopeInPercent;
    f.nText = friction::frictionText(*in_.Law, text(TextBox::ManningN), in_.LawParams, in_.System);
    f.system = in_.System;
    return f;
}

int CalcSession::addShownListener(std::function<void()> onShown) {
    listeners_[nextListener_] = std::move(onShown);
    return nextListener_++;
}

void CalcSession::removeShownListener(int id) {
    listeners_.erase(id);
}

void CalcSession::emptyResults() {
    for (std::size_t i = 0; i < kResultLabelCount; ++i)
        setLabel(labelAt(i), {});
    shownInputs_.reset();
}

void CalcSession::setLabel(Label l, std::string text) {
    labels_[l] = std::move(text);
    if (view_ != nullptr)
        view_->labelChanged(l, labels_[l]);
}

void CalcSession::emptyBox(TextBox box) {
    setText(box, {});
    if (view_ != nullptr)
        view_->textChanged(box, {});
}

void CalcSession::showText(TextBox box, std::string text) {
    if (this->text(box) == text)
        return;
    setText(box, std::move(text));
    if (view_ != nullptr)
        view_->textChanged(box, this->text(box));
}

void CalcSession::emptyDimension(std::string_view word) {
    setDimensionText(word, {});
    if (view_ == nullptr)
        return;
    if (word == kDiamWord)
        view_->textChanged(TextBox::Diam, {});
    else
        view_->dimensionChanged(word, {});
}

void CalcSession::showDimension(std::string_view word, std::string text) {
    if (dimensionText(word) == text)
        return;
    setDimensionText(word, std::move(text));
    if (view_ == nullptr)
        return;
    if (word == kDiamWord)
        view_->textChanged(TextBox::Diam, dimensionText(word));
    else
        view_->dimensionChanged(word, dimensionText(word));
}

void CalcSession::tell(const std::string& prompt) {
    if (view_ != nullptr)
        view_->message(prompt);
}

SessionStatus CalcSession::fault(const std::string& description) {
    return fault(description, faultCauses(in_));
}

SessionStatus CalcSession::fault(const std::string& description,
                                 const std::vector<CalcInput>& causes) {
    lastFault_ = description;
    std::string told = description;
    for (std::size_t i = 0; i < causes.size(); ++i)
        told += (i == 0 ? " (caused by " : ", and ") + inputText(causes[i]);
    lastFaultMessage_ = calcFaultMessage(causes.empty() ? told : told + ")");
    tell(lastFaultMessage_);
    return SessionStatus::Fault;
}

std::string CalcSession::inputText(const CalcInput& input) const {
    const units::UnitLists lists = units::unitLists(in_.System);
    std::string name, typed, unit;
    switch (input.kind) {
    case CalcInput::Kind::Dimension: {
        const sections::DimensionSpec& d = in_.Shape->dimensions[input.dimension];
        name = "the " + std::string(d.caption);
        name[4] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[4])));
        typed = dimensionText(d.word);
        unit = lists.diam[in_.DiamInFeet ? 1 : 0];
        break;
    }
    case CalcInput::Kind::Slope:
        name = "the slope";
        typed = text(TextBox::Slope);
        unit = lists.slope[in_.SlopeInPercent ? 1 : 0];
        break;
    case CalcInput::Kind::ManningN: {
        const friction::CoefficientSpec& c = in_.Law->coefficient;
        name = c.caption;
        typed = text(TextBox::ManningN);
        if (!c.units.empty())
            unit = c.units[friction::coefficientUnit(*in_.Law, in_.LawParams, in_.System)].word;
        break;
    }
    case CalcInput::Kind::Flow:
        name = "the flow";
        typed = text(TextBox::Flow);
        unit = in_.Unitflow;
        break;
    }
    return typed.empty() ? name : name + ", " + typed + (unit.empty() ? "" : " " + unit);
}

std::vector<std::string> CalcSession::inputWarnings() const {
    std::vector<std::string> sentences;
    for (const RangeWarning& w : rangeWarnings(in_)) {
        const std::string about = inputText(w.input);
        // The bound in the box's unit, as the text beside it.
        std::string bound = generalNumberText(w.bound);
        if (w.input.kind == CalcInput::Kind::Slope)
            bound = in_.SlopeInPercent
                        ? generalNumberText(w.bound * 100) + " %"
                        : bound + " " + std::string(units::unitLists(in_.System).slope[0]);
        sentences.push_back("Far outside the range where " + std::string(in_.Law->equation) +
                            " holds: " + about + (about.find(',') != std::string::npos ? "," : "") +
                            " is " + w.side + " " + bound +
                            "; the results are computed all the same.");
    }
    return sentences;
}

void CalcSession::shown() {
    if (listeners_.empty())
        return;
    const auto listeners = listeners_; // a listener may take itself off
    for (const auto& [id, onShown] : listeners)
        onShown();
}

} // namespace runnelex
