// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-picture: the "picture" command of runnelex-cli, which draws with Qt. runnelex-cli
// checks the arguments and runs this program with them unchanged; its messages and exit status
// are runnelex-cli's.
#include <string>
#include <vector>

#include <QApplication>

#include "calc/display_run.h"
#include "cli/calc_command.h"
#include "cli/cli_app.h"
#include "cli/cli_calculator.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "cli/picture_command.h"
#include "picture/picture_export.h"
#include "report/quoting.h"
#include "results/save_text_file.h"

namespace runnelex::cli {

namespace {

// Qt's notes about the display it does not have (no runtime folder, window features of the
// offscreen platform) are no concern of a program that only draws into a file.
void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    static const char* const kIgnored[] = {"QStandardPaths: ", "This plugin does not support"};
    if (type == QtWarningMsg || type == QtInfoMsg || type == QtDebugMsg)
        for (const char* start : kIgnored)
            if (text.startsWith(QLatin1String(start)))
                return;
    qt_message_output(type, context, text);
}

// The smallest picture whose texts can still be read (their size follows the picture's).
constexpr QSize kSmallestPicture{560, 320};

// Draws the picture into `file`, or onto standard output (`out`) when the file is "-".
int drawPicture(const CalcSession& session, const QString& file, picture::PictureFormat format,
                QSize size, Output& out, Output& err) {
    // The offscreen platform draws everything a screen would, without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietPlatformNotes);
    static int argc = 1;
    static char name[] = "runnelex-cli";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
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
    const std::vector<Command> commands = {pictureCommand(drawCommand)};
    return runCli(args, commands, out, err);
}
