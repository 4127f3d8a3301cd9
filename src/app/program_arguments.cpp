// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_arguments.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "version/version.h"

namespace runnelex {

namespace {

// Qt's own options, each written with one dash or two. Those that take a value take the next
// argument; the last three also take it after "=".
constexpr std::array<std::string_view, 15> kQtWithValue = {"platform",
                                                           "platformpluginpath",
                                                           "platformtheme",
                                                           "plugin",
                                                           "qwindowgeometry",
                                                           "geometry",
                                                           "qwindowicon",
                                                           "icon",
                                                           "qwindowtitle",
                                                           "title",
                                                           "session",
                                                           "display",
                                                           "name",
                                                           "style",
                                                           "stylesheet"};
constexpr std::array<std::string_view, 5> kQtSwitches = {"reverse", "widgetcount", "nograb",
                                                         "dograb", "sync"};
constexpr std::array<std::string_view, 3> kQtWithEquals = {"style", "stylesheet", "qmljsdebugger"};

constexpr const char* kUsage =
    "Usage: runnelex [--si] [Qt options]\n"
    "       runnelex --help | -h | --version\n"
    "\n"
    "Starts the Runnelex calculator for conduits flowing partly full. --si starts it in SI\n"
    "units, as Tools > SI Units switches it. The standard options of Qt programs, such as\n"
    "-platform NAME and -display DISPLAY, go to Qt. The same calculations from a shell:\n"
    "runnelex-cli --help.\n";

bool among(std::string_view name, const auto& list) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// "-platform" or "--platform": "platform"; a word that is no option: empty.
std::string_view optionName(std::string_view word) {
    if (word.size() < 2 || word[0] != '-')
        return {};
    word.remove_prefix(word[1] == '-' ? 2 : 1);
    return word;
}

ProgramArguments refused(const std::string& what) {
    ProgramArguments a;
    a.exitStatus = 2;
    a.err = "runnelex: " + what + "\nTry \"runnelex --help\" for more information.\n";
    return a;
}

} // namespace

ProgramArguments refusedArgument(const std::string& word) {
    std::string name(optionName(word));
    if (name.empty())
        return refused("unexpected argument \"" + word + "\"");
    // The program's options are written in small letters, with two dashes.
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool ours = name == "si" || name == "help" || name == "version";
    return refused("unknown option \"" + word + "\"" +
                   (ours ? "; did you mean --" + name + "?" : ""));
}

ProgramArguments readProgramArguments(const std::vector<std::string>& args) {
    ProgramArguments a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--help" || word == "-h") {
            ProgramArguments help;
            help.exitStatus = 0;
            help.out = kUsage;
            return help;
        }
        if (word == "--version") {
            ProgramArguments version;
            version.exitStatus = 0;
            version.out = std::string("runnelex ") + version::kText + "\n" + version::kLicenceLines;
            return version;
        }
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const std::string_view name = optionName(word);
        if (word == "--si") {
            a.system = UnitSystem::SI;
        } else if (among(name, kQtSwitches)) {
            continue;
        } else if (among(name, kQtWithValue)) {
            if (i + 1 == args.size())
                return refused(word + " needs a value");
            ++i;
        } else if (const std::size_t eq = name.find('=');
                   eq == std::string_view::npos || !among(name.substr(0, eq), kQtWithEquals)) {
            return refusedArgument(word);
        }
    }
    return a;
}

} // namespace runnelex
