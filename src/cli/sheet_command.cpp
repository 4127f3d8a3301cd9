// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/sheet_command.h"

#include <fstream>

#include "cli/calc_command.h"
#include "cli/cli_app.h"
#include "cli/cli_calculator.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/synopsis.h"
#include "common/atomic_file.h"
#include "report/quoting.h"
#include "sheet/sheet_builder.h"
#include "sheet/sheet_html.h"
#include "sheet/sheet_text.h"
#include "sheet/table_sheets.h"

namespace runnelex::cli {

namespace {

constexpr const char* kTitleOptions[] = {"project", "reach", "engineer", "checker", "date"};

std::string lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::optional<SheetFormat> formatNamed(const std::string& word) {
    const std::string w = lowered(word);
    if (w == "pdf")
        return SheetFormat::Pdf;
    if (w == "html" || w == "htm")
        return SheetFormat::Html;
    if (w == "text" || w == "txt")
        return SheetFormat::Text;
    return std::nullopt;
}

std::optional<SheetFormat> formatOfFile(const std::string& file) {
    const std::size_t dot = file.rfind('.');
    if (dot == std::string::npos || file.find('/', dot) != std::string::npos)
        return std::nullopt;
    return formatNamed(file.substr(dot + 1));
}

// Where the forms go: standard output, or a file replaced in one step once all is written.
class SheetSink {
public:
    SheetSink(const std::string& out, Output& stdOut)
        : out_(stdOut), file_(out == "-" ? nullptr : new AtomicFile(out)) {}
    ~SheetSink() { delete file_; }
    SheetSink(const SheetSink&) = delete;
    SheetSink& operator=(const SheetSink&) = delete;
    bool write(std::string_view text) { return file_ ? file_->write(text) : out_.write(text); }
    // Writes the failure, if any, and returns the exit status.
    int finish(const std::string& name, Output& err, int status) {
        if (file_ ? file_->commit() : out_.flush())
            return status;
        if (file_)
            err.write("runnelex-cli: cannot write " + quoted(name) + ": " + file_->error() + "\n");
        return kOutputFailed;
    }

private:
    Output& out_;
    AtomicFile* file_;
};

int writeOne(const ParsedArgs& a, const SheetOrder& order, Output& out, Output& err) {
    CliCalculator calculator;
    if (const int status = calculator.run(calcRequestFrom(a), err, "sheet"); status != kDone)
        return status;
    const sheet::SheetDocument doc = sheet::buildSheet(calculator.session(), order.title);
    SheetSink sink(order.out, out);
    sink.write(order.format == SheetFormat::Html
                   ? sheet::sheetHtml(doc, order.paper.value_or(sheet::defaultPaper(doc.system)))
                   : sheet::sheetText(doc));
    return sink.finish(order.out, err, kDone);
}

int writeTable(const SheetOrder& order, Output& out, Output& err) {
    const std::string& name = *order.table;
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        err.write("runnelex-cli: cannot read " + quoted(name) + ": no such readable file\n");
        return kUsage;
    }
    // Read twice: the index stands first, and no more than one sheet is held.
    sheet::SheetIndex index;
    index.source = name;
    if (const auto problem = sheet::readTableSheets(in, order.title, &index, nullptr)) {
        err.write("runnelex-cli: cannot read " + quoted(name) + ": " + *problem + "\n");
        return kUsage;
    }
    const sheet::Paper paper = order.paper.value_or(sheet::defaultPaper(index.system));
    const bool html = order.format == SheetFormat::Html;
    SheetSink sink(order.out, out);
    sink.write(html ? sheet::htmlOpening(index, paper) : sheet::indexText(index));
    in.clear();
    in.seekg(0);
    sheet::readTableSheets(in, order.title, nullptr, [&](const sheet::SheetDocument& doc) {
        if (!html)
            sink.write("\n"); // a blank line between sheets
        sink.write(html ? sheet::htmlSheet(doc) : sheet::sheetText(doc));
    });
    if (html)
        sink.write(sheet::htmlClosing());
    for (const std::string& line : index.leftOut) { // "line 7: why"
        const std::size_t colon = line.find(": ");
        err.write("runnelex-cli sheet: " + line.substr(0, colon) +
                  " left out: " + diagnostic(line.substr(colon + 2)) + "\n");
    }
    return sink.finish(order.out, err, index.leftOut.empty() ? kDone : kLinesLeftOut);
}

} // namespace

