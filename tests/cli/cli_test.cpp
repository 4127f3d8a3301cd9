// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli, the real binary run as a child process.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace runnelex {
namespace {

struct ChildRun {
    int exitCode = -1;
    std::string out, err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::remove(path.c_str());
    return ss.str();
}

// Single quotes keep tabs and line breaks in an argument; a quote itself is closed and escaped.
std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ChildRun runCli(const std::vector<std::string>& args, const std::string& env = {}) {
    const std::string base = ::testing::TempDir() + "runnelex-cli-" + std::to_string(getpid());
    std::string command = env + " " + quoted(RUNNELEX_CLI_PATH);
    for (const std::string& a : args) {
        command += ' ';
        command += quoted(a);
    }
    const int status = std::system((command + " >" + base + ".out 2>" + base + ".err").c_str());
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return {exitCode, slurp(base + ".out"), slurp(base + ".err")};
}

const std::string kHeader = "Pipe ID\tQ\tQunit\tDiam\tunit\tSlope\tunit\tn\tDepth (ft)\t"
                            "Vel. (fps)\tFr. #\tDcrit(ft)\tCapacity\tMax Q\n";
const std::string kUsage = "Usage:\n  runnelex-cli calc [--pipe TEXT]";

std::vector<std::string> worked(const std::vector<std::string>& more,
                                const std::vector<std::string>& last = {}) {
    std::vector<std::string> a = {"calc", "--diam", "12", "--slope", "0.01"};
    a.insert(a.end(), more.begin(), more.end());
    a.insert(a.end(), last.begin(), last.end());
    return a;
}

// Label lines of the worked example in CFS, with some texts replaced.
// clang-format off
std::string labels(const std::map<std::string, std::string>& changes = {}) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"lblrDnorm", "0.5359"}, {"lblrAreaW", "0.4285"}, {"lblrPerimW", "1.6426"},
        {"lblrRh", "0.2609"}, {"lblrVnorm", "4.6671"}, {"lblrDoverD", "0.5359"},
        {"lblrFrNo", "1.2548"}, {"lblrDcr", "0.6034"}, {"lblrRegime", "Supercritical"},
        {"lblrQ050", "1.7814"}, {"lblrQ075", "3.2488"}, {"lblrQ093", "3.8307"},
        {"lblrQ100", "3.5628"}, {"lblrV050", "4.5363"}, {"lblrV075", "5.1418"},
        {"lblrV093", "5.0323"}, {"lblrV100", "4.5363"}, {"lblrHf", "0.0032"},
        {"lblrVfull", "2.5465"}, {"lblFullCondition", "If the pipe were flowing full "},
        {"lblFullCause", "due to tailwater:"}, {"lblCapQ", "Q (cfs)"}};
    std::string out;
    for (const auto& [name, text] : rows) {
        const auto it = changes.find(name);
        out += name + '\t' + (it == changes.end() ? text : it->second) + '\n';
    }
    // The other normal depth follows the 22 labels: none for these flows.
    return out + "lblrDnorm2\t\nlblrDoverD2\t\nlblrVnorm2\t\n";
}

// The pipe flows full: area, perimeter and radius are the full pipe's.
const std::map<std::string, std::string> kSurcharged = {
    {"lblrDnorm", ""}, {"lblrAreaW", "0.7854"}, {"lblrPerimW", "3.1416"}, {"lblrRh", "0.25"},
    {"lblrVnorm", ""}, {"lblrDoverD", "1"}, {"lblrFrNo", ""}, {"lblrDcr", ""},
    {"lblrRegime", "Surcharged!"}, {"lblrHf", "0.0126"}, {"lblrVfull", "5.093"},
    {"lblFullCondition", "Flow is flowing full due to:"}, {"lblFullCause", "Surcharge!"}};
// Only the capacity rows are written; no flow unit named and no flow taken in.
const std::map<std::string, std::string> kNoFlow = {
    {"lblrDnorm", ""}, {"lblrAreaW", ""}, {"lblrPerimW", ""}, {"lblrRh", ""},
    {"lblrVnorm", ""}, {"lblrDoverD", ""}, {"lblrFrNo", ""}, {"lblrDcr", ""},
    {"lblrRegime", ""}, {"lblrHf", ""}, {"lblrVfull", ""},
    {"lblFullCondition", "If the Pipe were flowing full due to"},
    {"lblFullCause", "tailwater conditions:"}, {"lblCapQ", "Q(cfs)"}};

