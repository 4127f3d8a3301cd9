// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch_command.h"

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "report/quoting.h"
#include "report/row_format.h"
#include "report/table_reader.h"
#include "report/table_writer.h"
#include "results/record.h"

namespace runnelex::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

int runBatch(const ParsedArgs& a, Output& out, Output& err) {
    if (a.positionals.size() != 1)
        return usageError(err,
                          a.positionals.empty()
                              ? "name the table to read (a file, or - for standard input)"
                              : "unexpected argument " + quoted(a.positionals[1]),
                          "batch");
    const std::string& name = a.positionals.front();
    const int fd = name == "-" ? 0 : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    // A table that cannot be read, whatever the reason, is one message and one status.
    const auto cannotRead = [&err, &name](const char* reason) {
        err.write("runnelex-cli: cannot read " + quoted(name) + ": " + reason + "\n");
        return static_cast<int>(kUsage);
    };
    if (fd < 0)
        return cannotRead(std::strerror(errno));

    report::LineSplitter lines;
    std::uint64_t lineNumber = 0, leftOut = 0, faulted = 0;
    bool sizingTable = false;
    bool wroteHeader = false, headerPending = false, readFailed = false, seenLine = false;
    bool byteOrderMark = false;
    report::TableForm form;
    std::string lineEnd = "\n"; // the first line's, so the table comes back as it came
    std::optional<std::string> unreadable;
    // The header line, after the byte order mark the table began with.
    const auto writeHeader = [&](UnitSystem system) {
        out.write(std::string(byteOrderMark ? kByteOrderMark : "") +
                  report::tableHeader(form, system));
        wroteHeader = true;
    };
    const auto leaveOut = [&](const std::string& problem) {
        ++leftOut;
        err.write("runnelex-cli batch: line " + std::to_string(lineNumber) +
                  " left out: " + problem + "\n");
    };
    std::optional<UnitSystem> tableSystem; // a table holds the rows of one system
    std::string readError;
    char buffer[1 << 16];
    bool ended = false;
    while (!out.failed() && !unreadable) {
        std::optional<std::string> line = lines.next();
        if (!line) {
            if (ended)
                break;
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                readFailed = true;
                readError = std::strerror(errno);
                ended = true;
                lines.finish();
            } else if (n == 0) {
                ended = true;
                lines.finish();
            } else {
                lines.feed(std::string_view(buffer, static_cast<std::size_t>(n)));
            }
            continue;
        }
        ++lineNumber;
        if (lines.lastTooLong()) {
            leaveOut("longer than 1 MiB");
            continue;
        }
        std::string_view text = *line;
        if (lineNumber == 1 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            byteOrderMark = true; // kept, so the table comes back as it was
            text.remove_prefix(kByteOrderMark.size());
        }
        // A blank line, typed into a spreadsheet between rows, is no row and no mistake.
        if (text.find_first_not_of(" \t\r,;") == std::string_view::npos)
            continue;
        // The first line that is not blank tells the form: TSV or CSV, its separator, its line
        // break; the table comes back in the form it came in. Lines are told by their number
        // in the file, blank ones counted.
        const bool firstLine = !std::exchange(seenLine, true);
        if (firstLine) {
            if ((unreadable = report::unreadableTable(text)))
                break;
            form = report::tableForm(text);
            lineEnd = lines.lastHadBreak()                 ? (lines.lastHadCrLf() ? "\r\n" : "\n")
                      : form.format == report::Format::Csv ? "\r\n"
                                                           : "\n";
        }
        // Each line's break is written before the next line, so the last line ends as the
        // table's last line did.
        const report::TableLine t = report::readTableLine(text, form);
        // A first line that is not a row is the header, whatever its titles. It names the
        // table's system; a header of the 8 inputs alone, or one retitled, leaves that to the
        // first row. A header naming the columns in an order of its own is read by their names.
        if (firstLine && t.kind != report::TableLine::Kind::Row) {
            tableSystem = t.system;
            if (const auto named = report::namedColumns(text, form)) {
                form.columns = named->columns;
                form.width = named->width;
                tableSystem = named->system;
                // The sizing report's table ends with the size chosen, a line of its own.
                sizingTable = std::find(named->ignored.begin(), named->ignored.end(), "First") !=
                              named->ignored.end();
                if (!named->ignored.empty()) {
                    std::string names;
                    for (const std::string& n : named->ignored)
                        names += (names.empty() ? "" : ", ") + quoted(n);
                    err.write("runnelex-cli batch: " +
                              std::string(named->ignored.size() == 1 ? "column" : "columns") +
                              " ignored: " + names + "\n");
                }
            }
            headerPending = !tableSystem;
            if (tableSystem)
                writeHeader(*tableSystem);
            continue;
        }
        if (!wroteHeader && (t.kind == report::TableLine::Kind::Row || !headerPending)) {
            tableSystem = t.system.value_or(UnitSystem::US);
            writeHeader(*tableSystem);
            headerPending = false;
        }
        std::string problem =
            t.kind == report::TableLine::Kind::Header ? "a second header line" : t.problem;
        if (t.kind == report::TableLine::Kind::Row && t.system != tableSystem)
            problem = *tableSystem == UnitSystem::SI ? "a row in US customary units in an SI table"
                                                     : "a row in SI units in a US customary table";
        if (sizingTable && t.kind != report::TableLine::Kind::Row &&
            text.find_first_of("\t,;") == std::string::npos)
            continue; // the size a sizing report chose, no row to recompute
        if (t.kind != report::TableLine::Kind::Row || t.system != tableSystem) {
            leaveOut(problem);
            continue;
        }
        const RecordReply row = runRecord(t.request);
        faulted += row.status == SessionStatus::Fault;
        // Computed all the same, but the reader is told.
        for (const std::string& warning : row.warnings)
            err.write("runnelex-cli batch: line " + std::to_string(lineNumber) +
                      ": warning: " + diagnostic(warning) + "\n");
        out.write(lineEnd + report::tableRow(form, row));
    }
    if (headerPending && !wroteHeader)
        writeHeader(UnitSystem::US);
    if (wroteHeader && lines.lastHadBreak())
        out.write(lineEnd);
    if (fd != 0)
        ::close(fd);
    if (readFailed)
        return cannotRead(readError.c_str());
    if (unreadable)
        return cannotRead(unreadable->c_str());
    if (leftOut > 0)
        return kLinesLeftOut;
    return faulted > 0 ? kArithmetic : kDone;
}

} // namespace

