// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-picture: the commands of runnelex-cli that draw with Qt, "picture" and "sheet" in
// PDF form. runnelex-cli checks the arguments and runs this program with them unchanged; its
// messages and exit status are runnelex-cli's.
#include <string>
#include <vector>

#include <QApplication>

#include "calc/display_run.h"
#include "cli/calc_command.h"
#include "cli/cli_app.h"
#include "cli/cli_calculator.h"
#include "cli/drawing_app.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/picture_command.h"
#include "cli/sheet_command.h"
#include "cli/sheet_pdf_draw.h"
#include "picture/picture_export.h"
#include "report/quoting.h"
#include "results/save_text_file.h"

namespace runnelex::cli {

namespace {

// The smallest picture whose texts can still be read (their size follows the picture's).
constexpr QSize kSmallestPicture{560, 320};

// Draws the picture into `file`, or onto standard output (`out`) when the file is "-".
int drawPicture(const CalcSession& session, const QString& file, picture::PictureFormat format,
                QSize size, Output& out, Output& err) {
    const auto app = startDrawing();
    const CalcEntry entry = session.entry();
    const picture::PictureModel model = picture::buildPictureModel(session.inputs(), &entry);
    if (model.fault) {
        err.write("runnelex-cli: " + diagnostic(calcFaultMessage(*model.fault)) + '\n');
        return kArithmetic;
    }
    const picture::EncodedPicture encoded = picture::encodePicture(model, format, size);
    if (encoded.bytes.isEmpty()) {
        err.write("runnelex-cli: cannot draw the picture: " + encoded.error.toStdString() + '\n');
        return kOutputFailed;
    }
    if (file == QStringLiteral("-")) {
        out.write(std::string_view(encoded.bytes.constData(),
                                   static_cast<std::size_t>(encoded.bytes.size())));
        return kDone; // a failed write is the caller's to report
    }
    if (const auto error = saveTextFile(file, encoded.bytes)) {
        err.write("runnelex-cli: cannot write " + quoted(file.toStdString()) + ": " +
                  error->toStdString() + '\n');
        return kOutputFailed;
    }
    return kDone;
}

int drawCommand(const ParsedArgs& a, Output& output, Output& err) {
    const std::optional<std::string> out = a.value("out");
    if (!out)
        return usageError(err, "--out is needed (a file, or - for standard output)", "picture");
    const QString file = QString::fromStdString(*out);
    const std::optional<std::string> formatName = a.value("format");
    if (formatName && file != QStringLiteral("-"))
        return usageError(err, "--format: the suffix of the file name chooses the format",
                          "picture");
    const auto format = file == QStringLiteral("-")
                            ? picture::pictureFormatFor(
                                  QStringLiteral("picture.") +
                                  QString::fromStdString(formatName.value_or("png")).toLower())
                            : picture::pictureFormatFor(file);
    if (!format && formatName)
        return usageError(err, "--format " + quoted(*formatName) + ": write png, svg or pdf",
                          "picture");
    if (!format)
        return usageError(err,
                          "--out " + quoted(*out) +
                              ": the file name must end in .png, "
                              ".svg or .pdf",
                          "picture");
    QSize size = picture::kDefaultPictureSize;
    if (const auto text = a.value("size")) {
        const auto parsed = picture::parsePictureSize(QString::fromStdString(*text));
        if (!parsed)
            return usageError(
                err, "--size " + quoted(*text) + ": WIDTHxHEIGHT in pixels, each 16 to 10000",
                "picture");
        size = *parsed;
        if (size.width() < kSmallestPicture.width() || size.height() < kSmallestPicture.height())
            return usageError(err,
                              "--size " + quoted(*text) + ": too small to read; the smallest is " +
                                  std::to_string(kSmallestPicture.width()) + "x" +
                                  std::to_string(kSmallestPicture.height()),
                              "picture");
    }
    CliCalculator calculator;
    if (const int status = calculator.run(calcRequestFrom(a), err, "picture"); status != kDone)
        return status;
    return drawPicture(calculator.session(), file, *format, size, output, err);
}

} // namespace
} // namespace runnelex::cli

int main(int argc, char** argv) {
    using namespace runnelex::cli;
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    FdOutput out(1);
    FdOutput err(2);
    const std::vector<Command> commands = {pictureCommand(drawCommand), sheetCommand(drawSheetPdf)};
    return runCli(args, commands, out, err);
}