TEST(Golden, ExactOutput) {
    // 1.292824822236587 MGD and 897.795 GPM are the worked example's 2 cfs, as typed.
    const std::vector<std::string> mgd = {"--flow", "1.292824822236587", "--flow-unit", "MGD"};
    const std::vector<std::string> gpm = {"--flow", "897.795", "--flow-unit", "GPM"};
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {worked({"--flow", "2"}), kHeader + "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t"
            "0.5359\t4.6671\t1.2548\t0.6034\t3.5628\t3.8307\n"},
        {worked({"--flow", "2"}, {"--labels"}), labels()},
        {worked(mgd), kHeader + "\t1.292824822236587\tMGD\t12\tin.\t0.01\tft/ft\t0.013\t"
            "0.5359\t4.6671\t1.2548\t0.6034\t2.303\t2.4762\n"},
        {worked(gpm), kHeader + "\t897.795\tGPM\t12\tin.\t0.01\tft/ft\t0.013\t"
            "0.5359\t4.6671\t1.2548\t0.6034\t1599.33\t1719.59\n"},
        {worked({"--flow", "4", "--pipe", "P 7"}),
         kHeader + "P 7\t4\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307\n"},
        {worked({"--flow", "4", "--labels"}), labels(kSurcharged)},
        {worked({}), kHeader + "\t\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307\n"},
        {worked({"--labels"}), labels(kNoFlow)},
        {{"calc", "--pipe", "P1", "--flow", "10", "--diam", "24", "--slope", "0.5",
          "--slope-unit", "%"},
         kHeader + "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t"
            "15.9965\t17.1993\n"},
        // A typed TAB or line break would split the saved table; it is written as a blank.
        {worked({"--pipe", "a\tb\nc", "--diam-unit", "ft."}),
         kHeader + "a b c\t\tCFS\t12\tft.\t0.01\tft/ft\t0.013\t\t\t\t\t2689.1106\t2891.3105\n"},
        {{"--version"}, "runnelex-cli 1.0.2\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const ChildRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST(Golden, FailuresExitWithTheirCodeAndNothingOnStdout) {
    const std::string hint = "Try \"runnelex-cli calc --help\" for more information.\n";
    const std::string topHint = "Try \"runnelex-cli --help\" for more information.\n";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"calc", "--diam", "abc"}, 2,
         "runnelex-cli: --diam \"abc\": Diameter must be a positive real number.\n" + hint},
        {worked({"--flow", "0"}), 2,
         "runnelex-cli: --flow \"0\": Q must be a positive real number.\n" + hint},
        {{"calc", "--slope", "."}, 2,
         "runnelex-cli: --slope \".\": Slope must be a positive real number.\n" + hint},
        {worked({"--n", ""}), 2,
         "runnelex-cli: --n \"\": Manning's n must be a positive real number.\n" + hint},
        {{"calc", "--bogus"}, 2, "runnelex-cli: unknown option \"--bogus\"\n" + hint},
        {{"calc", "--diam-unit", "mm"}, 2,
         "runnelex-cli: --diam-unit \"mm\": an SI unit; give --units si, or in. or ft.\n" + hint},
        {{"calc", "--flow-unit", "cfm"}, 2,
         "runnelex-cli: --flow-unit \"cfm\": unknown flow unit (CFS, MGD or GPM)\n" + hint},
        {{"calc", "--pipe", "--diam", "12"}, 2,
         "runnelex-cli: --pipe needs a value (write --pipe=VALUE for one that begins with -)\n" +
             hint},
        {{"calc", "--diam"}, 2,
         "runnelex-cli: --diam needs a value (write --diam=VALUE for one that begins with -)\n" +
             hint},
        {{"calc", "--", "--diam", "12"}, 2, "runnelex-cli: unexpected argument \"--diam\"\n" + hint},
        {{"calc", "now"}, 2, "runnelex-cli: unexpected argument \"now\"\n" + hint},
        {{"calc", "--diam", "1", "--diam", "2"}, 2, "runnelex-cli: --diam given twice\n" + hint},
        {{"calc", "--labels=yes"}, 2, "runnelex-cli: --labels takes no value\n" + hint},
        {{"calc", "--pipe", "a\tb"}, 0, ""},
        {{"calc", "--diam", "1\t2"}, 2,
         "runnelex-cli: --diam \"1\\t2\": Diameter must be a positive real number.\n" + hint},
        {{"--help", "extra"}, 2, "runnelex-cli: unexpected argument \"extra\"\n" + topHint},
        {{"--version", "calc"}, 2, "runnelex-cli: unexpected argument \"calc\"\n" + topHint},
        {{"--diam", "12"}, 2, "runnelex-cli: option \"--diam\" comes before any command\n" + topHint},
        {{}, 2, "runnelex-cli: no command given\n" + topHint},
        {{"calcs"}, 2, "runnelex-cli: unknown command \"calcs\"\n" + topHint},
        // The square of the diameter overflows in the first capacity row.
        {{"calc", "--diam", "1e200", "--diam-unit", "ft.", "--slope", "0.01", "--flow", "1"}, 3,
         "The calculation was stopped by an arithmetic error: Overflow.\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const ChildRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        if (c.exitCode != 0) {
            EXPECT_EQ(run.out, "");
        }
        EXPECT_EQ(run.err, c.err);
    }
}

