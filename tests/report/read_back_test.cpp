// SPDX-License-Identifier: GPL-3.0-or-later
// What the commands record reads back through batch: every record it is given comes out byte
// for byte, none left out, whatever the shape, system, outcome or form of the table.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "cli/output.h"

namespace runnelex::cli {
namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun runnelex(const std::vector<std::string>& args) {
    StringOutput out, err;
    const int status = runCli(args, coreCommands(), out, err);
    out.flush();
    err.flush();
    return {status, out.text(), err.text()};
}

TEST(ReadBack, EveryRecordTheCommandsWriteComesBackFromBatch) {
    const struct {
        const char* name;
        std::vector<std::string> args;
    } cases[] = {
        {"calc, open channel", {"calc", "--diam", "12", "--slope", "0.01", "--flow", "2"}},
        {"calc, surcharged", {"calc", "--diam", "12", "--slope", "0.01", "--flow", "5"}},
        {"calc, nothing typed but a name", {"calc", "--pipe", "P 1"}},
        {"calc, a square", {"calc", "--shape", "square", "--diam", "4", "--diam-unit", "ft."}},
        {"calc, a box in SI",
         {"calc", "--units", "si", "--shape", "box", "--span", "600", "--rise", "400", "--slope",
          "1", "--slope-unit", "%", "--flow", "50", "--flow-unit", "L/s"}},
        {"report, TSV with faulted rows",
         {"report", "--slope", "0.01", "--flow", "2", "--vary", "diam=12,1e200"}},
        {"report, CSV of boxes",
         {"report", "--shape", "box", "--rise", "2", "--diam-unit", "ft.", "--slope", "0.001",
          "--flow", "10", "--vary", "span=2:4:1", "--format", "csv"}},
        {"size, its records", {"size", "--flow", "2", "--slope", "0.01", "--sizes", "8,10,12"}},
    };
    const std::string file = testing::TempDir() + "read_back_table";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CliRun written = runnelex(c.args);
        ASSERT_NE(written.out, "");
        if (c.args[0] == "size") {
            // Its last line names the size chosen, for a script's tail: not a record. The
            // columns after the record's are its checks, which batch names and ignores.
            written.out.erase(written.out.rfind('\n', written.out.size() - 2) + 1);
            std::string records;
            for (std::size_t at = 0; at < written.out.size();) {
                const std::size_t end = written.out.find('\n', at);
                std::string line = written.out.substr(at, end - at);
                std::size_t tab = std::string::npos; // the 14th TAB ends the record
                for (int i = 0; i < 14; ++i)
                    tab = line.find('\t', tab + 1);
                records += line.substr(0, tab) + '\n';
                at = end + 1;
            }
            written.out = records;
        }
        std::FILE* f = std::fopen(file.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(written.out.data(), 1, written.out.size(), f);
        std::fclose(f);
        const CliRun back = runnelex({"batch", file});
        EXPECT_EQ(back.out, written.out);
        EXPECT_EQ(back.err.find("left out"), std::string::npos) << back.err;
        EXPECT_EQ(back.status, written.status == 6 ? 0 : written.status);
    }
    std::remove(file.c_str());
}

} // namespace
} // namespace runnelex::cli
