// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <QApplication>
#include <QIcon>

#include "info/info_resources.h"
#include "platform/session_bus.h"
#include "version/version.h"

namespace runnelex {

Program::Program(UnitSystem system)
    : results_(boxes_, saveDialog_), info_(boxes_),
      window_(boxes_, results_, info_, &FrmRunnelex::endEventLoop, nullptr, system),
      rangeReport_(window_, boxes_, saveDialog_), picture_(window_, boxes_, saveDialog_),
      sections_(window_, boxes_, results_) {
    info_.setOwner(&window_);
    window_.addUnitSystemItem();
}

int runProgram(int argc, char** argv, const std::function<void(Program&)>& started) {
    session_bus::noAutolaunch(); // before Qt can look for a bus
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(version::kAppTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(version::kText));
    QApplication::setWindowIcon(QIcon(QString::fromUtf8(kProgramIconResource)));
    // The desktop file's name, so the window system can match windows to the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kelvara.runnelex"));

    // Qt has taken its own arguments out; --si is the program's.
    const QStringList arguments = QCoreApplication::arguments();
    Program program(arguments.contains(QStringLiteral("--si")) ? UnitSystem::SI : UnitSystem::US);
    program.mainWindow().show();
    if (started)
        started(program);
    return QApplication::exec();
}

} // namespace runnelex
