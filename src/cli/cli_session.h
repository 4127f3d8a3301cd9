// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "results/record.h"

namespace runnelex::cli {

// What `runnelex-cli calc` was asked: the texts a user would type and the unit items chosen.
struct CalcRequest {
    std::optional<std::string> pipe, diam, diamUnit, slope, slopeUnit, n, flow, flowUnit;
    bool labels = false;
};

struct CalcReply {
    int exitCode = 0;  // 0 done, 2 bad input, 3 arithmetic fault
    std::string out;   // for stdout
    std::string err;   // for stderr
    std::string usage; // with exit code 2: what is wrong, naming the option and its text
    std::string fault; // with exit code 3: the arithmetic fault's description
};

// Replays what the main window does for the request: start-up, each named unit selected
// (diameter, slope, flow), then each given text entered into its box and committed with Enter
// (diameter, slope, flow, n). Answers with the record "No&w" would append, or the labels.
CalcReply runCalc(const CalcRequest& request);

// The fields of the record "No&w" would append, or the fault that stopped the calculation.
struct RecordReply {
    int exitCode = 0;            // 0 done, 2 bad input, 3 arithmetic fault
    record::RecordFields fields; // the inputs as typed; with exit code 0 also the results
    std::string usage, fault;
    bool surcharged = false; // the last calculation found the flow above the flow at 0.93 D
};
RecordReply runRecord(const CalcRequest& request);

// The inputs of a request as its record shows them: the texts as given, the unit words, and the
// defaults of a fresh main window for what is not given. The results are left empty.
record::RecordFields inputFields(const CalcRequest& request);

// The labels printed by --labels, in order.
const char* const* labelOrder(std::size_t& count);

} // namespace runnelex::cli
