// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/sheet_pdf_draw.h"

#include <fstream>
#include <memory>
#include <string_view>

#include <QApplication>
#include <QIODevice>

#include "cli/calc_command.h"
#include "cli/cli_app.h"
#include "cli/cli_calculator.h"
#include "cli/drawing_app.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/sheet_command.h"
#include "common/atomic_file.h"
#include "report/quoting.h"
#include "sheet/sheet_builder.h"
#include "sheet/table_sheets.h"
#include "sheet_render/atomic_file_device.h"
#include "sheet_render/sheet_layout.h"
#include "sheet_render/sheet_pdf.h"

namespace runnelex::cli {

namespace {

// Standard output as a Qt device, for --out -.
class OutputDevice final : public QIODevice {
public:
    explicit OutputDevice(Output& out) : out_(out) { open(WriteOnly | Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        return out_.write(std::string_view(data, static_cast<std::size_t>(size))) ? size : -1;
    }

private:
    Output& out_;
};

// Where the PDF goes: a file replaced in one step once all is written, or standard output.
class PdfSink {
public:
    PdfSink(const std::string& name, Output& out) : name_(name), out_(out) {
        if (name == "-") {
            device_ = std::make_unique<OutputDevice>(out);
        } else {
            file_ = std::make_unique<AtomicFile>(name);
            device_ = std::make_unique<AtomicFileDevice>(*file_);
            device_->open(QIODevice::WriteOnly);
        }
    }
    QIODevice& device() { return *device_; }
    // False when the file cannot be opened: nothing is to be painted.
    bool ready() const { return device_->isOpen(); }
    // Writes the failure, if any, and returns the exit status.
    int finish(bool painted, Output& err, int status) {
        if (file_ ? painted && file_->commit() : painted && out_.flush())
            return status;
        if (file_)
            err.write("runnelex-cli: cannot write " + quoted(name_) + ": " +
                      (file_->error().empty() ? std::string("the PDF could not be drawn")
                                              : file_->error()) +
                      "\n");
        return kOutputFailed;
    }

private:
    std::string name_;
    Output& out_;
    std::unique_ptr<AtomicFile> file_;
    std::unique_ptr<QIODevice> device_;
};

std::string documentTitle(const sheet::SheetDocument& doc) {
    std::string title = doc.heading;
    if (!doc.subject.empty())
        title.append(": ").append(doc.subject);
    return title;
}

int drawOne(const ParsedArgs& a, const SheetOrder& order, Output& out, Output& err) {
    CliCalculator calculator;
    if (const int status = calculator.run(calcRequestFrom(a), err, "sheet"); status != kDone)
        return status;
    const sheet::SheetDocument doc = sheet::buildSheet(calculator.session(), order.title);
    const auto app = startDrawing();
    const sheet::SheetLayout layout(doc, order.paper.value_or(sheet::defaultPaper(doc.system)));
    PdfSink sink(order.out, out);
    if (!sink.ready())
        return sink.finish(false, err, kDone);
    sheet::SheetPdf pdf(sink.device(), layout.paper(), documentTitle(doc));
    pdf.add(layout, layout.pageCount());
    return sink.finish(pdf.finish(), err, kDone);
}

// Two passes over the table: the first counts the pages (the index's and every sheet's), so
// that each page can say "page N of M"; the second paints. One sheet is held at a time.
int drawTable(const SheetOrder& order, Output& out, Output& err) {
    const std::string& name = *order.table;
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        err.write("runnelex-cli: cannot read " + quoted(name) + ": no such readable file\n");
        return kUsage;
    }
    const auto app = startDrawing();
    sheet::SheetIndex index;
    index.source = name;
    std::optional<sheet::Paper> paper = order.paper; // else the first computed row's system's
    int pages = 0;
    const auto problem =
        sheet::readTableSheets(in, order.title, &index, [&](const sheet::SheetDocument& doc) {
            if (!paper)
                paper = sheet::defaultPaper(doc.system);
            pages += sheet::SheetLayout(doc, *paper).pageCount();
        });
    if (problem) {
        err.write("runnelex-cli: cannot read " + quoted(name) + ": " + *problem + "\n");
        return kUsage;
    }
    const sheet::SheetLayout indexLayout(index, paper.value_or(sheet::defaultPaper(index.system)));
    pages += indexLayout.pageCount();
    PdfSink sink(order.out, out);
    if (!sink.ready())
        return sink.finish(false, err, kDone);
    sheet::SheetPdf pdf(sink.device(), indexLayout.paper(), index.heading + ": " + name);
    pdf.add(indexLayout, pages);
    in.clear();
    in.seekg(0);
    sheet::readTableSheets(in, order.title, nullptr, [&](const sheet::SheetDocument& doc) {
        pdf.add(sheet::SheetLayout(doc, indexLayout.paper()), pages);
    });
    for (const std::string& line : index.leftOut) { // "line 7: why"
        const std::size_t colon = line.find(": ");
        err.write("runnelex-cli sheet: " + line.substr(0, colon) +
                  " left out: " + diagnostic(line.substr(colon + 2)) + "\n");
    }
    return sink.finish(pdf.finish(), err, index.leftOut.empty() ? kDone : kLinesLeftOut);
}

} // namespace

int drawSheetPdf(const ParsedArgs& a, Output& out, Output& err) {
    const auto parsed = sheetOrderFrom(a, err);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const SheetOrder& order = std::get<SheetOrder>(parsed);
    return order.table ? drawTable(order, out, err) : drawOne(a, order, out, err);
}

} // namespace runnelex::cli
