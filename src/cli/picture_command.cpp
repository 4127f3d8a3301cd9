// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/picture_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <unistd.h>

#include "cli/calc_command.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/synopsis.h"

#ifdef RUNNELEX_COVERAGE
extern "C" void __gcov_dump();
#endif

namespace runnelex::cli {

Command pictureCommand(std::function<int(const ParsedArgs&, Output&, Output&)> run) {
    Command c;
    c.name = "picture";
    c.synopsis = synopsisLines("  runnelex-cli picture",
                               calcItems({"--out FILE.png|FILE.svg|FILE.pdf|-",
                                          "[--format png|svg|pdf]", "[--size WxH]"}));
    c.description =
        "Draws the picture of the Runnelex pipe picture window for the texts typed into the\n"
        "main window's boxes (as calc): the cross-section with the normal and critical depths,\n"
        "and the hydraulic-elements chart. The suffix of FILE chooses the format; the file is\n"
        "replaced in one step. --out - writes the picture to standard output, in the format\n"
        "--format names (default png). WxH in pixels (points for PDF), default 960x540, at\n"
        "least 560x320 for the texts to be read. Runs without a display.\n"
        "\n"
        "Examples:\n"
        "  runnelex-cli picture --diam 12 --slope 0.01 --flow 2 --out pipe.png\n"
        "  runnelex-cli picture --shape box --span 6 --rise 4 --diam-unit ft --slope 0.005 \\\n"
        "      --flow 60 --out box.svg --size 1200x700\n";
    c.options = calcOptions();
    c.options.push_back({"out"});
    c.options.push_back({"size"});
    c.options.push_back({"format"});
    c.run = std::move(run);
    return c;
}

std::vector<std::string> pictureHelperPlaces() {
    std::vector<std::string> places;
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        places.push_back(
            (self.parent_path() / RUNNELEX_PICTURE_FROM_BINDIR).lexically_normal().string());
    places.emplace_back(RUNNELEX_PICTURE_BUILD_PATH);
    return places;
}

int runPictureHelper(const ParsedArgs& args, Output& out, Output& err) {
    return runDrawingHelper("picture", args, out, err);
}

int runDrawingHelper(const std::string& command, const ParsedArgs& args, Output& out, Output& err) {
    std::string tried;
    for (const std::string& place : pictureHelperPlaces()) {
        if (::access(place.c_str(), X_OK) != 0) {
            tried += (tried.empty() ? "" : ", ") + place;
            continue;
        }
        std::vector<std::string> words = {"runnelex-cli", command};
        words.insert(words.end(), args.words.begin(), args.words.end());
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        out.flush();
        err.flush();
#ifdef RUNNELEX_COVERAGE
        __gcov_dump(); // exec replaces the process before its counters are written at its exit
#endif
        ::execv(place.c_str(), argv.data());
        err.write("runnelex-cli: cannot start the picture helper " + place + ": " +
                  std::strerror(errno) + "\n");
        return kOutputFailed;
    }
    err.write("runnelex-cli: cannot draw pictures: the helper runnelex-picture is not installed "
              "(looked for " +
              tried + ")\n");
    return kOutputFailed;
}

} // namespace runnelex::cli
