// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/report_command.h"

#include <charconv>
#include <chrono>
#include <thread>

#include "cli/calc_command.h"
#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "report/progress_text.h"
#include "report/quoting.h"
#include "report/report_plan.h"
#include "report/report_rows.h"
#include "report/row_format.h"
#include "report/text_chunk.h"

namespace runnelex::cli {

namespace {

// Rows a thread computes at a time: long enough to keep the threads busy, short enough that
// the first rows come out at once.
constexpr std::uint64_t kChunkRows = 512;

// "\r<message>" now and then on a terminal once the report has run for a second; erased at
// the end.
class Progress {
public:
    Progress(Output& err, std::uint64_t total) : err_(err), total_(total) {}
    ~Progress() {
        if (shown_) {
            std::string blank(width_ + 2, ' ');
            blank.front() = blank.back() = '\r';
            err_.write(blank);
            err_.flush();
        }
    }
    void update(std::uint64_t done) {
        if (!err_.isTerminal())
            return;
        const auto now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(200))
            return;
        last_ = now;
        const std::chrono::duration<double> elapsed = now - start_;
        std::string line =
            "runnelex-cli report: " + report::progressText(done, total_, elapsed.count());
        width_ = std::max(width_, line.size());
        line.resize(width_, ' '); // covers the end of a longer line before
        err_.write("\r" + line);
        err_.flush();
        shown_ = true;
    }

private:
    using Clock = std::chrono::steady_clock;
    Output& err_;
    std::uint64_t total_;
    Clock::time_point start_ = Clock::now(), last_ = start_;
    std::size_t width_ = 0;
    bool shown_ = false;
};

std::optional<unsigned> threadCount(const std::string& text) {
    unsigned n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > 256)
        return std::nullopt;
    return n;
}

int runReport(const ParsedArgs& a, Output& out, Output& err) {
    const auto usage = [&](const std::string& what) {
        return usageError(err, what, "report");
    };
    report::Format format = report::Format::Tsv;
    if (const auto name = a.value("format")) {
        const auto named = report::formatNamed(*name);
        if (!named)
            return usage("--format " + quoted(*name) + ": write tsv, csv or json");
        format = *named;
    }
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    if (const auto t = a.value("threads")) {
        const auto n = threadCount(*t);
        if (!n)
            return usage("--threads " + quoted(*t) + ": a whole number from 1 to 256");
        threads = *n;
    }
    std::vector<report::Vary> vary;
    for (const std::string& written : a.all("vary")) {
        auto v = report::ReportPlan::parseVary(written);
        if (const auto* e = std::get_if<report::ReportPlan::Error>(&v))
            return usage(e->what);
        vary.push_back(std::get<report::Vary>(std::move(v)));
    }
    auto made = report::ReportPlan::make(calcRequestFrom(a), std::move(vary));
    if (const auto* e = std::get_if<report::ReportPlan::Error>(&made))
        return usage(e->what);
    const report::ReportPlan& plan = std::get<report::ReportPlan>(made);

    out.write(report::headerText(format, plan.system()));
    Progress progress(err, plan.rowCount());
    std::uint64_t done = 0, faulted = 0, warned = 0;
    std::string firstWarning;
    report::computeRows<report::TextChunk>(
        plan, threads, kChunkRows, nullptr, report::TextChunk{format, {}, 0, 0, 0, {}},
        [&](report::TextChunk&& chunk) {
            done += chunk.rows;
            faulted += chunk.faulted;
            if (warned == 0 && chunk.warned > 0)
                firstWarning = chunk.firstWarning;
            warned += chunk.warned;
            progress.update(done);
            return out.writeBlock(chunk.text); // a failed output ends the report early
        });
    // Computed all the same, but the reader is told, once for the whole report.
    if (warned > 0)
        err.write("runnelex-cli report: warning: " + std::to_string(warned) +
                  (warned == 1 ? " row" : " rows") +
                  " with inputs far outside the range of "
                  "the equations; the first: " +
                  diagnostic(firstWarning) + "\n");
    return faulted > 0 ? kArithmetic : kDone;
}

} // namespace

Command reportCommand() {
    Command c;
    c.name = "report";
    c.synopsis =
        "  runnelex-cli report [the calc options] --vary NAME=VALUES [--vary NAME=VALUES]\n"
        "                      [--format tsv|csv|json] [--threads N]\n";
    c.description =
        "The calculation across ranges of values: NAME is " + report::inputNameList() +
        ",\n"
        "VALUES a range FROM:TO:STEP (in decimal, TO included when the steps reach it) or a\n"
        "list V1,V2,..., in the unit chosen for that input. Two --vary make a grid, the first\n"
        "varying slowest. Prints the results file's header line and one record per point, each\n"
        "the record \"runnelex-cli calc\" prints for the same texts; a point whose calculation\n"
        "faults keeps its inputs and shows the fault in the depth column (exit status 3).\n"
        "--format csv writes RFC 4180 CSV with CRLF and a last column Surcharged (yes for a\n"
        "surcharged row); json one object per line with the keys pipe, q, qUnit, diam,\n"
        "diamUnit, slope, slopeUnit, n, depthFt, velFps, froude, dcritFt, capacity, maxQ (in SI\n"
        "depthM, velMps, dcritM), the numbers typed, null for an empty result, \"fault\" for a\n"
        "faulted row and \"surcharged\": true for a surcharged one. The columns are calc's\n"
        "(runnelex-cli calc --help). Uses every core unless --threads says otherwise; the rows\n"
        "stay in order. On a terminal a progress line shows after a second: the rows done\n"
        "and the time left at the pace so far.\n"
        "\n"
        "Examples:\n"
        "  runnelex-cli report --diam 12 --slope 0.01 --vary flow=0.5:2:0.5\n"
        "  runnelex-cli report --slope 0.5 --slope-unit % --flow 10 --vary diam=15,18,21,24 \\\n"
        "      --vary n=0.011,0.013 --format csv > candidates.csv\n";
    c.options = calcOptions();
    c.options.push_back({"vary", true, true});
    c.options.push_back({"format"});
    c.options.push_back({"threads"});
    c.run = runReport;
    return c;
}

} // namespace runnelex::cli
