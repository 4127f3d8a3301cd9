// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli under Node.js: the same commands on the real files and streams. Drawing needs
// the desktop build's helper, so "picture" says where to find it.
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/picture_command.h"
#include "cli/sheet_command.h"

// Whether a stream is a terminal, as Node.js sees it: the C library of the web build takes every
// stream of Node.js for one, and a report would write its progress line into a file.
EM_JS(int, nodeIsTerminal, (int fd), { return require("tty").isatty(fd) ? 1 : 0; });

extern "C" int isatty(int fd) {
    return nodeIsTerminal(fd);
}

int main(int argc, char** argv) {
    using namespace runnelex::cli;
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    FdOutput out(1);
    FdOutput err(2);
    std::vector<Command> commands = coreCommands();
    commands.push_back(pictureCommand([](const ParsedArgs&, Output&, Output& e) {
        e.write("runnelex-cli: cannot draw pictures here: the desktop runnelex-cli draws them\n");
        return static_cast<int>(kOutputFailed);
    }));
    commands.push_back(sheetCommand([](const ParsedArgs& a, Output& o, Output& e) {
        return runSheet(a, o, e, [](const ParsedArgs&, Output&, Output& err) {
            err.write("runnelex-cli: cannot draw a PDF here: the desktop runnelex-cli draws it; "
                      "write .html and print it from a browser\n");
            return static_cast<int>(kOutputFailed);
        });
    }));
    return runCli(args, commands, out, err);
}
