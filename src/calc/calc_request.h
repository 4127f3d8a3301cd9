// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/calc_session.h"
#include "results/record.h"

namespace runnelex {

// A calculation asked for without a window: the texts a user would type into the boxes and the
// unit words chosen from the lists; what is not given stays as a fresh calculator has it.
struct CalcRequest {
    std::optional<std::string> pipe, diamUnit, slope, slopeUnit, n, flow, flowUnit;
    // Beside the circular pipe: the shape's word.
    std::optional<std::string> shape;
    // The unit system's word, "us" or "si" (any case); US customary when not given.
    std::optional<std::string> units;
    // The texts of the section's dimensions, by dimension word ("diam", "span").
    std::vector<std::pair<std::string, std::string>> dimensions;
    // Beside Manning's law: the law's word; the texts of its inputs other than n by option word
    // ("k", "k-unit", "nu").
    std::optional<std::string> law;
    std::vector<std::pair<std::string, std::string>> lawInputs;

    std::optional<std::string> dimension(std::string_view word) const;
    // Gives the dimension a text, or takes it away.
    void setDimension(std::string_view word, std::optional<std::string> text);
    std::optional<std::string> lawInput(std::string_view word) const;
    void setLawInput(std::string_view word, std::optional<std::string> text);
};

// The parts of a request, for telling which one was refused; a dimension by its word.
struct RequestField {
    enum class Kind {
        Pipe,
        Units,
        Shape,
        Dimension,
        DiamUnit,
        Slope,
        SlopeUnit,
        Flow,
        FlowUnit,
        N,
        Law,
        LawInput
    };
    Kind kind = Kind::Pipe;
    std::string dimension; // the word of a Dimension or of a LawInput

    bool operator==(const RequestField&) const = default;
};

// Every part of a request in the order a command line writes them: the pipe, the units, the
// shape, every dimension of the shape table, then the units and numbers of the calculator, the
// law and the inputs of the law table other than n.
const std::vector<RequestField>& requestFields();
// The command-line option of a part, without its dashes ("diam-unit", "span").
std::string optionWord(const RequestField& field);
// The part an option word names; nothing for an unknown word.
std::optional<RequestField> fieldOfOption(std::string_view word);
// A part's text in a request, and its text given or taken away.
std::optional<std::string> fieldText(const CalcRequest& request, const RequestField& field);
void setFieldText(CalcRequest& request, const RequestField& field, std::optional<std::string> text);

// The unit system a request names, US customary when it names none; nothing for an unknown word.
std::optional<UnitSystem> requestSystem(const CalcRequest& request);

struct Replay {
    SessionStatus status = SessionStatus::Done;
    // Rejected: the part refused, its text, and why (the box's message, or the unit words the
    // list holds).
    RequestField field;
    std::string text, reason;
    std::string fault; // Fault: what stopped the calculation
};

// Does on `session` what a user does for the request: the shape chosen, each named unit picked
// from its list (diameter, slope, flow), then each given text typed into its box and committed
// with Enter (diameter or side, span, rise, slope, flow, n), then the pipe name typed. Stops at
// the first refused text or arithmetic fault.
Replay replay(const CalcRequest& request, CalcSession& session);

// The calculation of a request as its record shows it, for the rows of reports and tables.
struct RecordReply {
    SessionStatus status = SessionStatus::Done;
    record::RecordFields fields; // the inputs as typed; when Done, also the results
    std::string fault;           // Fault: what stopped the calculation
    bool noSection = false;      // Fault: the dimensions make no section (an arch's radii)
    bool surcharged = false;     // the flow is above the flow at 0.93 of the diameter
    // Inputs far outside the range where the equations hold, computed all the same.
    std::vector<std::string> warnings;
};
// A fresh session replays the request; a refused text is `Rejected` with the inputs' fields.
RecordReply runRecord(const CalcRequest& request);

// The inputs of a request as its record shows them: the texts as given, the unit words, and
// what a fresh calculator holds for what is not given. The results are left empty.
record::RecordFields inputFields(const CalcRequest& request);

} // namespace runnelex
