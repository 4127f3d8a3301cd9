// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/request_options.h"

#include "report/quoting.h"

namespace runnelex::report {

const char* optionName(RequestField field) {
    switch (field) {
    case RequestField::Pipe:
        return "--pipe";
    case RequestField::Diam:
        return "--diam";
    case RequestField::DiamUnit:
        return "--diam-unit";
    case RequestField::Slope:
        return "--slope";
    case RequestField::SlopeUnit:
        return "--slope-unit";
    case RequestField::N:
        return "--n";
    case RequestField::Flow:
        return "--flow";
    case RequestField::FlowUnit:
        break;
    }
    return "--flow-unit";
}

std::string requestProblem(const Replay& replay) {
    return std::string(optionName(replay.field)) + " " + quoted(replay.text) + ": " + replay.reason;
}

} // namespace runnelex::report
