// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli batch, in process, on tables written to a temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

#include "cli_run.h"
#include "results/record.h"

namespace runnelex::test {
namespace {

std::string tableFile(const std::string& content) {
    static int n = 0;
    // Unique to this process: other builds run the same tests at the same time.
    const std::string path = ::testing::TempDir() + "batch-" + std::to_string(::getpid()) + "-" +
                             std::to_string(++n) + ".txt";
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

CliRun batch(const std::string& content) {
    return runCli({"batch", tableFile(content)});
}

const std::string kHeader = record::headerLine();

// A report read back and recomputed is the report again, byte for byte: faulted rows, odd
// names and every unit included.
TEST(BatchCommand, ReportComesBackByteForByte) {
    const std::vector<std::vector<std::string>> reports = {
        {"report", "--pipe", "a b, \"c\"", "--diam", "15", "--slope", "0.5", "--slope-unit", "%",
         "--vary", "flow=0.5:6:0.5", "--vary", "n=0.011,0.013"},
        {"report", "--diam", "1e200", "--diam-unit", "ft.", "--slope", "0.01", "--vary",
         "flow=1,2"},
        {"report", "--diam", "8", "--flow-unit", "GPM", "--flow", "100", "--vary",
         "slope=0.001:0.01:0.001"},
        {"report", "--flow-unit", "MGD", "--slope", "0.002", "--vary", "diam=6,8,10"},
    };
    for (const auto& args : reports) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const CliRun report = runCli(args);
        ASSERT_NE(report.out, "");
        const CliRun again = batch(report.out);
        EXPECT_EQ(again.status, report.status);
        EXPECT_EQ(again.err, "");
        EXPECT_EQ(again.out, report.out);
    }
}

TEST(BatchCommand, SavedTablesInputOnlyRowsAndLineBreaks) {
    const std::string worked = "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t0.5359\t4.6671\t1.2548\t"
                               "0.6034\t3.5628\t3.8307";
    const struct {
        const char* name;
        std::string in, out;
    } cases[] = {
        // As "Save As..." writes it: LF between lines, none after the last.
        {"saved table", kHeader + "\n" + worked + "\n" + worked,
         kHeader + "\n" + worked + "\n" + worked},
        {"stale results are recomputed",
         kHeader + "\n\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t9\t9\t9\t9\t9\t9\n",
         kHeader + "\n" + worked + "\n"},
        {"only the inputs, typed in a spreadsheet", "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\r\n",
         kHeader + "\n" + worked + "\n"},
        {"CRLF line breaks", kHeader + "\r\n" + worked + "\r\n", kHeader + "\n" + worked + "\n"},
        {"byte order mark kept", "\xEF\xBB\xBF" + kHeader + "\n" + worked,
         "\xEF\xBB\xBF" + kHeader + "\n" + worked},
        {"the header's first 8 names", "Pipe ID\tQ\tQunit\tDiam\tunit\tSlope\tunit\tn\n" + worked,
         kHeader + "\n" + worked},
        {"empty table", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = batch(c.in);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, c.out);
    }
}

TEST(BatchCommand, MalformedLinesAreReportedAndLeftOut) {
    const std::string good = "P\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013";
    const std::string table =
        kHeader + "\n" + good + "\n" + "P\t2\tCFS\t12\n" +
        "P\tabc\tCFS\t12\tin.\t0.01\tft/ft\t0.013\n" + "P\t2\tcfm\t12\tin.\t0.01\tft/ft\t0.013\n" +
        "P\t2\tCFS\t12\tmm\t0.01\tft/ft\t0.013\n" + "P\t2\tCFS\t12\tin.\t0.01\tpercent\t0.013\n" +
        "P\t2\tCFS\t12\tin.\t0.01\tft/ft\t\n" + "\n" + kHeader + "\n" + good;
    const CliRun r = batch(table);
    EXPECT_EQ(r.status, 5);
    const std::vector<std::string> rows = linesOf(r.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], rows[2]);
    EXPECT_EQ(rows[1].substr(0, good.size()), good);
    EXPECT_EQ(r.err,
              "runnelex-cli batch: line 3: 4 fields, expected 14 (or the first 8); left out\n"
              "runnelex-cli batch: line 4: Q \"abc\": Q must be a positive real number.; "
              "left out\n"
              "runnelex-cli batch: line 5: Qunit \"cfm\" is not CFS, MGD or GPM, nor m\u00b3/s, "
              "L/s or ML/d; left out\n"
              "runnelex-cli batch: line 6: diameter unit \"mm\" is not in. or ft., the US "
              "customary units of the row's flow; left out\n"
              "runnelex-cli batch: line 7: slope unit \"percent\" is not ft/ft or %, the US "
              "customary units of the row's flow; left out\n"
              "runnelex-cli batch: line 8: n \"\": Manning's n must be a positive real "
              "number.; left out\n"
              "runnelex-cli batch: line 9: 1 fields, expected 14 (or the first 8); left "
              "out\n"
              "runnelex-cli batch: line 10: a second header line; left out\n");
}

TEST(BatchCommand, UsageErrors) {
    const std::string hint = "Try \"runnelex-cli batch --help\" for more information.\n";
    EXPECT_EQ(runCli({"batch"}).err,
              "runnelex-cli: name the table to read (a file, or - for standard input)\n" + hint);
    EXPECT_EQ(runCli({"batch", "a", "b"}).err, "runnelex-cli: unexpected argument \"b\"\n" + hint);
    const CliRun missing = runCli({"batch", "/nonexistent/table.txt"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "runnelex-cli: cannot read \"/nonexistent/table.txt\": No such file "
                           "or directory\n" +
                               hint);
}

} // namespace
} // namespace runnelex::test
