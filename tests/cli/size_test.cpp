// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli size, run in process: the rows, the chosen size, and its usage errors.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/output.h"

namespace runnelex::cli {
namespace {

struct SizeRun {
    int exitCode;
    std::string out, err;
};

SizeRun size(std::vector<std::string> args, std::size_t failAfter = static_cast<std::size_t>(-1)) {
    args.insert(args.begin(), "size");
    StringOutput out(failAfter), err;
    const std::vector<Command> commands = coreCommands();
    const int code = runCli(args, commands, out, err);
    out.flush();
    err.flush();
    return {code, out.text(), err.text()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

const std::string kHeader =
    "Pipe ID\tQ\tQunit\tDiam\tunit\tSlope\tunit\tn\tDepth (ft)\tVel. (fps)\tFr. #\tDcrit(ft)\t"
    "Capacity\tMax Q\td/D\td/D <= 0.8\tV >= 2\tV <= none\tFirst\n";

TEST(Size, WorkedPipeAtTwoCfs) {
    const SizeRun r = size({"--flow", "2", "--slope", "0.01", "--sizes", "8, 10,12"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              kHeader +
                  "\t2\tCFS\t8\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t1.2084\t1.2993\t1\tno\t-\t-\t\n"
                  "\t2\tCFS\t10\tin.\t0.01\tft/ft\t0.013\t0.6256\t4.5538\t1.0283\t0.6342\t2.191\t"
                  "2.3557\t0.7507\tyes\tyes\t-\t*\n"
                  "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t0.5359\t4.6671\t1.2548\t0.6034\t3.5628\t"
                  "3.8307\t0.5359\tyes\tyes\t-\t\n"
                  "10\n");
}

TEST(Size, OptionsChangeTheAnswer) {
    const struct {
        std::vector<std::string> args;
        std::string last;     // the chosen size
        std::size_t rows;     // data rows
        std::string rowStart; // start of the first data row
    } cases[] = {
        {{"--flow", "2", "--slope", "0.01"}, "10", 29, "\t2\tCFS\t4\tin.\t0.01\tft/ft\t0.013\t"},
        {{"--flow", "2", "--slope", "0.01", "--max-depth-ratio", "0.7"}, "12", 29, ""},
        {{"--flow", "2", "--slope", "0.01", "--min-velocity", "4.6", "--max-velocity", "4.65"},
         "15",
         29,
         ""},
        // The same flow and slope typed in other units.
        {{"--flow", "897.795", "--flow-unit", "GPM", "--slope", "1", "--slope-unit", "%", "--sizes",
          "10"},
         "10",
         1,
         "\t897.795\tGPM\t10\tin.\t1\t%\t0.013\t0.6256\t4.5538\t1.0283\t0.6342\t983.53\t"},
        // A rougher pipe needs a larger one: with n 0.024, 12 in. carries only 2.075 cfs at
        // 0.93 D (3.8307 x 0.013 / 0.024), so 2 cfs would run near 0.9 D.
        {{"--flow", "2", "--slope", "0.01", "--n", "0.024"}, "15", 29, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const SizeRun r = size(c.args);
        EXPECT_EQ(r.exitCode, 0);
        const std::vector<std::string> l = lines(r.out);
        ASSERT_EQ(l.size(), c.rows + 2);
        EXPECT_EQ(l.back(), c.last);
        EXPECT_EQ(l[1].substr(0, c.rowStart.size()), c.rowStart);
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '*'), 1);
    }
}

TEST(Size, NoSizeHasItsOwnStatus) {
    const SizeRun r = size({"--flow", "2", "--slope", "0.01", "--sizes", "4 6 8"});
    EXPECT_EQ(r.exitCode, 6);
    EXPECT_EQ(lines(r.out).size(), 4u); // the header and the three rows, no last line
    EXPECT_EQ(r.err, "runnelex-cli: no size in the list meets the criteria\n");
}

TEST(Size, BadInputIsAUsageError) {
    const std::string hint = "Try \"runnelex-cli size --help\" for more information.\n";
    const std::vector<std::string> ok = {"--flow", "2", "--slope", "0.01"};
    const auto with = [&ok](std::vector<std::string> more) {
        more.insert(more.begin(), ok.begin(), ok.end());
        return more;
    };
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--slope", "0.01"}, "--flow is needed"},
        {{"--flow", "2"}, "--slope is needed"},
        {{"--flow", "0", "--slope", "0.01"}, "--flow \"0\": Q must be a positive real number."},
        {{"--flow", "2", "--slope", "abc"},
         "--slope \"abc\": Slope must be a positive real number."},
        {with({"--n", "-1"}), "--n \"-1\": Manning's n must be a positive real number."},
        {with({"--flow-unit", "cfm"}), "--flow-unit \"cfm\": unknown flow unit (CFS, MGD or GPM)"},
        {with({"--max-depth-ratio", "0"}),
         "--max-depth-ratio \"0\": the largest depth ratio must be a number above 0 and at most 1"},
        {with({"--max-depth-ratio", "1.01"}),
         "--max-depth-ratio \"1.01\": the largest depth ratio must be a number above 0 and at "
         "most 1"},
        {with({"--min-velocity", "-2"}),
         "--min-velocity \"-2\": the smallest velocity must be a number of ft/s, 0 or more"},
        {with({"--max-velocity", "1"}),
         "--max-velocity \"1\": the largest velocity lies below the smallest"},
        {with({"--sizes", "4,x"}), "--sizes \"4,x\": the size \"x\" is not a positive number of "
                                   "inches"},
        {with({"--sizes", ""}), "--sizes \"\": the size list is empty"},
        {with({"--diam", "12"}), "unknown option \"--diam\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const SizeRun r = size(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "runnelex-cli: " + c.err + "\n" + hint);
    }
}

TEST(Size, FailedOutputIsReported) {
    const SizeRun r = size({"--flow", "2", "--slope", "0.01"}, 100);
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.err.rfind("runnelex-cli: cannot write the output: ", 0), 0u) << r.err;
}

} // namespace
} // namespace runnelex::cli
