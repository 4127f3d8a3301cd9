// SPDX-License-Identifier: GPL-3.0-or-later
// One whole process each: runnelex-cli calc on the worked example, and a hello-world C++
// program, started and waited for in turn, in the same run.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

void runProcess(benchmark::State& state, std::vector<const char*> argv) {
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv.data()),
                        environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void BM_HelloWorld(benchmark::State& state) {
    runProcess(state, {HELLO_PATH});
}
BENCHMARK(BM_HelloWorld)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void BM_CliCalc(benchmark::State& state) {
    runProcess(state,
               {RUNNELEX_CLI_PATH, "calc", "--diam", "12", "--slope", "0.01", "--flow", "2"});
}
BENCHMARK(BM_CliCalc)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
