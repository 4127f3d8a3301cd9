// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculation.h"
#include "calc/input_range.h"
#include "calc/labels.h"
#include "input/calc_entry.h"
#include "input/calc_inputs.h"
#include "input/entry_check.h"
#include "results/record.h"

namespace runnelex {

// The five boxes of the calculator: the four numeric ones and the pipe name. The diameter's box
// is the section's dimension "diam"; a section's other dimensions have boxes of their own,
// named by their words.
enum class TextBox { Diam, Slope, Flow, ManningN, PipeName };
inline constexpr std::size_t kTextBoxCount = 5;
inline constexpr std::string_view kDiamWord = "diam";
// The three unit lists.
enum class UnitList { Diam, Slope, Flow };

// The entry check of a box for a shape: the dimension's rule for the diameter's box.
entry::Rule entryRuleOf(TextBox box, const sections::ShapeRow& shape = sections::defaultShape());

// How an operation of the session ended.
enum class SessionStatus {
    Done,     // the entry was taken (or there was nothing to take) and the results shown
    Rejected, // the box's check refused the text: its message was shown and the box emptied
    Fault,    // an arithmetic fault stopped the calculation; its message was shown
};

// What the calculator shows, told as the session changes it, in the order the user sees it.
// Every default does nothing.
class SessionView {
public:
    virtual ~SessionView() = default;
    virtual void labelChanged(Label, const std::string&) {}
    // The session emptied a box (a rejected entry, the pipe name before a record).
    virtual void textChanged(TextBox, const std::string&) {}
    // The same for the box of a dimension other than the diameter.
    virtual void dimensionChanged(std::string_view, const std::string&) {}
    // The same for the box of a friction law's further input (the viscosity).
    virtual void lawTextChanged(std::string_view, const std::string&) {}
    // A modal message: returns once the user has answered it.
    virtual void message(const std::string&) {}
    // A record to append to the results; a failure throws std::exception, which the session
    // reports to the user.
    virtual void recorded(const std::string&) {}
};

// The calculator without a window: the boxes' texts, the unit lists, the current inputs in
// base units and the label texts, changed by what a user does (type, commit, pick a unit,
// record) exactly as the main window does it. The main window owns one and only draws it; the
// command line, the reports, the sizing and the pictures drive sessions of their own.
class CalcSession {
public:
    // A fresh calculator: empty boxes but n "0.013", the first unit of each list, every result
    // empty; in US customary units unless told otherwise.
    explicit CalcSession(SessionView* view = nullptr, UnitSystem system = UnitSystem::US);
    // A calculator whose boxes hold `entry` and whose inputs are `in`, results empty.
    CalcSession(const CalcInputs& in, const CalcEntry& entry, SessionView* view = nullptr);
    CalcSession(const CalcSession&) = delete;
    CalcSession& operator=(const CalcSession&) = delete;

    // Typing: the box holds `text`; nothing is checked or computed.
    void setText(TextBox box, std::string text);
    void setDimensionText(std::string_view word, std::string text);
    // A commit key in a numeric box, or the focus leaving it: the box's entry check on its
    // text; an accepted entry is stored in base units and the results recomputed.
    SessionStatus commit(TextBox box);
    // The same for a dimension's box; a dimension the shape does not have takes its text only.
    SessionStatus commitDimension(std::string_view word);
    // A unit picked from a list: the box's text is read again in the new unit, then the
    // results recomputed. An index outside the list is told and taken as the first unit.
    SessionStatus selectUnit(UnitList list, int index);
    // A shape chosen: the results of another shape are emptied, the dimensions' boxes of the
    // shape read again (silently, as a unit change reads its box), then the results recomputed.
    SessionStatus selectShape(const sections::ShapeRow& shape);
    // The other unit system: each list keeps its position and shows that system's units, every
    // typed length and flow is written again in them (the same pipe), the boxes are read again,
    // the results shown before are emptied and recomputed.
    SessionStatus selectSystem(UnitSystem system);
    // A friction law chosen: the coefficient's box (the n box) and the law's further inputs'
    // boxes read again under its rules, silently, then the results recomputed.
    SessionStatus selectLaw(const friction::LawRow& law);
    // The coefficient's unit picked from the law's list (a roughness in mm or in.).
    SessionStatus selectCoefficientUnit(std::size_t index);
    // A further input of the law typed, and committed with its check (empty: the default).
    void setLawText(std::string_view word, std::string text);
    SessionStatus commitLawInput(std::string_view word);
    const std::string& lawText(std::string_view word) const { return lawTexts_.get(word); }
    // Recomputes and shows every result from the current inputs; records when "Always" is on.
    SessionStatus calculate();
    // Records the calculation as shown now (the "Now" button and Enter in the pipe name box).
    void record();
    // "Now": records, then empties the pipe name, ready for the next name.
    void recordNow();
    void setAlwaysRecord(bool on) { alwaysRecord_ = on; }
    // For a session that only makes records: the labels a record does not show are left empty,
    // their values checked but never written out.
    void setRecordLabelsOnly(bool on) { recordLabelsOnly_ = on; }
    // For a session that only makes the record of its last run: every run that would compute
    // is put off, and a run put off is dropped when the next one shows all it would have shown
    // (the same inputs, or the same with a flow where it had none). runDeferred() then makes
    // the last run. Not for a session whose runs are watched.
    void setDeferRuns(bool on) { deferRuns_ = on; }
    // Makes the run put off last. Nothing when there is none (Done: every run was made as it
    // came); also nothing, with std::nullopt, when a run put off was not made redundant by a
    // later one, the run faults, or the inputs or texts changed after it: a session that did
    // not put its runs off must then replay the same steps.
    std::optional<SessionStatus> runDeferred();
    // Whether a run was put off since the last runDeferred().
    bool hasDeferred() const { return deferred_.has_value() || deferralBroken_; }
    bool alwaysRecord() const { return alwaysRecord_; }

