// SPDX-License-Identifier: GPL-3.0-or-later
// The rows a window holds: packed, given back whole, written as the command line writes them.
#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "report/packed_rows.h"
#include "report/report_entry.h"
#include "report/report_plan.h"
#include "report/report_rows.h"

namespace runnelex::report {
namespace {

using test::CliRun;
using test::linesOf;
using test::runCli;
using Args = std::vector<std::string>;

struct Case {
    const char* name;
    CalcEntry entry;
    std::vector<std::string> vary;
    Args cli; // the same report, as a user would type it
};

// From the window's entry to the command line's options, one case for each way a text or a
// unit reaches the request; surcharged, faulted and oddly named rows among them.
const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"flow sweep through the surcharge",
         {"", "12", "0.01", "0.013", "", 0, 0, 0, {}, {}, {}},
         {"flow=0.5:4.5:0.5"},
         {"--diam", "12", "--slope", "0.01", "--vary", "flow=0.5:4.5:0.5"}},
        {"grid in feet, percent and GPM",
         {"MH-1", "1,1.5", "", "0.011", "900", 1, 1, 2, {}, {}, {}},
         {"diam=1,1.5,2", "slope=0.1:0.5:0.2"},
         {"--pipe", "MH-1", "--diam-unit", "ft.", "--slope-unit", "%", "--flow", "900",
          "--flow-unit", "GPM", "--n", "0.011", "--vary", "diam=1,1.5,2", "--vary",
          "slope=0.1:0.5:0.2"}},
        {"n list, a name to quote, MGD",
         {"-a,b\"c\t'd' \xC3\xA4", "24", "0.5", "", "10", 0, 1, 1, {}, {}, {}},
         {"n=0.009,0.013,0.024"},
         {"--pipe=-a,b\"c\t'd' \xC3\xA4", "--diam", "24", "--slope", "0.5", "--slope-unit", "%",
          "--flow", "10", "--flow-unit", "MGD", "--vary", "n=0.009,0.013,0.024"}},
        {"faulted and huge points",
         {"", "", "0.01", "0.013", "2", 1, 0, 0, {}, {}, {}},
         {"diam=1e200,1e5,1"},
         {"--diam-unit", "ft.", "--slope", "0.01", "--flow", "2", "--vary", "diam=1e200,1e5,1"}},
        {"no flow: capacities only",
         {"", "8", "0.02", "0.013", "", 0, 0, 0, {}, {}, {}},
         {"diam=8:10:1"},
         {"--slope", "0.02", "--vary", "diam=8:10:1"}},
        {"SI: m, percent and L/s, through the surcharge",
         {"P 1", "0.3", "", "0.013", "", 1, 1, 1, {}, {}, {}, UnitSystem::SI},
         {"slope=0.5,1", "flow=50:110:30"},
         {"--units", "si", "--pipe", "P 1", "--diam", "0.3", "--diam-unit", "m", "--slope-unit",
          "%", "--flow-unit", "L/s", "--vary", "slope=0.5,1", "--vary", "flow=50:110:30"}},
    };
    return all;
}

ReportPlan planOf(const Case& c) {
    std::vector<Vary> vary;
    std::vector<Input> varied;
    for (const std::string& written : c.vary) {
        auto v = ReportPlan::parseVary(written);
        EXPECT_TRUE(std::holds_alternative<Vary>(v)) << written;
        varied.push_back(std::get<Vary>(v).input);
        vary.push_back(std::get<Vary>(std::move(v)));
    }
    auto made = ReportPlan::make(requestFromEntry(c.entry, varied), std::move(vary));
    if (const auto* e = std::get_if<ReportPlan::Error>(&made))
        ADD_FAILURE() << e->what;
    return std::get<ReportPlan>(std::move(made));
}

PackedRows computed(const ReportPlan& plan, unsigned threads, std::uint64_t chunkRows) {
    PackedRows rows;
    const std::atomic<bool> cancel{false};
    EXPECT_TRUE(computeRows(plan, threads, chunkRows, cancel,
                            [&](std::shared_ptr<const PackedChunk> c) { rows.append(c); }));
    return rows;
}

