// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calc_command.h"

#include "cli/cli_app.h"
#include "cli/cli_calculator.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "picture/picture_model.h"

namespace runnelex::cli {

const char* const kCalcOptionsSynopsis =
    "[--pipe TEXT] [--shape circle|square|box] [--diam TEXT]\n"
    "          [--span TEXT --rise TEXT] [--diam-unit in.|ft.]\n"
    "          [--slope TEXT] [--slope-unit ft/ft|%] [--n TEXT]\n"
    "          [--flow TEXT] [--flow-unit CFS|MGD|GPM]";

std::vector<OptionDef> calcOptions() {
    return {{"pipe"},      {"units"}, {"shape"},      {"diam"}, {"span"}, {"rise"},
            {"diam-unit"}, {"slope"}, {"slope-unit"}, {"n"},    {"flow"}, {"flow-unit"}};
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
    r.shape = a.value("shape");
    r.units = a.value("units");
    r.span = a.value("span");
    r.rise = a.value("rise");
    return r;
}

Command calcCommand() {
    Command c;
    c.name = "calc";
    c.synopsis = "  runnelex-cli calc [--pipe TEXT] [--units us|si] [--shape circle|square|box]\n"
                 "                    [--diam TEXT] [--span TEXT --rise TEXT]\n"
                 "                    [--diam-unit in.|ft.|mm|m] [--slope TEXT]\n"
                 "                    [--slope-unit ft/ft|m/m|%] [--n TEXT] [--flow TEXT]\n"
                 "                    [--flow-unit CFS|MGD|GPM|m3/s|L/s|ML/d] [--labels]\n";
    c.description =
        "Computes what the Runnelex main window shows for the texts typed into its boxes\n"
        "(each committed with Enter) and prints the header line and the calculation record,\n"
        "or with --labels one line per result label: name<TAB>text.\n"
        "Defaults: in., ft/ft, CFS, n 0.013; a missing diameter, slope or flow is an empty box.\n"
        "A square takes its side in --diam, a box its span and rise (all in the --diam-unit);\n"
        "the record's Diam column then reads \"square 4\" or \"box 6x4\" (span x rise).\n"
        "--units si works in SI (mm or m, m/m or %, m3/s, L/s or ML/d; results in m and m/s).\n";
    c.options = calcOptions();
    c.options.push_back({"labels", false});
    c.run = [](const ParsedArgs& a, Output& out, Output& err) {
        CliCalculator calculator;
        if (const int status = calculator.run(calcRequestFrom(a), err, "calc"); status != kDone)
            return status;
        const CalcSession& session = calculator.session();
        if (!a.has("labels")) {
            out.write(record::headerLine(session.inputs().System) + '\n' +
                      record::makeRecord(session.recordFields()) + '\n');
            return static_cast<int>(kDone);
        }
        for (std::size_t i = 0; i < kLabelCount; ++i)
            out.write(std::string(labelName(labelAt(i))) + '\t' + session.label(labelAt(i)) + '\n');
        // The other normal depth follows the main window's labels, which stay as they are.
        const picture::PictureModel model = picture::buildPictureModel(session.inputs());
        for (const char* name : picture::kOtherDepthLabels) {
            std::string text;
            for (const auto& [label, caption] : model.labels)
                if (label == name)
                    text = caption;
            out.write(std::string(name) + '\t' + text + '\n');
        }
        return static_cast<int>(kDone);
    };
    return c;
}

} // namespace runnelex::cli
