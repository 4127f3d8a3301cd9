// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <QApplication>
#include <QIcon>

#include "info/info_resources.h"
#include "platform/session_bus.h"
#include "version/version.h"

namespace runnelex {

Program::Program()
    : results_(boxes_, saveDialog_), info_(boxes_), window_(boxes_, results_, info_),
      rangeReport_(window_, boxes_, saveDialog_), picture_(window_, boxes_, saveDialog_),
      sections_(window_, boxes_, results_) {
    info_.setOwner(&window_);
}

int runProgram(int argc, char** argv, const std::function<void(Program&)>& started) {
    session_bus::noAutolaunch(); // before Qt can look for a bus
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(version::kAppTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(version::kText));
    QApplication::setWindowIcon(QIcon(QString::fromUtf8(kProgramIconResource)));
    // The desktop file's name, so the window system can match windows to the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kelvara.runnelex"));

    Program program;
    program.mainWindow().show();
    if (started)
        started(program);
    return QApplication::exec();
}

} // namespace runnelex