std::string written(Format format, const ReportPlan& plan, const PackedRows& rows,
                    const std::vector<RowRange>& ranges, bool header) {
    std::string out;
    std::atomic<bool> cancel{false};
    std::atomic<std::uint64_t> done{0};
    EXPECT_TRUE(writeRows(format, plan, rows, ranges, header, out, cancel, done));
    return out;
}

// A command line as a POSIX shell splits it: blanks between words, single quotes, backslashes.
Args shellWords(const std::string& line) {
    Args words;
    std::string word;
    bool inWord = false, quoted = false, escaped = false;
    for (char c : line) {
        if (escaped) {
            word += c;
            escaped = false;
        } else if (quoted) {
            if (c == '\'')
                quoted = false;
            else
                word += c;
        } else if (c == '\'') {
            quoted = inWord = true;
        } else if (c == '\\') {
            escaped = inWord = true;
        } else if (c == ' ') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

class ReportRowsTest : public ::testing::TestWithParam<std::size_t> {};

// Computed in chunks on one or two threads, packed and written back, every format gives the
// bytes of "runnelex-cli report"; so does the command the window shows.
TEST_P(ReportRowsTest, WrittenRowsAreWhatTheCommandLineWrites) {
    const Case& c = cases()[GetParam()];
    SCOPED_TRACE(c.name);
    const ReportPlan plan = planOf(c);
    for (const auto& [format, name] :
         {std::pair{Format::Tsv, "tsv"}, {Format::Csv, "csv"}, {Format::Json, "json"}}) {
        Args args = {"report"};
        args.insert(args.end(), c.cli.begin(), c.cli.end());
        args.insert(args.end(), {"--format", name});
        const CliRun cli = runCli(args);
        ASSERT_TRUE(cli.status == 0 || cli.status == 3) << cli.err;
        for (const auto& [threads, chunk] : {std::pair{1u, 512u}, {2u, 2u}}) {
            const PackedRows rows = computed(plan, threads, chunk);
            ASSERT_EQ(rows.size(), plan.rowCount());
            EXPECT_EQ(written(format, plan, rows, {{0, rows.size() - 1}}, true), cli.out);
            EXPECT_EQ(rows.faulted() > 0, cli.status == 3);
        }
    }

    std::vector<std::string> ranges = c.vary;
    const std::string command = reportCommandLine(requestFromEntry(c.entry, {}), {});
    ASSERT_EQ(command.rfind("runnelex-cli report", 0), 0u) << command;
    std::vector<Input> varied;
    for (const std::string& written : c.vary)
        varied.push_back(std::get<Vary>(ReportPlan::parseVary(written)).input);
    Args typed = shellWords(reportCommandLine(requestFromEntry(c.entry, varied), ranges));
    typed.erase(typed.begin()); // the program's name
    EXPECT_EQ(runCli(typed).out, runCli([&] {
                                     Args a = {"report"};
                                     a.insert(a.end(), c.cli.begin(), c.cli.end());
                                     return a;
                                 }())
                                     .out);
}

// A row is marked surcharged exactly when the main window would say "Surcharged!".
TEST_P(ReportRowsTest, MarksFollowTheRegimeTheMainWindowShows) {
    const Case& c = cases()[GetParam()];
    const ReportPlan plan = planOf(c);
    const PackedRows rows = computed(plan, 2, 3);
    std::uint64_t surcharged = 0;
    for (std::uint64_t i = 0; i < rows.size(); ++i) {
        CalcSession shown;
        const Replay r = replay(plan.point(i), shown);
        const RowMark expected = r.status == SessionStatus::Fault              ? RowMark::Faulted
                                 : shown.label(Label::Regime) == "Surcharged!" ? RowMark::Surcharged
                                                                               : RowMark::None;
        EXPECT_EQ(rows.mark(i), expected) << c.name << " row " << i;
        surcharged += expected == RowMark::Surcharged;
    }
    EXPECT_EQ(rows.surcharged(), surcharged);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportRowsTest, ::testing::Range<std::size_t>(0, cases().size()));

// Selected rows in any order and overlap come out once each, in table order.
TEST(ReportRows, SelectedRangesAreWrittenOnceInOrder) {
    const ReportPlan plan = planOf(cases()[0]); // 9 rows
    const PackedRows rows = computed(plan, 1, 4);
    const std::vector<std::string> all = linesOf(written(Format::Tsv, plan, rows, {{0, 8}}, false));
    const struct {
        std::vector<RowRange> selected;
        std::vector<std::size_t> rows;
    } selections[] = {{{{6, 7}, {1, 2}, {2, 3}}, {1, 2, 3, 6, 7}},
                      {{{4, 4}, {5, 5}}, {4, 5}},
                      {{{8, 8}, {0, 0}, {0, 8}}, {0, 1, 2, 3, 4, 5, 6, 7, 8}}};
    for (const auto& s : selections) {
        std::string expected;
        for (std::size_t r : s.rows)
            expected += all[r] + "\n";
        EXPECT_EQ(written(Format::Tsv, plan, rows, mergedRanges(s.selected), false), expected);
    }
}

// The texts outside the packing alphabet and faults come back exactly.
TEST(ReportRows, EveryRowComesBackAsAdded) {
    std::vector<RecordReply> added(5);
    added[0].fields = {"", "",       "",       "",       false,    "",       false,
                       "", "0.5359", "4.6671", "1.2548", "0.6034", "3.5628", "3.8307"};
    added[1].fields = {"", "", "", "", false, "", false, "", "", "", "", "", "1.5E+20", "-0.01"};
    added[1].surcharged = true;
    added[2].status = SessionStatus::Fault;
    added[2].fault = "Overflow";
    added[3].fields.dnorm = "n/a \xC3\xA4 0123456789012345678901234567890";
    added[3].surcharged = true;
    added[4].fields.q093 = std::string(300, '9'); // longer than any shown number
    PackedChunk chunk;
    for (const auto& r : added)
        chunk.add(r);
    chunk.shrink();
    ASSERT_EQ(chunk.size(), added.size());
    const RowMark marks[] = {RowMark::None, RowMark::Surcharged, RowMark::Faulted,
                             RowMark::Surcharged, RowMark::None};
    for (std::size_t k = 0; k < added.size(); ++k) {
        RecordReply back;
        back.fields.dnorm = "stale";
        chunk.read(k, back);
        const auto& a = added[k].fields;
        const auto& b = back.fields;
        EXPECT_EQ(std::vector<std::string>({b.dnorm, b.vnorm, b.frNo, b.dcr, b.q100, b.q093}),
                  std::vector<std::string>({a.dnorm, a.vnorm, a.frNo, a.dcr, a.q100, a.q093}))
            << k;
        EXPECT_EQ(back.status, added[k].status);
        EXPECT_EQ(back.fault, added[k].fault);
        EXPECT_EQ(back.surcharged, added[k].surcharged);
        EXPECT_EQ(chunk.mark(k), marks[k]);
    }
}

// A cancel ends the run early with whole chunks only; the rows kept are the first ones.
TEST(ReportRows, CancelKeepsWholeLeadingChunks) {
    Case big = cases()[0];
    big.vary = {"flow=0.001:10:0.0001"};
    const ReportPlan plan = planOf(big);
    for (unsigned threads : {1u, 2u}) {
        std::atomic<bool> cancel{false};
        PackedRows rows;
        const bool complete = computeRows(plan, threads, 64, cancel, [&](auto chunk) {
            EXPECT_EQ(chunk->size(), 64u);
            rows.append(chunk);
            if (rows.size() >= 256)
                cancel = true;
        });
        EXPECT_FALSE(complete);
        EXPECT_GE(rows.size(), 256u);
        EXPECT_LT(rows.size(), plan.rowCount());
        for (std::uint64_t i : {std::uint64_t{0}, rows.size() - 1}) {
            const RecordReply direct = runRecord(plan.point(i));
            EXPECT_EQ(rowText(Format::Tsv, rows.row(plan, i)), rowText(Format::Tsv, direct));
        }
    }
}

// What a million rows cost: a flow sweep packs into well under 32 bytes a row.
TEST(ReportRows, RowsArePackedSmall) {
    Case sweep = cases()[0];
    sweep.vary = {"flow=0.01:3:0.0001"};
    const ReportPlan plan = planOf(sweep);
    const PackedRows rows = computed(plan, 2, 512);
    EXPECT_LT(static_cast<double>(rows.bytes()) / static_cast<double>(rows.size()), 32.0);
}

} // namespace
} // namespace runnelex::report