    const std::string& text(TextBox box) const;
    const std::string& dimensionText(std::string_view word) const { return dimensions_.get(word); }
    const CalcInputs& inputs() const { return in_; }
    const LabelTexts& labels() const { return labels_; }
    const std::string& label(Label l) const { return labels_[l]; }
    // The texts and unit positions, as the boxes and lists show them.
    CalcEntry entry() const;
    // The record the calculation would make now, field by field: the results as shown beside
    // the inputs they were computed from (see shownInputs_).
    record::RecordFields recordFields() const;
    // The dimensions that the section of that record lacks: boxes empty, and no results of
    // theirs shown.
    std::vector<sections::DimensionSpec> missingDimensions() const;
    // The last calculation (empty before the first); its fault, if one stopped it.
    const std::optional<CalcResults>& lastResults() const { return lastResults_; }
    // What stopped the last operation that ended with SessionStatus::Fault, and the message
    // the user was shown for it, which names the input that brought the fault about.
    const std::string& lastFault() const { return lastFault_; }
    const std::string& lastFaultMessage() const { return lastFaultMessage_; }
    // A sentence for each input far outside the range where Manning's equation holds: the
    // calculation goes on, and the windows and the command line say so.
    std::vector<std::string> inputWarnings() const;
    // An input as a message names it: "the diameter (1e-300 in.)".
    std::string inputText(const CalcInput& input) const;

    // Calls `onShown` after every calculation run (results shown, recorded when "Always" is
    // on). The returned number takes it off again.
    int addShownListener(std::function<void()> onShown);
    void removeShownListener(int id);

private:
    std::string& textOf(TextBox box) { return texts_[static_cast<std::size_t>(box)]; }
    SessionStatus checked(const entry::EntryResult& r, const std::function<void()>& empty);
    void emptyDimension(std::string_view word);
    // Reads the law's coefficient and further inputs again from their boxes.
    void rereadLaw();
    // A switch of systems: the coefficient keeps its unit, the further inputs are written again.
    void convertLawTexts(UnitSystem from, UnitSystem to);
    // A box's new text, told to the view when it differs from the old.
    void showText(TextBox box, std::string text);
    void showDimension(std::string_view word, std::string text);
    // Reads the dimensions of the shape again from their boxes, in the diameter's unit.
    void rereadDimensions();
    void setLabel(Label l, std::string text);
    // Empties the result labels: nothing shown, nothing computed from any input.
    void emptyResults();
    void emptyBox(TextBox box);
    void tell(const std::string& prompt);
    // `causes` are the inputs the fault is told of; by default those faultCauses() finds.
    SessionStatus fault(const std::string& description);
    SessionStatus fault(const std::string& description, const std::vector<CalcInput>& causes);
    void shown();
    // The inputs as the boxes and lists hold them now.
    record::RecordFields currentInputs() const;

    // The inputs of the results shown, taken by every run that writes a result and dropped
    // when the results are emptied. A rejected entry empties its box but keeps its value, an
    // empty box is 0 without a run, and a run from a 0 writes nothing: each leaves results
    // computed from texts the boxes no longer hold, and a record must name those.
    struct ShownInputs {
        record::RecordFields fields; // the inputs part, pipe name aside
        const sections::ShapeRow* shape = nullptr;
        std::vector<std::string> dimensions; // the shape's texts, in its order
    };
    std::optional<ShownInputs> shownInputs_;

    SessionView* view_;
    CalcInputs in_;
    std::array<std::string, kTextBoxCount> texts_; // by TextBox but the diameter's, which is
                                                   // the dimension "diam" of
    DimensionTexts dimensions_;
    DimensionTexts lawTexts_; // the further inputs of the laws, by word
    LabelTexts labels_;
    bool alwaysRecord_ = false;
    bool recordLabelsOnly_ = false;
    // The runs put off (see setDeferRuns): the inputs of the last, and the texts' version then.
    bool deferRuns_ = false;
    bool deferralBroken_ = false;
    std::optional<CalcInputs> deferred_;
    std::uint64_t textVersion_ = 0, deferredVersion_ = 0;
    // False when a run was put off instead of made.
    bool deferRun();
    std::optional<CalcResults> lastResults_;
    std::string lastFault_, lastFaultMessage_;
    std::map<int, std::function<void()>> listeners_;
    int nextListener_ = 0;
};

} // namespace runnelex
