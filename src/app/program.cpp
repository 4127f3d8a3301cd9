// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QIcon>

#include "app/program_arguments.h"
#include "info/info_resources.h"
#include "platform/session_bus.h"
#include "ui/main/window_placement.h"
#include "version/version.h"

namespace runnelex {

Program::Program(UnitSystem system)
    : results_(boxes_, saveDialog_), info_(boxes_),
      window_(boxes_, results_, info_, &FrmRunnelex::endEventLoop, nullptr, system),
      rangeReport_(window_, boxes_, saveDialog_), picture_(window_, boxes_, saveDialog_),
      sections_(window_, boxes_, results_, saveDialog_),
      sheet_(window_, boxes_, saveDialog_, printDialog_) {
    info_.setOwner(&window_);
    sections_.setSheetOpener([this](ToolHost& calculator) { sheet_.openFor(calculator); });
    // Narrowed, the results window would scroll sideways: it takes a place beside the main
    // window only where a whole record line fits.
    results_.setPlacement([this](QWidget& w, QSize preferred) {
        placeBeside(w, window_, preferred, QSize(preferred.width(), 0));
    });
    window_.addUnitSystemItem();
}

namespace {

int ended(const ProgramArguments& asked) {
    std::fputs(asked.out.c_str(), stdout);
    std::fputs(asked.err.c_str(), stderr);
    return *asked.exitStatus;
}

} // namespace

int runProgram(int argc, char** argv, const std::function<void(Program&)>& started) {
    // Before the application object: without a display Qt ends the process at once.
    const ProgramArguments asked =
        readProgramArguments(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (asked.exitStatus)
        return ended(asked);
    session_bus::noAutolaunch(); // before Qt can look for a bus
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(version::kAppTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(version::kText));
    QApplication::setWindowIcon(QIcon(QString::fromUtf8(kProgramIconResource)));
    // The desktop file's name, so the window system can match windows to the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kelvara.runnelex"));

    // Qt has taken its own arguments out: one it let through unused is refused.
    const QStringList left = QCoreApplication::arguments();
    for (qsizetype i = 1; i < left.size(); ++i)
        if (left[i] != QStringLiteral("--si"))
            return ended(refusedArgument(left[i].toStdString()));
    Program program(asked.system);
    program.mainWindow().show();
    if (started)
        started(program);
    return QApplication::exec();
}

} // namespace runnelex
