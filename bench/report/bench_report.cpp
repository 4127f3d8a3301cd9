// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli report in process: rows per second on one and two threads, written to a file.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <cmath>
#include <random>

#include "cli/cli_app.h"
#include "cli/output.h"
#include "common/number_text.h"
#include "report/text_chunk.h"

namespace {

// Argument 0: threads; 1: the conduit, 0 the worked example's pipe, 1 a box of the same width
// and rise.
void BM_Report(benchmark::State& state) {
    const std::string threads = std::to_string(state.range(0));
    // 20 000 flows through the conduit.
    std::vector<std::string> args = {
        "report", "--slope", "0.01", "--vary", "flow=0.0005:10:0.0005", "--threads", threads};
    const std::vector<std::string> conduit =
        state.range(1) == 0
            ? std::vector<std::string>{"--diam", "12"}
            : std::vector<std::string>{"--shape", "box", "--span", "12", "--rise", "12"};
    args.insert(args.end(), conduit.begin(), conduit.end());
    state.SetLabel(state.range(1) == 0 ? "circle" : "box");
    const auto commands = runnelex::cli::coreCommands();
    const int file = ::open("/dev/null", O_WRONLY);
    for (auto _ : state) {
        runnelex::cli::FdOutput out(file), err(2);
        if (runnelex::cli::runCli(args, commands, out, err) != 0)
            state.SkipWithError("the report failed");
    }
    ::close(file);
    state.SetItemsProcessed(state.iterations() * 20000);
}

BENCHMARK(BM_Report)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The display rule on values a result has: 0.001 to 1000, 4 decimals.
void BM_DisplayNumber(benchmark::State& state) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<> exponent(-3, 3);
    std::vector<double> values(4096);
    for (double& v : values)
        v = std::pow(10.0, exponent(rng));
    std::size_t i = 0, chars = 0;
    for (auto _ : state) {
        chars += runnelex::displayNumber(values[i++ % values.size()]).size();
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisplayNumber);

// One computed row of the worked example's pipe into a chunk of TSV text, as a report adds it.
void BM_RowText(benchmark::State& state) {
    runnelex::RecordReply row;
    auto& f = row.fields;
    f.flowText = "2";
    f.unitflow = "CFS";
    f.diamText = "12";
    f.slopeText = "0.01";
    f.nText = "0.013";
    f.dnorm = "0.5359";
    f.vnorm = "4.6671";
    f.frNo = "1.2548";
    f.dcr = "0.6034";
    f.q100 = "3.5628";
    f.q093 = "3.8307";
    runnelex::report::TextChunk chunk;
    for (auto _ : state) {
        chunk.add(row);
        if (chunk.rows % 512 == 0)
            chunk.text.clear();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RowText);

} // namespace
BENCHMARK_MAIN();
