// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli: the calculation of the main window from a shell.
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/output.h"
#include "cli/picture_command.h"
#include "cli/sheet_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    runnelex::cli::FdOutput out(1);
    runnelex::cli::FdOutput err(2);
    std::vector<runnelex::cli::Command> commands = runnelex::cli::coreCommands();
    // Drawing needs Qt: a helper program draws, so no other command loads it.
    commands.push_back(runnelex::cli::pictureCommand(runnelex::cli::runPictureHelper));
    commands.push_back(runnelex::cli::sheetCommand([](const auto& a, auto& o, auto& e) {
        return runnelex::cli::runSheet(a, o, e, [](const auto& args, auto& out, auto& err) {
            return runnelex::cli::runDrawingHelper("sheet", args, out, err);
        });
    }));
    return runnelex::cli::runCli(args, commands, out, err);
}
