// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/calc_request.h"
#include "calc/calc_session.h"

namespace runnelex::cli {

class Output;

// A calculator driven from the command line: a request replayed on a fresh session, the
// messages it showed kept for stderr.
class CliCalculator final : private SessionView {
public:
    CliCalculator() = default;

    // Replays the request. A refused text is written to `err` as the usage error of `command`,
    // a fault as its message; the messages of a replay that went through are written too.
    // Returns the exit status.
    int run(const CalcRequest& request, Output& err, const std::string& command);
    const CalcSession& session() const { return session_; }

private:
    void message(const std::string& prompt) override { messages_ += prompt + '\n'; }

    CalcSession session_{this};
    std::string messages_;
};

} // namespace runnelex::cli
