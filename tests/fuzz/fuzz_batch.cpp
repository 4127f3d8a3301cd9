// SPDX-License-Identifier: GPL-3.0-or-later
// "runnelex-cli batch", the reader of saved tables, in process: fed a report that
// "runnelex-cli report" made from fuzzed options, it gives that report back byte for byte, also
// with CRLF line breaks, and as a European spreadsheet writes its CSV (semicolons, decimal
// commas); fed any bytes as a table, it writes the header and one record of 14 fields (15 in
// CSV, with the Surcharged column) per row it takes and tells every line it leaves out, or
// refuses the whole table before writing anything.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

#include "cli/calc_command.h"
#include "cli/exit_codes.h"
#include "fuzz_check.h"
#include "report/report_plan.h"
#include "report/row_format.h"
#include "report/table_reader.h"
#include "report/table_writer.h"
#include "results/record.h"

namespace {

using namespace runnelex;
using namespace runnelex::cli;
using namespace runnelex::fuzz;
using fuzz::runCli;

// `runnelex-cli batch` of these bytes, read from a file in memory.
CliRun batchOf(const std::string& table) {
    const int fd = ::memfd_create("table", MFD_CLOEXEC);
    require(fd >= 0 && ::write(fd, table.data(), table.size()) == ssize_t(table.size()),
            "the table can be put in memory");
    const CliRun r = runCli({"batch", "/proc/self/fd/" + std::to_string(fd)});
    ::close(fd);
    return r;
}

std::string text(FuzzedDataProvider& fdp, std::initializer_list<const char*> usual) {
    if (fdp.ConsumeBool())
        return fdp.ConsumeRandomLengthString(12);
    const auto i = fdp.ConsumeIntegralInRange<std::size_t>(0, usual.size() - 1);
    return usual.begin()[i];
}

// The fields of a line of comma-separated values, quotes undone.
std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += line[i];
    }
    return fields;
}

// The line as a spreadsheet that writes decimal commas saves it: separated by semicolons, the
// numbers (every field but the name and the unit words) with a comma for the point.
std::string semicolonLine(std::vector<std::string> fields, bool header) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string& f = fields[i];
        // A law's n column is a text that keeps its points.
        const bool law = i == 7 && f.find(' ') != std::string::npos;
        if (!header && i != 0 && i != 2 && i != 4 && i != 6 && !law)
            std::replace(f.begin(), f.end(), '.', ',');
        if (f.find_first_of(";\"") != std::string::npos) {
            std::string q = "\"";
            for (char c : f)
                q += c == '"' ? std::string("\"\"") : std::string(1, c);
            f = q + "\"";
        }
        line += (i > 0 ? ";" : "") + f;
    }
    return line;
}

// A report of at most a few hundred rows, from options the fuzzer chooses.
void reportComesBack(FuzzedDataProvider& fdp) {
    std::vector<std::string> args = {"report", "--threads", "1"};
    const auto option = [&](const char* name, std::initializer_list<const char*> usual) {
        if (fdp.ConsumeBool()) {
            args.push_back(std::string("--") + name);
            args.push_back(text(fdp, usual));
        }
    };
    option("pipe", {"P1", "", " Main St.", "\xE2\x80\xA8", "a\tb"});
    option("diam-unit", {"in.", "ft."});
    option("slope-unit", {"ft/ft", "%"});
    option("flow-unit", {"CFS", "MGD", "GPM"});
    const char* const names[] = {"diam", "slope", "flow", "n"};
    const int varied = fdp.ConsumeIntegralInRange(0, 3);
    const int second = fdp.ConsumeBool() ? fdp.ConsumeIntegralInRange(0, 3) : -1;
    option("diam", {"12", "24", "1e1", " 8 ", "0.5"});
    option("slope", {"0.01", "0.5", "1e-3", "5"});
    option("flow", {"2", "10", "1e308", "0.001", "900"});
    option("n", {"0.013", "0.011", ".02"});
    // Another law with its inputs; the n option above then is a usage error.
    if (fdp.ConsumeBool()) {
        const int law = fdp.ConsumeIntegralInRange(0, 2);
        args.push_back("--law");
        args.push_back(law == 0 ? "kutter" : law == 1 ? "colebrook" : "hazen-williams");
        args.push_back(law == 0 ? "--n" : law == 1 ? "--k" : "--c");
        args.push_back(law == 2 ? text(fdp, {"120", "60.5"}) : text(fdp, {"0.013", "1.5", "0"}));
        if (law == 1) {
            option("k-unit", {"mm", "in.", "m"});
            option("nu", {"1.31e-6", "1.2e-05"});
        }
    }
    std::vector<report::Vary> vary;
    for (const int which : {varied, second}) {
        if (which < 0)
            continue;
        const std::string written = std::string(names[which]) + "=" +
                                    text(fdp, {"1:5:1", "0.1:0.5:0.1", "2,4,8", "1e-3:2e-3:5e-4",
                                               "10:1:-3", "1e308,1.7e308", "0.001:0.002:0.0001"});
        auto v = report::ReportPlan::parseVary(written);
        if (std::holds_alternative<report::ReportPlan::Error>(v))
            return;
        vary.push_back(std::get<report::Vary>(std::move(v)));
        args.push_back("--vary");
        args.push_back(written);
    }
    std::uint64_t rows = 1;
    for (const report::Vary& v : vary)
        rows *= std::min<std::uint64_t>(v.values.size(), 1000);
    if (rows > 40)
        return; // a longer report shows nothing more and slows the fuzzer down
    const CliRun made = runCli(args);
    if (made.status != kDone && made.status != kArithmetic)
        return; // a usage error: nothing to read back
    const auto comesBack = [&made](const std::string& table, const char* what) {
        const CliRun back = batchOf(table);
        require(back.out == table, what,
                escaped(table) + "\nbatch:\n" + escaped(back.out) + "\n" + escaped(back.err));
        require(back.status == made.status, "batch of a report ends as the report did",
                std::to_string(made.status) + " " + std::to_string(back.status));
    };
    comesBack(made.out, "batch of a report reproduces it byte for byte");
    std::string crlf;
    for (const std::string& line : lines(made.out))
        crlf += line + "\r\n";
    comesBack(crlf, "batch keeps a TSV table's CRLF");
    args.push_back("--format");
    args.push_back("csv");
    const CliRun csv = runCli(args);
    std::string european;
    for (std::string line : lines(csv.out)) {
        line.pop_back(); // the CR
        european += semicolonLine(csvFields(line), european.empty()) + "\r\n";
    }
    comesBack(european, "batch of a report separated by semicolons reproduces it");
}

