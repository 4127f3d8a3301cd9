// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli report, in process.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cli_run.h"
#include "results/record.h"

namespace runnelex::test {
namespace {

using Args = std::vector<std::string>;

Args worked(const Args& more) {
    Args a = {"report", "--diam", "12", "--slope", "0.01"};
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
        items.push_back(list.substr(start, comma - start));
    items.push_back(list.substr(start));
    return items;
}

// Every row is the record "calc" prints for the same texts; a faulted point keeps its inputs
// and carries the fault that stops calc.
TEST(ReportCommand, EachRowIsTheRecordCalcPrints) {
    std::mt19937 rng(9);
    const auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng)];
    };
    const std::vector<std::string> diams = {"6", "12", "15.5", "0.5", "1e200", "36"};
    const std::vector<std::string> flows = {"0.3", "2", "4", "1e-9", "1500", ".7", "3.7"};
    for (int trial = 0; trial < 12; ++trial) {
        const Args units = {"--diam-unit",  pick({"in.", "ft."}),
                            "--slope-unit", pick({"ft/ft", "%"}),
                            "--flow-unit",  pick({"CFS", "MGD", "GPM"})};
        const Args fixed = {"--pipe",  pick({"", "P 1", "a,b\"c"}),
                            "--slope", pick({"0.001", "0.5", "2", "0.01", "1e-12"}),
                            "--n",     pick({"0.013", "0.011", "0.024", "1e-300"})};
        const std::string diamList = pick(diams) + "," + pick(diams);
        const std::string flowList = pick(flows) + "," + pick(flows) + "," + pick(flows);
        Args args = {"report"};
        args.insert(args.end(), fixed.begin(), fixed.end());
        args.insert(args.end(), units.begin(), units.end());
        args.insert(args.end(), {"--vary", "diam=" + diamList, "--vary", "flow=" + flowList});
        SCOPED_TRACE(::testing::PrintToString(args));

        const CliRun report = runCli(args);
        const std::vector<std::string> rows = linesOf(report.out);
        ASSERT_EQ(rows.size(), 1u + 2 * 3);
        EXPECT_EQ(rows[0], record::headerLine());
        bool anyFault = false;
        std::size_t row = 1;
        for (const std::string& d : split(diamList)) {
            for (const std::string& f : split(flowList)) {
                Args calc = {"calc", "--diam", d, "--flow", f};
                calc.insert(calc.end(), fixed.begin(), fixed.end());
                calc.insert(calc.end(), units.begin(), units.end());
                const CliRun one = runCli(calc);
                if (one.status == 3) {
                    anyFault = true;
                    // "...arithmetic error: Overflow.\n" in calc, "arithmetic error: Overflow"
                    const std::string why = one.err.substr(one.err.rfind(": ") + 2);
                    EXPECT_NE(
                        rows[row].find("\tarithmetic error: " + why.substr(0, why.size() - 2)),
                        std::string::npos)
                        << rows[row];
                } else {
                    ASSERT_EQ(one.status, 0) << one.err;
                    EXPECT_EQ(rows[row], linesOf(one.out).at(1));
                }
                ++row;
            }
        }
        EXPECT_EQ(report.status, anyFault ? 3 : 0);
    }
}

