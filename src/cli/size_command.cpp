// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/size_command.h"

#include "calc/request_law.h"
#include "cli/calc_command.h"
#include "cli/cli_app.h"
#include "cli/cli_calculator.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/synopsis.h"
#include "report/quoting.h"
#include "sections/shape_table.h"
#include "sizing/pipe_sizing.h"
#include "sizing/sizing_report.h"

namespace runnelex::cli {

namespace {

// The criteria and the sizes the options ask for; on a bad value, the usage error's text.
std::optional<std::string> readCriteria(const ParsedArgs& a, UnitSystem system, sizing::Criteria& c,
                                        sizing::SizeList& sizes) {
    c = sizing::defaultCriteria(system);
    const auto check = [](const char* option, const std::string& text,
                          const std::optional<std::string>& why) -> std::optional<std::string> {
        if (!why)
            return std::nullopt;
        return std::string("--") + option + " " + quoted(text) + ": " + *why;
    };
    if (const auto t = a.value("max-depth-ratio"))
        if (auto e = check("max-depth-ratio", *t, sizing::parseMaxDepthRatio(*t, c.maxDepthRatio)))
            return e;
    if (const auto t = a.value("min-velocity"))
        if (auto e = check("min-velocity", *t,
                           sizing::parseVelocity(*t, "smallest velocity", c.minVelocity, system)))
            return e;
    if (const auto t = a.value("max-velocity")) {
        double v = 0.0;
        if (auto e =
                check("max-velocity", *t, sizing::parseVelocity(*t, "largest velocity", v, system)))
            return e;
        c.maxVelocity = v;
        if (auto e = check("max-velocity", *t, sizing::checkVelocityRange(c)))
            return e;
    }
    const sections::ShapeRow* shape = &sections::defaultShape();
    if (const auto t = a.value("shape")) {
        shape = sections::shapeNamed(*t);
        if (shape == nullptr)
            return "--shape " + quoted(*t) + ": unknown shape (" + sections::shapeWordSentence() +
                   ")";
    }
    sizes = sizing::defaultSizes(*shape, system);
    if (sizes.sizes.empty()) // a section of the user's own is made in no standard sizes
        return "--shape " + std::string(shape->word) + ": " + std::string(shape->word) +
               " sections come in no standard sizes to try";
    if (const auto t = a.value("sizes"))
        if (auto e = check("sizes", *t, sizing::parseSizeList(*t, *shape, sizes.sizes, system)))
            return e;
    return std::nullopt;
}

} // namespace

Command sizeCommand() {
    Command c;
    c.name = "size";
    std::vector<std::string> items = {"--flow TEXT",
                                      "[--flow-unit CFS|MGD|GPM|m3/s|L/s|ML/d]",
                                      "--slope TEXT",
                                      "[--slope-unit ft/ft|m/m|%]",
                                      "[--n TEXT]",
                                      shapeItem(),
                                      "\n"};
    for (std::string& item : lawItems())
        items.push_back(std::move(item));
    for (const char* item : {"\n", "[--max-depth-ratio R]", "[--min-velocity V]",
                             "[--max-velocity V]", "[--sizes LIST]", "[--units us|si]"})
        items.emplace_back(item);
    c.synopsis = synopsisLines("  runnelex-cli size", items);
    c.description =
        "Tries nominal diameters in inches, in the order given (default 4, 6, 8, 10, 12, 15,\n"
        "18, 21, 24, 27, 30, 33, 36, 42, 48, 54, 60, 66, 72, 78, 84, 90, 96, 102, 108, 114,\n"
        "120, 132, 144), and prints for each the header and record of calc for that diameter,\n"
        "its d/D and whether it meets each criterion (yes, no, or - where it does not apply).\n"
        "The first size meeting them all is marked * and its size is the last line.\n"
        "Criteria: normal depth at most R of the diameter (default 0.8), velocity at the\n"
        "normal depth at least V ft/sec (default 2) and at most V ft/sec (default none).\n"
        "LIST: sizes separated by commas or blanks. A surcharged size fails the depth ratio.\n"
        "--shape square tries square boxes of side 3 to 12 ft; --shape box the precast box\n"
        "catalogue, span x rise in ft from 3x2 to 12x12, smallest full area first (LIST:\n"
        "6x4,8x5); the depth ratio is then the depth over the rise. --shape egg tries egg\n"
        "heights of 1.5 to 9 ft by 0.5, --shape ellipse the 23 elliptical pipes, span x rise\n"
        "in inches from 23x14 to 180x116, --shape horseshoe horseshoes of 4 to 20 ft by 1.\n"
        "--units si tries the metric diameters in mm (100, 150, 225, 300, ... 2700, 3000),\n"
        "boxes in mm (600x300 to 3600x3600 in steps of 300), eggs (600 to 2100), elliptical\n"
        "pipes (585x355 to 4570x2945, the inch sizes to the nearest 5 mm) and horseshoes (1200\n"
        "to 6000 by 300), the velocity in m/s (default at least 0.6); the last line is then\n"
        "the size in mm.\n"
        "--shape arch tries every family's standard arches, smallest full area first.\n"
        "The friction law and its inputs are calc's (--law, --k, ...).\n"
        "Exit status 6 when no size meets the criteria. The columns are calc's (runnelex-cli\n"
        "calc --help), then d/D and the criteria.\n"
        "\n"
        "Examples:\n"
        "  runnelex-cli size --flow 2 --slope 0.01 --sizes 8,10,12\n"
        "  runnelex-cli size --flow 2 --slope 0.01 --max-depth-ratio 0.5 --min-velocity 3 | "
        "tail -1\n"
        "  runnelex-cli size --shape box --flow 60 --slope 0.005\n"
        "  runnelex-cli size --units si --flow 50 --flow-unit L/s --slope 1 --slope-unit %\n";
    c.options = {{"flow"},  {"flow-unit"}, {"slope"},           {"slope-unit"},   {"n"},
                 {"shape"}, {"sizes"},     {"max-depth-ratio"}, {"min-velocity"}, {"max-velocity"},
                 {"units"}, {"law"}};
    for (std::string_view word : lawInputWords())
        c.options.push_back({std::string(word)});
    c.run = [](const ParsedArgs& a, Output& out, Output& err) {
        for (const char* needed : {"flow", "slope"})
            if (!a.has(needed))
                return usageError(err, std::string("--") + needed + " is needed", "size");
        // The calculator's texts but the section's, which each size gives.
        CalcRequest request = calcRequestFrom(a);
        request.shape.reset();
        request.dimensions.clear();
        const auto system = requestSystem(request);
        if (!system)
            return usageError(err, "--units " + quoted(*request.units) + ": write us or si",
                              "size");
        sizing::Criteria criteria;
        sizing::SizeList sizes;
        if (const auto why = readCriteria(a, *system, criteria, sizes))
            return usageError(err, *why, "size");

        CliCalculator calculator;
        if (const int status = calculator.run(request, err, "size"); status != kDone)
            return status;
        const CalcSession& session = calculator.session();
        const sizing::SizingResult result =
            sizing::sizeSections(session.inputs(), session.entry(), sizes, criteria);
        out.write(sizing::sizingReport(result, criteria));
        if (!result.chosen) {
            err.write("runnelex-cli: no size in the list meets the criteria\n");
            return static_cast<int>(kNoSize);
        }
        return static_cast<int>(kDone);
    };
    return c;
}

} // namespace runnelex::cli
