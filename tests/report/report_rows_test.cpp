// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a report (their values: tests/cli/golden/report.golden): made in order on any
// number of threads, packed small and given back whole, cancelled cleanly, and the command the
// Range Report window shows for its entry.
#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calc/calc_session.h"
#include "cli/cli_app.h"
#include "cli/output.h"
#include "report/packed_rows.h"
#include "report/report_entry.h"
#include "report/report_plan.h"
#include "report/report_rows.h"
#include "report/text_chunk.h"

namespace runnelex::report {
namespace {

using Args = std::vector<std::string>;

// An entry of a circle: its texts and unit positions.
CalcEntry entryOf(std::string pipe, std::string diam, std::string slope, std::string n,
                  std::string flow, int diamUnit, int slopeUnit, int flowUnit,
                  UnitSystem system = UnitSystem::US) {
    CalcEntry e;
    e.pipe = std::move(pipe);
    e.dimensions.set("diam", std::move(diam));
    e.slope = std::move(slope);
    e.n = std::move(n);
    e.flow = std::move(flow);
    e.diamUnit = diamUnit;
    e.slopeUnit = slopeUnit;
    e.flowUnit = flowUnit;
    e.system = system;
    return e;
}

struct Case {
    const char* name;
    CalcEntry entry;
    std::vector<std::string> vary;
};

// Surcharged, faulted and oddly named rows, every unit.
const Case kCases[] = {
    {"flow sweep through the surcharge",
     entryOf("", "12", "0.01", "0.013", "", 0, 0, 0),
     {"flow=0.5:4.5:0.5"}},
    {"grid in feet, percent and GPM",
     entryOf("MH-1", "1,1.5", "", "0.011", "900", 1, 1, 2),
     {"diam=1,1.5,2", "slope=0.1:0.5:0.2"}},
    {"n list, a name to quote, MGD",
     entryOf("-a,b\"c\t'd' \xC3\xA4", "24", "0.5", "", "10", 0, 1, 1),
     {"n=0.009,0.013,0.024"}},
    {"faulted and huge points",
     entryOf("", "", "0.01", "0.013", "2", 1, 0, 0),
     {"diam=1e200,1e5,1"}},
    {"SI: m, percent and L/s, through the surcharge",
     entryOf("P 1", "0.3", "", "0.013", "", 1, 1, 1, UnitSystem::SI),
     {"slope=0.5,1", "flow=50:110:30"}},
};

std::vector<Input> variedOf(const Case& c) {
    std::vector<Input> varied;
    for (const std::string& written : c.vary)
        varied.push_back(std::get<Vary>(ReportPlan::parseVary(written)).input);
    return varied;
}

ReportPlan planOf(const Case& c) {
    std::vector<Vary> vary;
    for (const std::string& written : c.vary)
        vary.push_back(std::get<Vary>(ReportPlan::parseVary(written)));
    return std::get<ReportPlan>(
        ReportPlan::make(requestFromEntry(c.entry, variedOf(c)), std::move(vary)));
}

// The rows as runnelex-cli report collects them, and as the window packs them.
std::string asText(const ReportPlan& plan, unsigned threads, std::uint64_t chunkRows) {
    std::string text;
    EXPECT_TRUE(
        computeRows<TextChunk>(plan, threads, chunkRows, nullptr, {}, [&](TextChunk&& chunk) {
            text += chunk.text;
            return true;
        }));
    return text;
}
PackedRows packed(const ReportPlan& plan, unsigned threads, std::uint64_t chunkRows) {
    PackedRows rows;
    EXPECT_TRUE(
        computeRows<PackedChunk>(plan, threads, chunkRows, nullptr, {}, [&](PackedChunk&& chunk) {
            rows.append(std::make_shared<const PackedChunk>(std::move(chunk)));
            return true;
        }));
    return rows;
}
std::string written(const ReportPlan& plan, const PackedRows& rows,
                    const std::vector<RowRange>& ranges) {
    std::string out;
    std::atomic<bool> cancel{false};
    std::atomic<std::uint64_t> done{0};
    EXPECT_TRUE(writeRows(Format::Tsv, plan, rows, ranges, false, out, cancel, done));
    return out;
}

// A command line as a POSIX shell splits it: blanks between words, single quotes, backslashes.
Args shellWords(const std::string& line) {
    Args words;
    std::string word;
    bool inWord = false, quoted = false, escaped = false;
    for (char c : line) {
        if (escaped || (quoted && c != '\'')) {
            word += c;
            escaped = false;
        } else if (c == '\'') {
            quoted = !quoted;
            inWord = true;
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

std::string cliOut(const Args& args) {
    cli::StringOutput out, err;
    cli::runCli(args, cli::coreCommands(), out, err);
    out.flush();
    return out.text();
}

// The same rows in the same order on one thread or several, in chunks of any size; packed and
// written back, they are the text again; a row is marked surcharged exactly when the main
// window would say "Surcharged!"; the command the window shows makes the same report.
TEST(ReportRows, SameRowsWhateverTheThreadsAndPacking) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const ReportPlan plan = planOf(c);
        const std::string text = asText(plan, 1, 512);
        for (const auto& [threads, chunk] : {std::pair{2u, 2u}, {3u, 1u}, {16u, 5u}})
            EXPECT_EQ(asText(plan, threads, chunk), text);
        const PackedRows rows = packed(plan, 2, 3);
        ASSERT_EQ(rows.size(), plan.rowCount());
        EXPECT_EQ(written(plan, rows, {{0, rows.size() - 1}}), text);
        std::uint64_t surcharged = 0;
        for (std::uint64_t i = 0; i < rows.size(); ++i) {
            CalcSession shown;
            const Replay r = replay(plan.point(i), shown);
            EXPECT_EQ(rows.mark(i), r.status == SessionStatus::Fault ? RowMark::Faulted
                                    : shown.label(Label::Regime) == "Surcharged!"
                                        ? RowMark::Surcharged
                                        : RowMark::None)
                << i;
            surcharged += rows.mark(i) == RowMark::Surcharged;
        }
        EXPECT_EQ(rows.surcharged(), surcharged);

        Args typed = shellWords(reportCommandLine(requestFromEntry(c.entry, variedOf(c)), c.vary));
        ASSERT_EQ(typed.at(0), "runnelex-cli");
        typed.erase(typed.begin());
        EXPECT_EQ(cliOut(typed), headerText(Format::Tsv, plan.system()) + text);
    }
}

// Selected rows in any order and overlap come out once each, in table order.
TEST(ReportRows, SelectedRangesAreWrittenOnceInOrder) {
    const ReportPlan plan = planOf(kCases[0]); // 9 rows
    const PackedRows rows = packed(plan, 1, 4);
    std::vector<std::string> all;
    for (std::uint64_t i = 0; i < rows.size(); ++i)
        all.push_back(written(plan, rows, {{i, i}}));
    const struct {
        std::vector<RowRange> selected;
        std::vector<std::size_t> rows;
    } selections[] = {{{{6, 7}, {1, 2}, {2, 3}}, {1, 2, 3, 6, 7}},
                      {{{4, 4}, {5, 5}}, {4, 5}},
                      {{{8, 8}, {0, 0}, {0, 8}}, {0, 1, 2, 3, 4, 5, 6, 7, 8}}};
    for (const auto& s : selections) {
        std::string expected;
        for (std::size_t r : s.rows)
            expected += all[r];
        EXPECT_EQ(written(plan, rows, mergedRanges(s.selected)), expected);
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

// A cancel ends the run early with whole chunks only; the rows kept are the first ones. A
// flow sweep packs into well under 32 bytes a row.
TEST(ReportRows, CancelKeepsWholeLeadingChunksPackedSmall) {
    Case big = kCases[0];
    big.vary = {"flow=0.001:10:0.0001"};
    const ReportPlan plan = planOf(big);
    for (unsigned threads : {1u, 2u}) {
        std::atomic<bool> cancel{false};
        PackedRows rows;
        const bool complete =
            computeRows<PackedChunk>(plan, threads, 64, &cancel, {}, [&](PackedChunk&& chunk) {
                EXPECT_EQ(chunk.size(), 64u);
                rows.append(std::make_shared<const PackedChunk>(std::move(chunk)));
                if (rows.size() >= 2048)
                    cancel = true;
                return true;
            });
        EXPECT_FALSE(complete);
        EXPECT_GE(rows.size(), 2048u);
        EXPECT_LT(rows.size(), plan.rowCount());
        EXPECT_LT(static_cast<double>(rows.bytes()) / static_cast<double>(rows.size()), 32.0);
        for (std::uint64_t i : {std::uint64_t{0}, rows.size() - 1})
            EXPECT_EQ(rowText(Format::Tsv, rows.row(plan, i)),
                      rowText(Format::Tsv, runRecord(plan.point(i))));
    }
}

} // namespace
} // namespace runnelex::report
