// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program fits a small screen: opened as the program opens it, each lies
// inside the screen with room for its title bar, and each can be made as small as a 1280x720
// screen with its title bar; on a wide screen the tool windows stand beside the main window.
// Usage: window_fit_test WIDTHxHEIGHT (the offscreen screen; on X11 the X server's screen).
#include <cstdio>

#include <QApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/program.h"
#include "picture/frm_pipe_picture.h"
#include "report_window/frm_range_report.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "sections_window/frm_sections.h"
#include "ui/main/window_placement.h"

using namespace runnelex;

namespace {

const QSize kSmallest(1280, 720);
const QSize kFrame(kBorderAllowance, kTitleBarAllowance);

// Whether the window lies inside `room` with its frame; where the window system gave it none
// (no window manager), with room for one.
bool fits(const QWidget& w, const QRect& room) {
    const QRect frame = w.frameGeometry();
    if (frame.size() != w.size())
        return room.contains(frame);
    return room.contains(frame) && frame.width() + kFrame.width() <= room.width() &&
           frame.height() + kFrame.height() <= room.height();
}

int check(Program& program) {
    program.results().showResultsWindow();
    program.info().mnuAbout_Runnelex_Click();
    program.info().mnuRunnelex_Updates_Click();
    program.info().mnuKelvara_Click();
    program.rangeReport().open();
    program.picture().mnuPipePicture_Click();
    program.sections().open();
    program.sheet().open();
    // A long record: the results window shows it whole, without scrolling sideways.
    program.results().AddResult("P1\t1000\tGPM\tbox 10x8\tft.\t0.005\tft/ft\t0.013\t0.8931\t"
                                "6.7181\t1.2528\t1.0379\t1101.1389\t1248.1931");
    QTest::qWait(50);
    const auto* box =
        program.results().window()->findChild<QAbstractScrollArea*>("RichTextResults");
    if (box->horizontalScrollBar()->maximum() > 0)
        std::printf("FAIL the results window scrolls sideways\n");
    const QRect room = program.mainWindow().screen()->availableGeometry();
    std::printf("screen %dx%d\n", room.width(), room.height());
    int faults = box->horizontalScrollBar()->maximum() > 0 ? 1 : 0;
    const auto fault = [&faults](const QWidget& w, const char* what) {
        std::printf("FAIL %s: %s\n", qPrintable(w.objectName()), what);
        ++faults;
    };
    const QWidget& main = program.mainWindow();
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
        std::printf("%-20s size %4dx%-4d least %4dx%-4d at %d,%d\n", qPrintable(w->objectName()),
                    w->width(), w->height(), least.width(), least.height(), w->x(), w->y());
        if (!fits(*w, room))
            fault(*w, "its frame leaves the screen");
        if (least.width() + kFrame.width() > kSmallest.width() ||
            least.height() + kFrame.height() > kSmallest.height())
            fault(*w, "it cannot be made small enough for 1280x720");
        const bool tool = w->objectName() == "frmRangeReport" ||
                          w->objectName() == "frmPipePicture" || w->objectName() == "frmSections" ||
                          w->objectName() == "frmSheet";
        // On a wide screen (1920 px) a tool window leaves the main window in view; from 1366
        // px on, the results and tool windows leave the main window's results in view.
        if (tool && room.width() >= 1920 && w->frameGeometry().intersects(main.frameGeometry()))
            fault(*w, "it covers the main window");
        // Where there is room beside them (the results window needs its whole record line).
        const QRect results = resultsArea(main);
        const int width = w->objectName() == "frmResults" ? w->width() : least.width();
        const bool beside = width + kFrame.width() <= room.right() - results.right();
        if ((tool || w->objectName() == "frmResults") && beside &&
            w->frameGeometry().intersects(results))
            fault(*w, "it covers the main window's results");
    }
    return faults;
}

} // namespace

int main(int argc, char** argv) {
    // The offscreen platform takes its screen from a file: the size asked for.
    QTemporaryDir dir;
    const QString size = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("1366x768");
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && dir.isValid()) {
        const QStringList wh = size.split(u'x');
        QFile config(dir.filePath("screen.json"));
        if (wh.size() != 2 || !config.open(QIODevice::WriteOnly))
            return 2;
        config.write(QStringLiteral(R"({"screens": [{"name": "small", "x": 0, "y": 0,
            "width": %1, "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                         .arg(wh[0], wh[1])
                         .toUtf8());
        config.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    }
    int faults = -1;
    const int status = runProgram(1, argv, [&faults](Program& program) {
        QTimer::singleShot(0, [&faults, &program] {
            faults = check(program);
            FrmRunnelex::endEventLoop();
        });
    });
    std::printf("%d faults\n", faults);
    return status == 0 && faults == 0 ? 0 : 1;
}
