// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli report in process: rows per second on one and two threads, written to a file.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/output.h"

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

} // namespace
BENCHMARK_MAIN();
