// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli: the calculation of the main window from a shell.
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/output.h"
#include "cli/picture_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    runnelex::cli::FdOutput out(1);
    runnelex::cli::FdOutput err(2);
    std::vector<runnelex::cli::Command> commands = runnelex::cli::coreCommands();
    // Drawing needs Qt: a helper program draws, so no other command loads it.
    commands.push_back(runnelex::cli::pictureCommand(runnelex::cli::runPictureHelper));
    return runnelex::cli::runCli(args, commands, out, err);
}
