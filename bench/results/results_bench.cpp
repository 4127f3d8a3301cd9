// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <malloc.h>
#include <string>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/message_boxes.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/save_dialog.h"

namespace runnelex {
namespace {

constexpr int kHeld = 100000;

const std::string kRecord = "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t"
                            "15.9965\t17.1993";

class NoBoxes final : public MessageBoxes {
public:
    void show(QWidget*, const QString& prompt) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(prompt));
        std::abort();
    }
};

class FixedDialog final : public SaveDialog {
public:
    QString name;
    std::optional<QString> chooseSaveFile(QWidget*, const SaveDialogRequest&) override {
        return name;
    }
};

// The shown results window holding kHeld records.
struct Session {
    NoBoxes boxes;
    FixedDialog dialog;
    ModResults mod{boxes, dialog};
    Session() {
        mod.showResultsWindow();
        for (int i = 0; i < kHeld; ++i)
            mod.AddResult(kRecord);
        QCoreApplication::processEvents();
    }
};

// The heap in use: every arena's blocks and the large blocks mapped apart.
double heapBytes() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd);
}

// The memory a held record costs, the shown window's box included: the heap before and after
// 100,000 records, per record.
void BM_HeldRecordBytes(benchmark::State& state) {
    double perRecord = 0;
    for (auto _ : state) {
        NoBoxes boxes;
        FixedDialog dialog;
        ModResults mod{boxes, dialog};
        mod.showResultsWindow();
        QCoreApplication::processEvents();
        const double before = heapBytes();
        for (int i = 0; i < kHeld; ++i)
            mod.AddResult(kRecord);
        QCoreApplication::processEvents();
        perRecord = (heapBytes() - before) / kHeld;
    }
    state.counters["bytes_per_record"] = perRecord;
}
BENCHMARK(BM_HeldRecordBytes)->Unit(benchmark::kMillisecond)->Iterations(1);

// "No&w" with the box showing the held text: one line is added.
void BM_RecordWith100kHeld(benchmark::State& state) {
    Session s;
    for (auto _ : state) {
        s.mod.AddResult(kRecord);
        QCoreApplication::processEvents(); // repaint the shown window
    }
    state.counters["held"] = static_cast<double>(s.mod.text().recordCount());
}
BENCHMARK(BM_RecordWith100kHeld)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The same after the user typed into the box (which opened its editable copy): the copy and
// what was typed are dropped for the held lines.
void BM_RecordWith100kHeldAfterAnEdit(benchmark::State& state) {
    Session s;
    auto* box = s.mod.window()->findChild<QAbstractScrollArea*>(QStringLiteral("RichTextResults"));
    for (auto _ : state) {
        state.PauseTiming();
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(box, &typed);
        if (!s.mod.window()->findChild<QPlainTextEdit*>()) {
            std::fprintf(stderr, "the box did not open for editing\n");
            std::abort();
        }
        state.ResumeTiming();
        s.mod.AddResult(kRecord);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_RecordWith100kHeldAfterAnEdit)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(5);

// "Save As..." of 100,000 records to a new file.
void BM_Save100k(benchmark::State& state) {
    Session s;
    QTemporaryDir dir;
    s.dialog.name = dir.filePath(QStringLiteral("results.txt"));
    auto* save = s.mod.window()->findChild<QPushButton*>(QStringLiteral("cmdSaveResults"));
    for (auto _ : state)
        save->click();
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(s.mod.text().fullText().size()));
}
BENCHMARK(BM_Save100k)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace
} // namespace runnelex