std::variant<SheetOrder, int> sheetOrderFrom(const ParsedArgs& a, Output& err) {
    SheetOrder order;
    std::string* fields[] = {&order.title.project, &order.title.reach, &order.title.engineer,
                             &order.title.checker, &order.title.date};
    for (std::size_t i = 0; i < std::size(kTitleOptions); ++i)
        *fields[i] = a.value(kTitleOptions[i]).value_or("");
    const std::optional<std::string> out = a.value("out");
    if (!out)
        return usageError(err, "--out is needed (a file, or - for standard output)", "sheet");
    order.out = *out;
    // The file's form as a number, -1 for none (an optional here draws a false warning).
    const int ofFile =
        *out == "-" ? -1 : static_cast<int>(formatOfFile(*out).value_or(SheetFormat(-1)));
    if (const auto word = a.value("format")) {
        const auto named = formatNamed(*word);
        if (!named)
            return usageError(err, "--format " + quoted(*word) + ": write pdf, html or text",
                              "sheet");
        if (ofFile >= 0 && ofFile != static_cast<int>(*named))
            return usageError(err,
                              "--format " + quoted(*word) + " and the file name " + quoted(*out) +
                                  " name different forms",
                              "sheet");
        order.format = *named;
    } else if (ofFile >= 0) {
        order.format = static_cast<SheetFormat>(ofFile);
    } else if (*out != "-") {
        return usageError(err,
                          "--out " + quoted(*out) +
                              ": the file name must end in .pdf, .html or "
                              ".txt, or --format name the form",
                          "sheet");
    }
    if (const auto word = a.value("paper")) {
        const std::string w = lowered(*word);
        if (w != "letter" && w != "a4")
            return usageError(err, "--paper " + quoted(*word) + ": write letter or a4", "sheet");
        order.paper = w == "a4" ? sheet::Paper::A4 : sheet::Paper::Letter;
    }
    if (const auto table = a.value("table")) {
        for (const OptionDef& o : calcOptions())
            if (a.has(o.name))
                return usageError(err, "--" + o.name + " with --table: the table gives the inputs",
                                  "sheet");
        if (*table == "-")
            return usageError(
                err, "--table -: name a file; the table is read twice, its index first", "sheet");
        order.table = *table;
    }
    return order;
}

Command sheetCommand(std::function<int(const ParsedArgs&, Output&, Output&)> run) {
    Command c;
    c.name = "sheet";
    c.synopsis =
        synopsisLines(
            "  runnelex-cli sheet",
            calcItems({"[--project TEXT]", "[--reach TEXT]", "[--engineer TEXT]",
                       "[--checker TEXT]", "[--date TEXT]", "--out FILE.pdf|FILE.html|FILE.txt|-",
                       "[--format pdf|html|text]", "[--paper letter|a4]"})) +
        synopsisLines("  runnelex-cli sheet", {"--table FILE", "[--project TEXT] ...",
                                               "--out FILE.pdf|FILE.html|FILE.txt|-",
                                               "[--format pdf|html|text]", "[--paper letter|a4]"});
    c.description =
        "Writes the calculation sheet of the calculation that calc computes: a title block\n"
        "(project, pipe or reach, engineer, checker and date, today when not given; the pipe\n"
        "or reach is the --pipe name when not given), the inputs as typed with their units,\n"
        "the friction law with its constants, the section flowing full, the results as the\n"
        "main window shows them, the capacities, and the method: the law evaluated at the\n"
        "normal depth with the numbers put in, the critical-depth condition and the Froude\n"
        "number, and how the depths were found. PDF and HTML also draw the cross-section and\n"
        "the chart of flow and velocity against depth; text leaves the drawings out.\n"
        "The suffix of FILE chooses the form (.pdf, .html or .txt), or --format; --out -\n"
        "writes to standard output (text unless --format says otherwise). The file is\n"
        "replaced in one step. --paper: Letter by default in US customary units, A4 in SI.\n"
        "--table FILE reads a table as batch does and writes one sheet per row after a first\n"
        "page that lists every row (name, size, Q, depth, velocity, capacity, surcharged);\n"
        "rows left out are named on that page and on stderr (exit status 5).\n"
        "\n"
        "Examples:\n"
        "  runnelex-cli sheet --diam 12 --slope 0.01 --flow 2 --project 'Elm Street' \\\n"
        "      --reach 'MH 4 - MH 5' --out sheet.pdf\n"
        "  runnelex-cli sheet --table saved.txt --out sheets.html\n";
    c.options = calcOptions();
    for (const char* word : kTitleOptions)
        c.options.push_back({word});
    for (const char* word : {"out", "format", "paper", "table"})
        c.options.push_back({word});
    c.run = std::move(run);
    return c;
}

int runSheet(const ParsedArgs& a, Output& out, Output& err,
             const std::function<int(const ParsedArgs&, Output&, Output&)>& drawPdf) {
    const auto parsed = sheetOrderFrom(a, err);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const SheetOrder& order = std::get<SheetOrder>(parsed);
    if (order.format == SheetFormat::Pdf)
        return drawPdf(a, out, err);
    return order.table ? writeTable(order, out, err) : writeOne(a, order, out, err);
}

} // namespace runnelex::cli
