// SPDX-License-Identifier: GPL-3.0-or-later
// A million rows in the Range Report window: how long they take to fill the shown table, how
// long the event loop ever waits meanwhile, what a row costs in memory, and what showing,
// scrolling and saving them costs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <random>

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "platform/message_boxes.h"
#include "report/packed_rows.h"
#include "report/report_plan.h"
#include "report/report_rows.h"
#include "report_window/frm_range_report.h"
#include "report_window/report_model.h"
#include "results/save_dialog.h"

namespace runnelex {
namespace {

using Clock = std::chrono::steady_clock;

class NoBoxes final : public MessageBoxes {
public:
    void show(QWidget*, const QString& prompt) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(prompt));
        std::abort();
    }
};

class NoDialog final : public SaveDialog {
public:
    std::optional<QString> chooseSaveFile(QWidget*, const SaveDialogRequest&) override {
        return std::nullopt;
    }
};

// The resident set of the process, in bytes.
double residentBytes() {
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096.0;
}

// The processor time of the calling thread.
double threadSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The shown window with the worked pipe's flows 0.001 to 10 cfs in steps of 0.00001: 999 901
// rows.
struct Session {
    NoBoxes boxes;
    NoDialog dialog;
    FrmRangeReport window{boxes, dialog, [] {
                              return CalcEntry{};
                          }};
    Session() {
        window.findChild<QLineEdit*>("txtDiam")->setText("12");
        window.findChild<QLineEdit*>("txtSlope")->setText("0.01");
        window.findChild<QLineEdit*>("txtVary1")->setText("0.001:10:0.00001");
        window.show();
        QCoreApplication::processEvents();
    }
    QTableView* table() { return window.findChild<QTableView*>("grdRows"); }
    const ReportModel& model() { return *static_cast<ReportModel*>(table()->model()); }
    // The longest the event loop went without turning (in seconds), and the most processor
    // time the GUI thread spent in that while: a stall of the machine, or work of the window.
    struct Stalls {
        double wall = 0, busy = 0;
    };
    // Runs the report to its end.
    Stalls run() {
        Stalls stalls;
        auto last = Clock::now();
        double lastBusy = threadSeconds();
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, &tick, [&] {
            const auto now = Clock::now();
            const double busy = threadSeconds();
            stalls.wall = std::max(stalls.wall, std::chrono::duration<double>(now - last).count());
            stalls.busy = std::max(stalls.busy, busy - lastBusy);
            last = now;
            lastBusy = busy;
        });
        QEventLoop loop;
        QTimer done;
        QObject::connect(&done, &QTimer::timeout, &loop, [&] {
            if (!window.busy())
                loop.quit();
        });
        tick.start();
        done.start(20);
        window.findChild<QPushButton*>("cmdRun")->click();
        loop.exec();
        return stalls;
    }
};

// One million-row table for the benchmarks that read it, gone before the application.
std::unique_ptr<Session>& sessionSlot() {
    static std::unique_ptr<Session> s;
    return s;
}
Session& session() {
    if (!sessionSlot())
        sessionSlot() = std::make_unique<Session>();
    return *sessionSlot();
}

void BM_FillShownTableMillionRows(benchmark::State& state) {
    Session& s = session();
    const double before = residentBytes();
    Session::Stalls stalls;
    for (auto _ : state)
        stalls = s.run();
    const double rows = static_cast<double>(s.model().rows().size());
    state.counters["rows"] = rows;
    state.counters["rows_per_s"] = benchmark::Counter(rows, benchmark::Counter::kIsRate);
    state.counters["longest_stall_ms"] = stalls.wall * 1000;
    state.counters["longest_gui_work_ms"] = stalls.busy * 1000;
    state.counters["bytes_per_row"] = static_cast<double>(s.model().rows().bytes()) / rows;
    state.counters["rss_growth_per_row"] = (residentBytes() - before) / rows;
}
BENCHMARK(BM_FillShownTableMillionRows)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// One row's 14 cells as the view asks for them, anywhere in the table.
void BM_ShowRow(benchmark::State& state) {
    Session& s = session();
    if (s.model().rowCount() == 0)
        s.run();
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> pick(0, s.model().rowCount() - 1);
    for (auto _ : state) {
        const int row = pick(rng);
        for (int c = 0; c < s.model().columnCount(); ++c)
            benchmark::DoNotOptimize(s.model().index(row, c).data());
    }
}
BENCHMARK(BM_ShowRow)->Unit(benchmark::kMicrosecond);

// A jump anywhere in the million rows and a full repaint of the view.
void BM_ScrollAndPaint(benchmark::State& state) {
    Session& s = session();
    if (s.model().rowCount() == 0)
        s.run();
    QScrollBar* bar = s.table()->verticalScrollBar();
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> pick(0, bar->maximum());
    for (auto _ : state) {
        bar->setValue(pick(rng));
        s.table()->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollAndPaint)->Unit(benchmark::kMillisecond);

// The bytes "Save As..." writes for the million rows (TSV), without the disk.
void BM_WriteMillionRows(benchmark::State& state) {
    Session& s = session();
    if (s.model().rowCount() == 0)
        s.run();
    const std::atomic<bool> cancel{false};
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string out;
        std::atomic<std::uint64_t> done{0};
        report::writeRows(report::Format::Tsv, *s.model().plan(), s.model().rows(),
                          {{0, s.model().rows().size() - 1}}, true, out, cancel, done);
        bytes = out.size();
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WriteMillionRows)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();

// Packing one computed row.
void BM_PackRow(benchmark::State& state) {
    CalcRequest request;
    request.setDimension("diam", "12");
    request.slope = "0.01";
    request.flow = "2";
    const RecordReply row = runRecord(request);
    report::PackedChunk chunk;
    std::size_t n = 0;
    for (auto _ : state) {
        if (++n % 4096 == 0)
            chunk = {};
        chunk.add(row);
    }
}
BENCHMARK(BM_PackRow);

} // namespace
} // namespace runnelex

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    runnelex::sessionSlot().reset();
    return 0;
}
