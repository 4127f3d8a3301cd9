// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_app.h"

#include <algorithm>
#include <exception>
#include <new>

#include "cli/batch_command.h"
#include "cli/calc_command.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/report_command.h"
#include "cli/size_command.h"
#include "report/quoting.h"
#include "version/version.h"

namespace runnelex::cli {

namespace {

const char* const kProgram = "runnelex-cli";

std::string overview(std::span<const Command> commands) {
    std::string text = "Usage:\n";
    for (const Command& c : commands)
        text += c.synopsis;
    text += "  runnelex-cli help [COMMAND] | COMMAND --help | COMMAND -h\n"
            "  runnelex-cli --help | --version\n"
            "\n"
            "The calculation of the Runnelex main window from a shell. Each TEXT is what a user\n"
            "would type into that box, checked exactly as the box checks it.\n"
            "Exit status: 0 done, 2 bad input or usage, 3 arithmetic error in the calculation\n"
            "(report: in some rows), 4 the output could not be written, 5 batch: some lines\n"
            "were left out, 6 size: no size meets the criteria. A reader that closes the\n"
            "pipe early (| head) ends the program by SIGPIPE, as other tools: status 141.\n";
    return text;
}

std::string versionText() {
    return std::string(kProgram) + " " + version::kText + "\n" + version::kLicenceLines;
}

std::string commandHelp(const Command& command) {
    return "Usage:\n" + command.synopsis + "\n" + command.description;
}

int runCommand(const Command& command, std::span<const std::string> args, Output& out,
               Output& err) {
    std::vector<OptionDef> options = command.options;
    options.push_back({"help", false});
    options.push_back({"h", false});
    auto parsed = parseArgs(args, options);
    if (const auto* e = std::get_if<ArgsError>(&parsed))
        return usageError(err, e->what, command.name);
    const ParsedArgs& a = std::get<ParsedArgs>(parsed);
    if (!command.takesPositionals && !a.positionals.empty())
        return usageError(err, "unexpected argument " + quoted(a.positionals.front()),
                          command.name);
    if (a.has("help") || a.has("h")) {
        out.write(commandHelp(command));
        return kDone;
    }
    return command.run(a, out, err);
}

int dispatch(std::span<const std::string> args, std::span<const Command> commands, Output& out,
             Output& err) {
    if (args.empty())
        return usageError(err, "no command given");
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "--version") {
        if (args.size() > 1)
            return usageError(err, "unexpected argument " + quoted(args[1]));
        if (first == "--version")
            out.write(versionText());
        else
            out.write(overview(commands));
        return kDone;
    }
    const auto named = [&commands](const std::string& name) {
        return std::find_if(commands.begin(), commands.end(),
                            [&](const Command& c) { return c.name == name; });
    };
    // "; did you mean calc?" for a mistyped command.
    const auto guess = [&commands](const std::string& word) {
        std::vector<std::string> names = {"help"};
        for (const Command& c : commands)
            names.push_back(c.name);
        const auto meant = likelyMeant(word, names);
        return meant ? "; did you mean " + *meant + "?" : std::string();
    };
    if (first == "help") {
        if (args.size() > 2)
            return usageError(err, "unexpected argument " + quoted(args[2]));
        if (args.size() == 1 || args[1] == "--help" || args[1] == "-h" || args[1] == "help") {
            out.write(overview(commands));
            return kDone;
        }
        const auto it = named(args[1]);
        if (it == commands.end())
            return usageError(err,
                              "no help on " + quoted(args[1]) + ": not a command" + guess(args[1]));
        out.write(commandHelp(*it));
        return kDone;
    }
    const auto it = named(first);
    if (it != commands.end())
        return runCommand(*it, args.subspan(1), out, err);
    if (first.size() > 1 && first[0] == '-') {
        const std::vector<std::string> own = {"help", "version"};
        if (const auto meant = likelyMeant(first.substr(first[1] == '-' ? 2 : 1), own))
            return usageError(err, "unknown option " + quoted(first) + "; did you mean --" +
                                       *meant + "?");
        return usageError(err, "option " + quoted(first) + " comes before any command");
    }
    return usageError(err, "unknown command " + quoted(first) + guess(first));
}

} // namespace

int usageError(Output& err, const std::string& what, const std::string& command) {
    err.write(std::string(kProgram) + ": " + what + "\n");
    err.write("Try \"" + std::string(kProgram) + (command.empty() ? "" : " " + command) +
              " --help\" for more information.\n");
    return kUsage;
}

std::string diagnostic(std::string message) {
    if (!message.empty() && message.back() == '.')
        message.pop_back();
    if (!message.empty() && message[0] >= 'A' && message[0] <= 'Z')
        message[0] = static_cast<char>(message[0] - 'A' + 'a');
    return message;
}

int runCli(std::span<const std::string> args, std::span<const Command> commands, Output& out,
           Output& err) {
    int status;
    try {
        status = dispatch(args, commands, out, err);
    } catch (const std::bad_alloc&) {
        err.write(std::string(kProgram) + ": out of memory\n");
        status = kOutputFailed;
    }
    if (!out.flush()) {
        err.write(std::string(kProgram) + ": cannot write the output: " + out.failure() + "\n");
        status = kOutputFailed;
    }
    err.flush();
    return status;
}

std::vector<Command> coreCommands() {
    return {calcCommand(), reportCommand(), batchCommand(), sizeCommand()};
}

} // namespace runnelex::cli
