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

void BM_Report(benchmark::State& state) {
    const std::string threads = std::to_string(state.range(0));
    // 20 000 flows through the worked example's pipe.
    const std::vector<std::string> args = {
        "report",    "--diam", "12", "--slope", "0.01", "--vary", "flow=0.0005:10:0.0005",
        "--threads", threads};
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

BENCHMARK(BM_Report)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
BENCHMARK_MAIN();
