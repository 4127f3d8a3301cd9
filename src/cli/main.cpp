// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli: the calculation of the main window from a shell.
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <iostream>

#include "app/version.h"
#include "cli/cli_session.h"

namespace {

const char* const kUsage =
    "Usage: runnelex-cli calc [--pipe TEXT] [--diam TEXT] [--diam-unit in.|ft.]\n"
    "                         [--slope TEXT] [--slope-unit ft/ft|%] [--n TEXT]\n"
    "                         [--flow TEXT] [--flow-unit CFS|MGD|GPM] [--labels]\n"
    "       runnelex-cli --help | --version\n"
    "\n"
    "Computes what the Runnelex main window shows for the texts typed into its boxes\n"
    "(each committed with Enter) and prints the header line and the calculation record,\n"
    "or with --labels one line per result label: name<TAB>text.\n"
    "Defaults: in., ft/ft, CFS, n 0.013; a missing diameter, slope or flow is an empty box.\n"
    "Exit status: 0 done, 2 bad input or usage, 3 arithmetic error in the calculation.\n";

int usageError(const QString& why) {
    if (!why.isEmpty())
        std::cerr << "runnelex-cli: " << why.toStdString() << '\n';
    std::cerr << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"help", "h"});
    const QCommandLineOption version("version");
    const QCommandLineOption labels("labels");
    const QCommandLineOption pipe("pipe", {}, "TEXT");
    const QCommandLineOption diam("diam", {}, "TEXT");
    const QCommandLineOption diamUnit("diam-unit", {}, "UNIT");
    const QCommandLineOption slope("slope", {}, "TEXT");
    const QCommandLineOption slopeUnit("slope-unit", {}, "UNIT");
    const QCommandLineOption n("n", {}, "TEXT");
    const QCommandLineOption flow("flow", {}, "TEXT");
    const QCommandLineOption flowUnit("flow-unit", {}, "UNIT");
    parser.addOptions(
        {help, version, labels, pipe, diam, diamUnit, slope, slopeUnit, n, flow, flowUnit});

    if (!parser.parse(args))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        std::cout << kUsage;
        return 0;
    }
    if (parser.isSet(version)) {
        std::cout << "runnelex-cli " << runnelex::version::kText << '\n';
        return 0;
    }
    const QStringList words = parser.positionalArguments();
    if (words.size() != 1 || words.front() != "calc")
        return usageError(words.isEmpty() ? QString() : "unexpected \"" + words.join(' ') + "\"");

    const auto given = [&parser](const QCommandLineOption& option) -> std::optional<std::string> {
        if (!parser.isSet(option))
            return std::nullopt;
        return parser.value(option).toStdString();
    };
    runnelex::cli::CalcRequest request;
    request.pipe = given(pipe);
    request.diam = given(diam);
    request.diamUnit = given(diamUnit);
    request.slope = given(slope);
    request.slopeUnit = given(slopeUnit);
    request.n = given(n);
    request.flow = given(flow);
    request.flowUnit = given(flowUnit);
    request.labels = parser.isSet(labels);

    const runnelex::cli::CalcReply reply = runnelex::cli::runCalc(request);
    std::cout << reply.out;
    std::cerr << reply.err;
    return reply.exitCode;
}
