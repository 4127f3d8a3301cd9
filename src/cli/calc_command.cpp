// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calc_command.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/cli_app.h"
#include "cli/cli_calculator.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/synopsis.h"
#include "picture/picture_model.h"

namespace runnelex::cli {

namespace {

// The text an argument names when it is a file's name (one part a line, as in "0 0" newline
// "0.5 1.2"), else the argument itself. A file over 1 MiB is not read: its name stays, and the
// entry check refuses it.
std::string textOrFile(const std::string& argument) {
    constexpr std::uintmax_t kLargest = 1 << 20;
    std::error_code ec;
    if (argument.find_first_of(";\n") != std::string::npos ||
        !std::filesystem::is_regular_file(argument, ec) ||
        std::filesystem::file_size(argument, ec) > kLargest || ec)
        return argument;
    std::ifstream in(argument, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof())
        return argument;
    std::string joined, line;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != '\n') {
            if (text[at] != '\r')
                line += text[at];
            continue;
        }
        if (line.find_first_not_of(" \t") != std::string::npos) // blank lines are nothing
            joined.append(joined.empty() ? "" : ";").append(line);
        line.clear();
    }
    return joined;
}

} // namespace

std::vector<OptionDef> calcOptions() {
    std::vector<OptionDef> options;
    for (const RequestField& f : requestFields())
        options.push_back({optionWord(f)});
    return options;
}

CalcRequest calcRequestFrom(const ParsedArgs& a) {
    CalcRequest r;
    for (const RequestField& f : requestFields())
        setFieldText(r, f, a.value(optionWord(f)));
    for (auto& [word, text] : r.dimensions)
        if (const sections::DimensionSpec* d = sections::firstDimension(word);
            d != nullptr && !d->isLength() && d->text->fromFile)
            text = textOrFile(text);
    return r;
}

std::vector<std::string> calcItems(const std::vector<std::string>& after) {
    std::vector<std::string> items = {"[--pipe TEXT]", "[--units us|si]", shapeItem()};
    for (std::string& item : dimensionItems())
        items.push_back(std::move(item));
    for (const char* item :
         {"[--diam-unit in.|ft.|mm|m]", "[--slope TEXT]", "[--slope-unit ft/ft|m/m|%]",
          "[--n TEXT]", "[--flow TEXT]", "[--flow-unit CFS|MGD|GPM|m3/s|L/s|ML/d]"})
        items.emplace_back(item);
    for (std::string& item : lawItems())
        items.push_back(std::move(item));
    items.insert(items.end(), after.begin(), after.end());
    return items;
}

Command calcCommand() {
    Command c;
    c.name = "calc";
    c.synopsis = synopsisLines("  runnelex-cli calc", calcItems({"[--labels]"}));
    c.description =
        "Computes what the Runnelex main window shows for the texts typed into its boxes\n"
        "(each committed with Enter) and prints the header line and the calculation record,\n"
        "or with --labels one line per result label: name<TAB>text.\n"
        "Defaults: in., ft/ft, CFS, n 0.013; a missing diameter, slope or flow is an empty box.\n"
        "A square takes its side in --diam, a box its span and rise (all in the --diam-unit);\n"
        "the record's Diam column then reads \"square 4\" or \"box 6x4\" (span x rise).\n"
        "An egg takes its height in --rise (\"egg 1800\"), an elliptical pipe its span and rise\n"
        "(\"ellipse 60x38\": lying when the span is the longer, on end when the rise is), a\n"
        "horseshoe its height and width in --diam (\"horseshoe 96\"). Their flow peaks below the\n"
        "crown, so a flow above the full-flow capacity can have two normal depths.\n"
        "--units si works in SI (mm or m, m/m or %, m3/s, L/s or ML/d; results in m and m/s).\n"
        "\n"
        "Friction laws (--law; the n column of the record in brackets):\n"
        "  manning (default): V = (k/n) R^(2/3) S^(1/2), k 1.486 (US) or 1 (SI)   [0.013]\n"
        "  kutter --n: Ganguillet-Kutter, V = C sqrt(R S), C = (a + b/n + c/S) /\n"
        "    (1 + (a + c/S) n / sqrt(R)); a, b, c = 41.65, 1.811, 0.00281 (US) or 23, 1,\n"
        "    0.00155 (SI)   [kutter 0.013]\n"
        "  colebrook --k: Colebrook-White with D = 4R, V = -2 sqrt(8gRS) log10(k/(14.8R) +\n"
        "    2.51 nu/(4R sqrt(8gRS))); g 9.80665 m/s2 (9.80665/0.3048 ft/s2); k in --k-unit\n"
        "    (mm in SI, in. in US; 0 is a smooth pipe); nu 1.141e-06 m2/s (water at 15 C) or\n"
        "    --nu (m2/s, ft2/s in US), or from --temperature (C, F in US) by Vogel's viscosity\n"
        "    over Tanaka's density of water   [colebrook 1.5 mm nu 1.31e-06]\n"
        "  hazen-williams --c: V = k C R^0.63 S^0.54, k 1.318 (US) or 0.849 (SI)\n"
        "    [hazen-williams 120]\n"
        "The critical depth and the Froude number do not depend on the law.\n"
        "\n"
        "The record's columns: Pipe ID; Q and Qunit, the flow as typed and its unit; Diam and\n"
        "unit; Slope and unit; n; Depth (ft), the normal depth; Vel. (fps), the velocity there\n"
        "in ft/s; Fr. #, the Froude number; Dcrit(ft), the critical depth; Capacity, the flow\n"
        "of the pipe flowing full, and Max Q, the flow at 0.93 of the diameter, both in the\n"
        "flow unit chosen. A surcharged pipe (flow above Max Q) has no depth, velocity, Froude\n"
        "number or critical depth. In SI: Depth (m), Vel. (m/s), Dcrit(m).\n"
        "\n"
        "--labels: lblrDnorm normal depth (ft); lblrAreaW flow area (sq. ft.); lblrPerimW\n"
        "wetted perimeter (ft); lblrRh hydraulic radius (ft); lblrVnorm velocity (ft/s);\n"
        "lblrDoverD depth over diameter (or rise); lblrFrNo Froude number; lblrDcr critical\n"
        "depth (ft); lblrRegime Subcritical, Supercritical or Surcharged!; lblrQ050 ... lblrQ100\n"
        "the flow at d/D 0.50, 0.75, 0.93 and 1.00 (flow unit) and lblrV050 ... lblrV100 the\n"
        "velocity there (ft/s); lblrHf the hydraulic slope the flow needs with the pipe full\n"
        "(ft/ft); lblrVfull the velocity then (ft/s); lblFullCondition, lblFullCause the\n"
        "full-flow notice; lblCapQ the capacity table's heading; lblrDnorm2, lblrDoverD2,\n"
        "lblrVnorm2 the other normal depth (ft), its d/D and velocity (ft/s) of a flow that has\n"
        "two. In SI the lengths are in m, areas in m2, velocities in m/s, slopes in m/m.\n"
        "\n"
        "Examples:\n"
        "  runnelex-cli calc --diam 12 --slope 0.01 --flow 2\n"
        "  runnelex-cli calc --diam 24 --slope 0.5 --slope-unit % --flow 10 --labels\n"
        "  runnelex-cli calc --shape box --span 6 --rise 4 --diam-unit ft --slope 0.005 --flow 60\n"
        "  runnelex-cli calc --units si --diam 300 --slope 1 --slope-unit % --flow 50 \\\n"
        "      --flow-unit L/s\n";
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
