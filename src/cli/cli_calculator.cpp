// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_calculator.h"

#include "calc/display_run.h"
#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "report/request_options.h"

namespace runnelex::cli {

int CliCalculator::run(const CalcRequest& request, Output& err, const std::string& command) {
    if (const auto why = report::shapeProblem(request))
        return usageError(err, *why, command);
    if (const auto why = report::lawProblem(request, [&request](const RequestField& f) {
            return fieldText(request, f).has_value();
        }))
        return usageError(err, *why, command);
    const Replay r = replay(request, session_);
    switch (r.status) {
    case SessionStatus::Rejected:
        return usageError(err, report::requestProblem(r), command);
    case SessionStatus::Fault:
        // A section its dimensions cannot make is a usage error, as a missing one is.
        if (const CalcInputs& in = session_.inputs();
            !in.Shape->faultOf(in.Dims, in.Texts, in.System).empty())
            return usageError(err, diagnostic(in.Shape->faultOf(in.Dims, in.Texts, in.System)),
                              command);
        err.write("runnelex-cli: " + diagnostic(session_.lastFaultMessage()) + '\n');
        return kArithmetic;
    case SessionStatus::Done:
        break;
    }
    err.write(messages_);
    // Computed all the same, but the reader is told.
    for (const std::string& warning : session_.inputWarnings())
        err.write("runnelex-cli: warning: " + diagnostic(warning) + '\n');
    return kDone;
}

} // namespace runnelex::cli
