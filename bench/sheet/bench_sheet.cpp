// SPDX-License-Identifier: GPL-3.0-or-later
// The worked example's sheet on Letter: its layout alone, and the whole PDF painted into
// memory (the layout, the pages, the drawings and the embedded fonts), with its pages and size.
#include <benchmark/benchmark.h>

#include <QBuffer>

#include "calc/calc_session.h"
#include "sheet/sheet_builder.h"
#include "sheet_render/sheet_layout.h"
#include "sheet_render/sheet_pdf.h"

namespace {

runnelex::sheet::SheetDocument workedSheet() {
    runnelex::CalcSession session;
    using runnelex::TextBox;
    for (const auto& [box, text] :
         {std::pair{TextBox::Diam, "12"}, {TextBox::Slope, "0.01"}, {TextBox::Flow, "2"}}) {
        session.setText(box, text);
        session.commit(box);
    }
    return runnelex::sheet::buildSheet(session, {"Main Street", "", "", "", "2026-12-08"});
}

void BM_SheetLayout(benchmark::State& state) {
    const runnelex::sheet::SheetDocument doc = workedSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::sheet::SheetLayout(doc, runnelex::sheet::Paper::Letter));
}
BENCHMARK(BM_SheetLayout)->Unit(benchmark::kMillisecond);

void BM_SheetPdf(benchmark::State& state) {
    const runnelex::sheet::SheetDocument doc = workedSheet();
    qint64 bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        QByteArray pdfBytes;
        QBuffer buffer(&pdfBytes);
        buffer.open(QIODevice::WriteOnly);
        const runnelex::sheet::SheetLayout layout(doc, runnelex::sheet::Paper::Letter);
        runnelex::sheet::SheetPdf pdf(buffer, layout.paper(), "bench");
        pdf.add(layout, layout.pageCount());
        pdf.finish();
        bytes = pdfBytes.size();
        pages = layout.pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SheetPdf)->Unit(benchmark::kMillisecond);

} // namespace