// The fields of a line as batch writes it: between its separators outside quotes (a TAB is
// never quoted).
std::size_t fieldCount(const std::string& line, char separator) {
    std::size_t n = 1;
    bool quoted = false;
    for (char c : line) {
        quoted ^= separator != '\t' && c == '"';
        n += c == separator && !quoted;
    }
    return n;
}

// Any bytes as a table.
void anyTable(const std::string& table) {
    const CliRun r = batchOf(table);
    if (r.status == kUsage) {
        require(r.out.empty(), "a table refused whole gets no output", escaped(r.out));
        return;
    }
    require(r.status == kDone || r.status == kArithmetic || r.status == kLinesLeftOut,
            "batch ends done, with faulted rows or with lines left out", std::to_string(r.status));
    // Blank lines, as a spreadsheet leaves them, are no lines; nor is a byte order mark.
    std::vector<std::string> in;
    for (const std::string& line :
         lines(table.rfind("\xEF\xBB\xBF", 0) == 0 ? table.substr(3) : table))
        if (line.find_first_not_of(" \t\r,;") != std::string::npos)
            in.push_back(line);
    if (in.empty())
        return;
    std::string body = r.out;
    if (body.rfind("\xEF\xBB\xBF", 0) == 0)
        body.erase(0, 3);
    std::vector<std::string> out = lines(body);
    std::string first = in[0];
    if (!first.empty() && first.back() == '\r')
        first.pop_back();
    const report::TableForm form = report::tableForm(first);
    const bool csv = form.format == report::Format::Csv;
    for (std::string& line : out)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    require(!out.empty() && (out[0] == report::tableHeader(form, UnitSystem::US) ||
                             out[0] == report::tableHeader(form, UnitSystem::SI)),
            "batch writes the header first, in the table's form", escaped(r.out));
    for (const std::string& line : out)
        require(fieldCount(line, form.separator) == (csv ? 15u : 14u),
                "every line batch writes has 14 fields", escaped(line));
    std::size_t leftOut = 0;
    for (const std::string& line : lines(r.err))
        leftOut += line.rfind("runnelex-cli batch: line ", 0) == 0 &&
                   line.find(" left out: ") != std::string::npos; // not a row's warning
    // Every line read is either written back or told as left out; the header is taken once.
    require(out.size() - 1 + leftOut + 1 >= in.size() && out.size() - 1 + leftOut <= in.size(),
            "every line is written back or told as left out",
            std::to_string(in.size()) + " in, " + std::to_string(out.size()) + " out, " +
                std::to_string(leftOut) + " left out");
    require((leftOut > 0) == (r.status == kLinesLeftOut), "lines left out give status 5",
            escaped(r.err));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    if (data[0] & 1) {
        FuzzedDataProvider fdp(data + 1, size - 1);
        reportComesBack(fdp);
    } else {
        anyTable(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    }
    return 0;
}