Command batchCommand() {
    Command c;
    c.name = "batch";
    c.synopsis = "  runnelex-cli batch FILE|-\n";
    c.description =
        "Reads a table in the results file format (the header line and records of 14 TAB-\n"
        "separated fields, as \"Save As...\" and \"runnelex-cli report\" write it, or rows of "
        "only\n"
        "the first 8 fields, the inputs) and writes it again with every row recomputed from\n"
        "its inputs: name, flow and its unit, diameter and its unit, slope and its unit, n.\n"
        "Unchanged rows come out byte for byte. A malformed line is reported on stderr with\n"
        "its number and left out (exit status 5). FILE - reads standard input.\n"
        "The first line tells the form: TSV when it holds a TAB, else CSV (as \"report\n"
        "--format csv\" writes it) separated by commas, or by semicolons with decimal commas\n"
        "(as European spreadsheets write it); the table comes back in the form it came in,\n"
        "its line breaks (LF or CRLF) too. A first line that is not a row is the header,\n"
        "whatever its titles; a header naming the 8 inputs is read by their names, in any\n"
        "order (\"unit\" is the unit of the column before it), other columns named once on\n"
        "stderr and ignored. Blank lines and empty trailing columns are skipped. Unit words\n"
        "are read as a person may type them (cfs, in, m3/s). An SI table (its header names m\n"
        "and m/s, or its rows SI units) is recomputed in SI; a table never mixes the two.\n"
        "The table is UTF-8: a row whose inputs are not (Windows-1252) is left out, a name\n"
        "comes back as it was; UTF-16 text and a JSON report are refused, each saying what\n"
        "to do. A line longer than 1 MiB is left out. A file that cannot be read ends the\n"
        "program with status 2.\n"
        "\n"
        "Examples:\n"
        "  runnelex-cli batch saved.txt > recomputed.txt\n"
        "  runnelex-cli report --diam 12 --slope 0.01 --vary flow=1:3:1 --format csv | \\\n"
        "      runnelex-cli batch -\n";
    c.takesPositionals = true;
    c.run = runBatch;
    return c;
}

} // namespace runnelex::cli
