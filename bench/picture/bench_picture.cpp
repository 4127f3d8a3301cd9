// SPDX-License-Identifier: GPL-3.0-or-later
// What the picture window does after a run, piece by piece: the model (curve, peaks, both
// normal depths), sizing over the default diameters, and drawing the picture.
#include <benchmark/benchmark.h>

#include "picture/picture_export.h"
#include "sizing/pipe_sizing.h"

namespace {

runnelex::CalcInputs workedPipe(double q) {
    runnelex::CalcInputs in;
    in.Dims[0] = 1;
    in.SlopeFtFt = 0.01;
    in.Qcfs = q;
    return in;
}

void BM_PictureModel(benchmark::State& state) {
    const runnelex::CalcInputs in = workedPipe(state.range(0) == 0 ? 2.0 : 3.7);
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::picture::buildPictureModel(in));
}
BENCHMARK(BM_PictureModel)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SizeDefaultList(benchmark::State& state) {
    const runnelex::CalcInputs in = workedPipe(2.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::sizing::sizePipe(in, runnelex::CalcEntry{},
                                                            runnelex::sizing::defaultSizesInches(),
                                                            runnelex::sizing::Criteria{}));
}
BENCHMARK(BM_SizeDefaultList)->Unit(benchmark::kMicrosecond);

void BM_EncodePicture(benchmark::State& state) {
    const auto format = static_cast<runnelex::picture::PictureFormat>(state.range(0));
    const runnelex::picture::PictureModel model =
        runnelex::picture::buildPictureModel(workedPipe(3.7));
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::picture::encodePicture(
            model, format, runnelex::picture::kDefaultPictureSize));
}
// 0 PNG, 1 SVG, 2 PDF, at 960x540.
BENCHMARK(BM_EncodePicture)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
