// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calc_command.h"

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/output.h"

namespace runnelex::cli {

const char* const kCalcOptionsSynopsis =
    "[--pipe TEXT] [--diam TEXT] [--diam-unit in.|ft.]\n"
    "          [--slope TEXT] [--slope-unit ft/ft|%] [--n TEXT]\n"
    "          [--flow TEXT] [--flow-unit CFS|MGD|GPM]";

std::vector<OptionDef> calcOptions() {
    return {{"pipe"},       {"diam"}, {"diam-unit"}, {"slope"},
            {"slope-unit"}, {"n"},    {"flow"},      {"flow-unit"}};
}

CalcRequest calcRequestFrom(const ParsedArgs& a) {
    CalcRequest r;
    r.pipe = a.value("pipe");
    r.diam = a.value("diam");
    r.diamUnit = a.value("diam-unit");
    r.slope = a.value("slope");
    r.slopeUnit = a.value("slope-unit");
    r.n = a.value("n");
    r.flow = a.value("flow");
    r.flowUnit = a.value("flow-unit");
    return r;
}

Command calcCommand() {
    Command c;
    c.name = "calc";
    c.synopsis = "  runnelex-cli calc [--pipe TEXT] [--diam TEXT] [--diam-unit in.|ft.]\n"
                 "                    [--slope TEXT] [--slope-unit ft/ft|%] [--n TEXT]\n"
                 "                    [--flow TEXT] [--flow-unit CFS|MGD|GPM] [--labels]\n";
    c.description =
        "Computes what the Runnelex main window shows for the texts typed into its boxes\n"
        "(each committed with Enter) and prints the header line and the calculation record,\n"
        "or with --labels one line per result label: name<TAB>text.\n"
        "Defaults: in., ft/ft, CFS, n 0.013; a missing diameter, slope or flow is an empty box.\n";
    c.options = calcOptions();
    c.options.push_back({"labels", false});
    c.run = [](const ParsedArgs& a, Output& out, Output& err) {
        CalcRequest request = calcRequestFrom(a);
        request.labels = a.has("labels");
        const CalcReply reply = runCalc(request);
        if (reply.exitCode == kUsage)
            return usageError(err, reply.usage, "calc");
        out.write(reply.out);
        err.write(reply.err);
        return reply.exitCode;
    };
    return c;
}

} // namespace runnelex::cli
