// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli in process, fed any argument vector (the arguments split at NUL bytes), with an
// output that may fail part-way. Every run ends with one of the documented statuses; a usage
// error is one line and a hint, with nothing on the output; a calculation prints the header and
// one record of 14 fields.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "cli/exit_codes.h"
#include "fuzz_check.h"
#include "results/record.h"

using namespace runnelex;
using namespace runnelex::cli;
using namespace runnelex::fuzz;

// Standard input is empty ("batch -" reads it) and the working folder an empty one of its
// own: a file named in the arguments is never one of the machine's.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, 0);
    ::close(null);
    static char folder[] = "/tmp/fuzz_cli.XXXXXX";
    if (::mkdtemp(folder) == nullptr || ::chdir(folder) != 0)
        std::abort();
    std::atexit([] { ::rmdir(folder); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte: bit 7 set makes the output fail after (byte & 0x7f) * 8 bytes. Else it
    // takes a megabyte, which also ends a report of more rows than anyone waits for.
    const bool failing = data[0] & 0x80;
    const std::size_t failAfter =
        failing ? static_cast<std::size_t>(data[0] & 0x7f) * 8 : std::size_t{1} << 20;
    std::vector<std::string> args(1);
    for (std::size_t i = 1; i < size && args.size() <= 64; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    std::string shown;
    for (const std::string& a : args) {
        if (a.rfind('/', 0) == 0 || a.find("..") != std::string::npos)
            return 0; // a file of the machine's
        shown += "[" + escaped(a) + "] ";
    }

    const CliRun run = fuzz::runCli(args, failAfter);
    const int status = run.status;

    require(status == kDone || status == kUsage || status == kArithmetic ||
                status == kOutputFailed || status == kLinesLeftOut || status == kNoSize,
            "the status is one of the documented ones", shown + std::to_string(status));
    require((status == kOutputFailed) == run.outputFailed,
            "a failed output, and only that, ends with status 4", shown);
    if (status == kUsage) {
        require(run.out.empty(), "a usage error prints nothing on the output", shown);
        const std::vector<std::string> errLines = lines(run.err);
        const bool unread = args[0] == "batch" && errLines.size() == 1 &&
                            errLines[0].rfind("runnelex-cli: cannot read \"", 0) == 0;
        require(unread || (errLines.size() == 2 && errLines[0].rfind("runnelex-cli: ", 0) == 0 &&
                           errLines.back().rfind("Try \"runnelex-cli", 0) == 0),
                "a usage error is one line naming the problem and a hint; a table that cannot "
                "be read, one line naming it",
                shown + escaped(run.err));
    }
    if (status == kArithmetic && args[0] == "calc")
        require(run.out.empty(), "a calculation stopped by a fault prints nothing", shown);

    // A plain calculation: the header and the record "No&w" would append.
    const bool plainCalc = args[0] == "calc" && status == kDone;
    if (plainCalc && run.out.rfind(record::headerLine() + "\n", 0) == 0) {
        const std::vector<std::string> outLines = lines(run.out);
        require(outLines.size() == 2 && run.out.back() == '\n',
                "a calculation prints the header and one record", shown + escaped(run.out));
        require(count(outLines[1], '\t') == 13, "the record has 14 fields",
                shown + escaped(run.out));
    }
    return 0;
}