TEST(ReportCommand, UsageErrorsNameTheArgumentAndWriteNoRow) {
    const std::string hint = "Try \"runnelex-cli report --help\" for more information.\n";
    const struct {
        Args args;
        std::string err;
    } cases[] = {
        {worked({}), "runnelex-cli: give one or two --vary\n"},
        {worked({"--vary", "depth=1:2:1"}),
         "runnelex-cli: --vary \"depth=1:2:1\": write NAME=VALUES with NAME diam, span, rise, "
         "slope, flow or n\n"},
        {worked({"--vary", "flow"}), "runnelex-cli: --vary \"flow\": write NAME=VALUES with NAME "
                                     "diam, span, rise, slope, flow or n\n"},
        {worked({"--vary", "flow=1:2"}), "runnelex-cli: --vary \"flow=1:2\": a range is "
                                         "FROM:TO:STEP\n"},
        {worked({"--vary", "flow=0:2:1"}),
         "runnelex-cli: --vary \"flow=0:2:1\": value \"0\": Q must be a positive real number.\n"},
        {worked({"--vary", "flow=1,abc,2"}), "runnelex-cli: --vary \"flow=1,abc,2\": value "
                                             "\"abc\": Q must be a positive real number.\n"},
        {worked({"--vary", "n=0.013,-1"}), "runnelex-cli: --vary \"n=0.013,-1\": value \"-1\": "
                                           "Manning's n must be a positive real number.\n"},
        {worked({"--vary", "flow=1,2", "--vary", "flow=3"}),
         "runnelex-cli: --vary \"flow=3\": flow is varied twice\n"},
        {worked({"--vary", "flow=1", "--vary", "n=1", "--vary", "diam=1"}),
         "runnelex-cli: give one or two --vary\n"},
        {worked({"--flow", "2", "--vary", "flow=1,2"}),
         "runnelex-cli: --flow and --vary flow both given; the report takes the values of "
         "--vary\n"},
        {{"report", "--diam", "x", "--vary", "flow=1"},
         "runnelex-cli: --diam \"x\": Diameter must be a positive real number.\n"},
        {worked({"--vary", "flow=1", "--flow-unit", "gpn"}),
         "runnelex-cli: --flow-unit \"gpn\": unknown flow unit (CFS, MGD or GPM)\n"},
        {worked({"--vary", "flow=1", "--format", "xml"}),
         "runnelex-cli: --format \"xml\": write tsv, csv or json\n"},
        {worked({"--vary", "flow=1", "--threads", "0"}),
         "runnelex-cli: --threads \"0\": a whole number from 1 to 256\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CliRun r = runCli(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err + hint);
    }
}

// Rows come out in point order whatever the number of threads, the first --vary slowest.
TEST(ReportCommand, OrderIsTheSameOnAnyNumberOfThreads) {
    const Args args = {"report", "--diam",         "12", "--vary", "slope=0.001:0.02:0.001",
                       "--vary", "flow=0.1:3:0.05"};
    Args single = args;
    single.insert(single.end(), {"--threads", "1"});
    const CliRun one = runCli(single);
    ASSERT_EQ(one.status, 0) << one.err;
    const std::vector<std::string> rows = linesOf(one.out);
    ASSERT_EQ(rows.size(), 1u + 20 * 59);
    EXPECT_EQ(rows[1].rfind("\t0.1\tCFS\t12\tin.\t0.001\tft/ft\t0.013\t", 0), 0u);
    EXPECT_EQ(rows[59].rfind("\t3\tCFS\t12\tin.\t0.001\tft/ft\t0.013\t", 0), 0u);
    EXPECT_EQ(rows[60].rfind("\t0.1\tCFS\t12\tin.\t0.002\tft/ft\t0.013\t", 0), 0u);
    for (const char* threads : {"2", "3", "16"}) {
        Args a = args;
        a.insert(a.end(), {"--threads", threads});
        EXPECT_EQ(runCli(a).out, one.out) << threads << " threads";
    }
}

TEST(ReportCommand, CsvAndJsonRows) {
    const Args base = {"report", "--pipe",  "A,\"1\"", "--diam", "1e200", "--diam-unit",
                       "ft.",    "--slope", "0.01",    "--vary", "flow=2"};
    Args csv = base;
    csv.insert(csv.end(), {"--format", "csv"});
    const CliRun c = runCli(csv);
    EXPECT_EQ(c.status, 3);
    EXPECT_EQ(c.out, "Pipe ID,Q,Qunit,Diam,unit,Slope,unit,n,Depth (ft),Vel. (fps),Fr. #,"
                     "Dcrit(ft),Capacity,Max Q\r\n"
                     "\"A,\"\"1\"\"\",2,CFS,1e200,ft.,0.01,ft/ft,0.013,"
                     "arithmetic error: Overflow,,,,,\r\n");

    const CliRun j =
        runCli({"report", "--pipe", "P\t\"7\"", "--diam", "12", "--slope", "+.01", "--flow-unit",
                "GPM", "--vary", "flow=897.795,9e9", "--format", "json"});
    EXPECT_EQ(j.status, 0);
    EXPECT_EQ(j.out, "{\"pipe\":\"P \\\"7\\\"\",\"q\":897.795,\"qUnit\":\"GPM\",\"diam\":12,"
                     "\"diamUnit\":\"in.\",\"slope\":0.01,\"slopeUnit\":\"ft/ft\",\"n\":0.013,"
                     "\"depthFt\":0.5359,\"velFps\":4.6671,\"froude\":1.2548,\"dcritFt\":0.6034,"
                     "\"capacity\":1599.33,\"maxQ\":1719.59}\n"
                     "{\"pipe\":\"P \\\"7\\\"\",\"q\":9e9,\"qUnit\":\"GPM\",\"diam\":12,"
                     "\"diamUnit\":\"in.\",\"slope\":0.01,\"slopeUnit\":\"ft/ft\",\"n\":0.013,"
                     "\"depthFt\":null,\"velFps\":null,\"froude\":null,\"dcritFt\":null,"
                     "\"capacity\":1599.33,\"maxQ\":1719.59}\n");
}

// A full disk ends even an endless report at once, with the reason and its own status.
TEST(ReportCommand, FailedOutputEndsTheReport) {
    const CliRun r = runCli(worked({"--vary", "flow=1:1000000000000:1", "--threads", "2"}), 5000);
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.out.size(), 5000u);
    EXPECT_EQ(r.err, "runnelex-cli: cannot write the output: No space left on device\n");
}

} // namespace
} // namespace runnelex::test
