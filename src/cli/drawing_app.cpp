// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/drawing_app.h"

#include <QApplication>

namespace runnelex::cli {

namespace {

void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    static const char* const kIgnored[] = {"QStandardPaths: ", "This plugin does not support"};
    if (type == QtWarningMsg || type == QtInfoMsg || type == QtDebugMsg)
        for (const char* start : kIgnored)
            if (text.startsWith(QLatin1String(start)))
                return;
    qt_message_output(type, context, text);
}

} // namespace

std::unique_ptr<QApplication> startDrawing() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietPlatformNotes);
    static int argc = 1;
    static char name[] = "runnelex-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace runnelex::cli
