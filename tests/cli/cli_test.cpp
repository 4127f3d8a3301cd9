// runnelex-cli, the real binary run as a child process.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace runnelex {
namespace {

const std::string kHeader = "Pipe ID\tQ\tQunit\tDiam\tunit\tSlope\tunit\tn\tDepth (ft)\t"
                            "Vel. (fps)\tFr. #\tDcrit(ft)\tCapacity\tMax Q\n";

// --- The binary ---

struct ChildRun {
    int exitCode = -1;
    std::string out, err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

ChildRun runCli(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
    const std::string base = ::testing::TempDir() + "runnelex-cli-" + std::to_string(getpid());
    const std::string outPath = base + ".out", errPath = base + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> all = {RUNNELEX_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStore(env);
    for (char** e = environ; *e; ++e)
        envStore.emplace_back(*e);
    std::vector<char*> envp;
    for (auto& e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    ChildRun run;
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        ADD_FAILURE() << "cannot start " << argv[0];
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = slurp(outPath);
    run.err = slurp(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return run;
}

const std::vector<std::string> kWorked = {"calc", "--diam", "12", "--slope", "0.01"};

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Label lines of the worked example in CFS; flows and heading replaced per case.
// clang-format off
std::string labels(const std::map<std::string, std::string>& changes) {
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
    return out;
}

const std::map<std::string, std::string> kMgd = {
    {"lblrQ050", "1.1515"}, {"lblrQ075", "2.1001"}, {"lblrQ093", "2.4762"},
    {"lblrQ100", "2.303"}, {"lblCapQ", "Q (mgd)"}};
const std::map<std::string, std::string> kGpm = {
    {"lblrQ050", "799.67"}, {"lblrQ075", "1458.4"}, {"lblrQ093", "1719.59"},
    {"lblrQ100", "1599.33"}, {"lblCapQ", "Q (gpm)"}};
// No open-channel run came before: area, perimeter and radius keep their start-up texts.
const std::map<std::string, std::string> kSurcharged = {
    {"lblrDnorm", ""}, {"lblrAreaW", ""}, {"lblrPerimW", ""}, {"lblrRh", ""},
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
// clang-format on

struct GoldenCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    std::string out;
};

void PrintTo(const GoldenCase& c, std::ostream* os) {
    *os << c.name;
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, ExactOutput) {
    const ChildRun run = runCli(GetParam().args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.err, "");
}

// 1.292824822236587 MGD and 897.795 GPM are the worked example's 2 cfs, as typed.
INSTANTIATE_TEST_SUITE_P(
    Cli, Golden,
    ::testing::Values(
        GoldenCase{"Cfs", with(kWorked, {"--flow", "2"}), 0,
                   kHeader + "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t0.5359\t4.6671\t1.2548\t"
                             "0.6034\t3.5628\t3.8307\n"},
        GoldenCase{"CfsLabels", with(kWorked, {"--flow", "2", "--labels"}), 0, labels({})},
        GoldenCase{"Mgd", with(kWorked, {"--flow", "1.292824822236587", "--flow-unit", "MGD"}), 0,
                   kHeader + "\t1.292824822236587\tMGD\t12\tin.\t0.01\tft/ft\t0.013\t0.5359\t"
                             "4.6671\t1.2548\t0.6034\t2.303\t2.4762\n"},
        GoldenCase{"MgdLabels",
                   with(kWorked, {"--flow", "1.292824822236587", "--flow-unit", "MGD", "--labels"}),
                   0, labels(kMgd)},
        GoldenCase{"Gpm", with(kWorked, {"--flow", "897.795", "--flow-unit", "GPM"}), 0,
                   kHeader + "\t897.795\tGPM\t12\tin.\t0.01\tft/ft\t0.013\t0.5359\t4.6671\t"
                             "1.2548\t0.6034\t1599.33\t1719.59\n"},
        GoldenCase{"GpmLabels",
                   with(kWorked, {"--flow", "897.795", "--flow-unit", "GPM", "--labels"}), 0,
                   labels(kGpm)},
        GoldenCase{"Surcharged", with(kWorked, {"--flow", "4", "--pipe", "P 7"}), 0,
                   kHeader + "P 7\t4\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307\n"},
        GoldenCase{"SurchargedLabels", with(kWorked, {"--flow", "4", "--labels"}), 0,
                   labels(kSurcharged)},
        GoldenCase{"NoDesignFlow", kWorked, 0,
                   kHeader + "\t\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307\n"},
        GoldenCase{"NoDesignFlowLabels", with(kWorked, {"--labels"}), 0, labels(kNoFlow)},
        GoldenCase{"TypedTextsAndUnits",
                   {"calc", "--pipe", "P1", "--flow", "10", "--diam", "24", "--slope", "0.5",
                    "--slope-unit", "%"},
                   0,
                   kHeader + "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t"
                             "1.1316\t15.9965\t17.1993\n"},
        // A typed TAB or line break would split the saved table; it is written as a blank.
        GoldenCase{"SeparatorsInPipeName",
                   with(kWorked, {"--pipe", "a\tb\nc", "--diam-unit", "ft."}), 0,
                   kHeader + "a b c\t\tCFS\t12\tft.\t0.01\tft/ft\t0.013\t\t\t\t\t"
                             "2689.1106\t2891.3105\n"},
        GoldenCase{"Version", {"--version"}, 0, "runnelex-cli 1.0.2\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    std::string errStart; // what stderr begins with
};

void PrintTo(const FailCase& c, std::ostream* os) {
    *os << c.name;
}

class GoldenFailure : public ::testing::TestWithParam<FailCase> {};

TEST_P(GoldenFailure, NothingOnStdout) {
    const ChildRun run = runCli(GetParam().args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, GetParam().errStart.size()), GetParam().errStart) << run.err;
}

const std::string kUsage = "Usage: runnelex-cli calc [--pipe TEXT]";

INSTANTIATE_TEST_SUITE_P(
    Cli, GoldenFailure,
    ::testing::Values(
        FailCase{"BadDiameter",
                 {"calc", "--diam", "abc"},
                 2,
                 "Diameter must be a positive real number.\n"},
        FailCase{"ZeroFlow", with(kWorked, {"--flow", "0"}), 2,
                 "Q must be a positive real number.\n"},
        FailCase{
            "PointSlope", {"calc", "--slope", "."}, 2, "Slope must be a positive real number.\n"},
        FailCase{"EmptyN", with(kWorked, {"--n", ""}), 2,
                 "Manning's n must be a positive real number.\n"},
        FailCase{"UnknownOption", {"calc", "--bogus"}, 2, "runnelex-cli: Unknown option"},
        FailCase{"UnknownUnit", {"calc", "--diam-unit", "mm"}, 2, "unknown diameter unit"},
        FailCase{"MissingCalc", {"--diam", "12"}, 2, kUsage},
        FailCase{"NoArguments", {}, 2, kUsage},
        FailCase{"ExtraWord", {"calc", "now"}, 2, "runnelex-cli: unexpected"},
        // The square of the diameter overflows in the first capacity row.
        FailCase{
            "ArithmeticFault",
            {"calc", "--diam", "1e200", "--diam-unit", "ft.", "--slope", "0.01", "--flow", "1"},
            3,
            "The calculation was stopped by an arithmetic error: Overflow."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GoldenHelp, UsageOnStdout) {
    const ChildRun run = runCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.substr(0, kUsage.size()), kUsage);
}

TEST(GoldenLocale, DecimalCommaLocaleChangesNothing) {
    const char* name = "de_DE.UTF-8";
    if (!std::setlocale(LC_ALL, name))
        GTEST_SKIP() << "no German locale installed";
    std::setlocale(LC_ALL, "C");
    const auto args = with(kWorked, {"--flow", "2", "--labels"});
    const ChildRun run = runCli(args, {std::string("LC_ALL=") + name});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, labels({}));
    EXPECT_EQ(run.err, "");
}

} // namespace
} // namespace runnelex