// Every way of printing must notice a failed write: a full disk, a closed stdout.
TEST(Golden, OutputFailureIsReported) {
    const std::vector<std::vector<std::string>> commands = {
        worked({"--flow", "2"}), worked({"--flow", "2", "--labels"}), {"--help"}, {"--version"},
        {"calc", "--help"}, {"report", "--diam", "12", "--vary", "flow=1:100:1"}};
    for (const auto& args : commands) {
        for (const char* redirect : {">/dev/full", ">&-"}) {
            SCOPED_TRACE(::testing::PrintToString(args) + redirect);
            std::string command = quoted(RUNNELEX_CLI_PATH);
            for (const std::string& a : args) {
                command += ' ';
                command += quoted(a);
            }
            // Unique to this process: other builds run the same tests at the same time.
            const std::string errPath =
                ::testing::TempDir() + "cli-fail-" + std::to_string(getpid()) + ".err";
            const int status =
                std::system((command + " " + redirect + " 2>" + errPath).c_str());
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), 4);
            const std::string err = slurp(errPath);
            EXPECT_EQ(err.rfind("runnelex-cli: cannot write the output: ", 0), 0u) << err;
            EXPECT_EQ(err.back(), '\n');
        }
    }
}

// clang-format on

// A table on standard input comes back recomputed; a report's own rows come back unchanged.
TEST(Golden, BatchReadsStandardInput) {
    const ChildRun report =
        runCli({"report", "--diam", "12", "--slope", "0.01", "--vary", "flow=1,2,4"});
    ASSERT_EQ(report.exitCode, 0);
    const std::string base = ::testing::TempDir() + "runnelex-batch-" + std::to_string(getpid());
    const std::string path = base + ".tsv";
    std::ofstream(path, std::ios::binary) << report.out;
    const std::string errPath = base + ".err";
    const std::string outPath = base + ".out";
    const int status = std::system(
        (quoted(RUNNELEX_CLI_PATH) + " batch - <" + path + " >" + outPath + " 2>" + errPath)
            .c_str());
    std::remove(path.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(slurp(outPath), report.out);
    EXPECT_EQ(slurp(errPath), "");
}

TEST(Golden, HelpOnStdout) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"-h"}, {"calc", "--help"}}) {
        const ChildRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.substr(0, kUsage.size()), kUsage);
        EXPECT_EQ(run.err, "");
    }
}

TEST(Golden, DecimalCommaLocaleChangesNothing) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale installed";
    std::setlocale(LC_ALL, "C");
    const ChildRun run = runCli(worked({"--flow", "2", "--labels"}), "LC_ALL=de_DE.UTF-8");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, labels());
    EXPECT_EQ(run.err, "");
}

} // namespace
} // namespace runnelex
