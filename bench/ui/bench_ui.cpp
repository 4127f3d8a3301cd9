// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's cost: one accepted entry (Enter in the flow box until every label is
// written), and start-up to the first painted window against a bare Qt window.
#include <chrono>

#include <benchmark/benchmark.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>

#include "null_info_menu.h"
#include "null_results_log.h"
#include "picture/frm_pipe_picture.h"
#include "picture/pipe_picture_tool.h"
#include "platform/message_boxes.h"
#include "results/qt_save_dialog.h"
#include "ui/main/frm_runnelex.h"

namespace {

void pressEnter(QWidget* box) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(box, &press);
}

// The main window hidden (as before the picture window existed), shown alone, shown with the
// picture window open, or with the picture window open and its deferred refresh (and the
// repaints) let run after every Enter.
enum class Beside { Hidden, Shown, Picture, PictureRefreshed };

// Enter in the flow box of the worked pipe (12 in., 0.01 ft/ft, n 0.013).
void BM_EnterFlow(benchmark::State& state, const char* flow, Beside beside) {
    runnelex::QtMessageBoxes boxes;
    runnelex::bench::NullResultsLog log;
    runnelex::bench::NullInfoMenu info;
    runnelex::FrmRunnelex window(boxes, log, info);
    runnelex::QtSaveDialog dialog;
    runnelex::PipePictureTool picture(window, boxes, dialog);
    if (beside != Beside::Hidden)
        window.show();
    if (beside == Beside::Picture || beside == Beside::PictureRefreshed)
        picture.mnuPipePicture_Click();
    QCoreApplication::processEvents(); // shown and drawn once
    auto* diam = window.findChild<QLineEdit*>(QStringLiteral("txtDiam"));
    auto* slope = window.findChild<QLineEdit*>(QStringLiteral("txtSlope"));
    auto* q = window.findChild<QLineEdit*>(QStringLiteral("txtQinput"));
    auto* vfull = window.findChild<QLabel*>(QStringLiteral("lblrVfull"));
    diam->setText(QStringLiteral("12"));
    pressEnter(diam);
    slope->setText(QStringLiteral("0.01"));
    pressEnter(slope);
    q->setText(QString::fromLatin1(flow));
    QCoreApplication::processEvents();
    const int before = picture.window() ? picture.window()->refreshCount() : 0;
    for (auto _ : state) {
        vfull->clear();
        pressEnter(q);
        benchmark::DoNotOptimize(vfull->text().size());
        if (beside == Beside::PictureRefreshed) {
            // The window's deferred refresh and the repaints of both windows.
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(picture.window()->refreshCount());
        }
    }
    if (vfull->text().isEmpty())
        state.SkipWithError("the run did not reach the last label");
    if (beside == Beside::PictureRefreshed && picture.window()->refreshCount() == before)
        state.SkipWithError("the picture never refreshed");
}
BENCHMARK_CAPTURE(BM_EnterFlow, worked_example_2cfs, "2", Beside::Hidden)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EnterFlow, near_Qmax_3_83cfs, "3.83", Beside::Hidden)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EnterFlow, worked_example_2cfs_shown, "2", Beside::Shown)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EnterFlow, near_Qmax_3_83cfs_shown, "3.83", Beside::Shown)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EnterFlow, worked_example_2cfs_picture_open, "2", Beside::Picture)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EnterFlow, near_Qmax_3_83cfs_picture_open, "3.83", Beside::Picture)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EnterFlow, worked_example_2cfs_picture_refreshed, "2",
                  Beside::PictureRefreshed)
    ->Unit(benchmark::kMicrosecond);

// Process start to the first paint of its only window, offscreen.
void BM_StartupToFirstPaint(benchmark::State& state, const char* mode) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess probe;
        probe.setProcessEnvironment(env);
        const auto start = std::chrono::steady_clock::now();
        probe.start(QStringLiteral(RUNNELEX_STARTUP_PROBE), {QString::fromLatin1(mode)});
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
            state.SkipWithError("the probe did not finish");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK_CAPTURE(BM_StartupToFirstPaint, empty_qwidget, "empty")
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupToFirstPaint, qwidget_with_label, "label")
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupToFirstPaint, frmRunnelex, "runnelex")
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
