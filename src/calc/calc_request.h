// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "calc/calc_session.h"
#include "results/record.h"

namespace runnelex {

// A calculation asked for without a window: the texts a user would type into the boxes and the
// unit words chosen from the lists; what is not given stays as a fresh calculator has it.
struct CalcRequest {
    std::optional<std::string> pipe, diam, diamUnit, slope, slopeUnit, n, flow, flowUnit;
    // Beside the circular pipe: the shape's word, and a box's span and rise.
    std::optional<std::string> shape, span, rise;
    // The unit system's word, "us" or "si" (any case); US customary when not given.
    std::optional<std::string> units;
};

// The parts of a request, for telling which one was refused.
enum class RequestField {
    Pipe,
    Diam,
    DiamUnit,
    Slope,
    SlopeUnit,
    N,
    Flow,
    FlowUnit,
    Shape,
    Span,
    Rise,
    Units
};

// The unit system a request names, US customary when it names none; nothing for an unknown word.
std::optional<UnitSystem> requestSystem(const CalcRequest& request);

struct Replay {
    SessionStatus status = SessionStatus::Done;
    // Rejected: the part refused, its text, and why (the box's message, or the unit words the
    // list holds).
    RequestField field = RequestField::Pipe;
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
    bool surcharged = false;     // the flow is above the flow at 0.93 of the diameter
};
// A fresh session replays the request; a refused text is `Rejected` with the inputs' fields.
RecordReply runRecord(const CalcRequest& request);

// The inputs of a request as its record shows them: the texts as given, the unit words, and
// what a fresh calculator holds for what is not given. The results are left empty.
record::RecordFields inputFields(const CalcRequest& request);

} // namespace runnelex
