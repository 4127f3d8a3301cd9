// SPDX-License-Identifier: GPL-3.0-or-later
// Program start: the application title and version, the platform seams, and the main window.
#include <QApplication>
#include <QIcon>

#include "app/version.h"
#include "info/info_resources.h"
#include "info/info_windows.h"
#include "platform/message_boxes.h"
#include "report_window/range_report_tool.h"
#include "results/mod_results.h"
#include "results/qt_save_dialog.h"
#include "ui/main/frm_runnelex.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(runnelex::version::kAppTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(runnelex::version::kText));
    QApplication::setWindowIcon(QIcon(QString::fromUtf8(runnelex::kProgramIconResource)));
    // The desktop file's name, so the window system can match windows to the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kelvara.runnelex"));

    runnelex::QtMessageBoxes boxes;
    runnelex::QtSaveDialog saveDialog;
    runnelex::ModResults results(boxes, saveDialog);
    runnelex::InfoWindows info(boxes);

    runnelex::FrmRunnelex window(boxes, results, info);
    info.setOwner(&window);
    runnelex::RangeReportTool rangeReport(window, boxes, saveDialog); // Tools > Range Report...
    window.show();
    return QApplication::exec();
}
