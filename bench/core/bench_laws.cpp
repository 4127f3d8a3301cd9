// SPDX-License-Identifier: GPL-3.0-or-later
// One whole calculation under each friction law: a circle 1 ft (0.3048 m) across at 2 cfs and
// the box 3 x 2 ft at 10 cfs, slope 0.01 and 0.001, in each unit system.
#include <benchmark/benchmark.h>

#include <string>

#include "calc/calculation.h"

namespace {

using runnelex::CalcInputs;

void BM_LawCalculation(benchmark::State& state) {
    const auto& law = runnelex::friction::lawTable()[static_cast<std::size_t>(state.range(0))];
    const bool box = state.range(1) == 1, si = state.range(2) == 1;
    constexpr double kM = 0.3048, kCms = 0.028316846592;
    CalcInputs in;
    in.Shape = runnelex::sections::shapeNamed(box ? "box" : "circle");
    in.System = si ? runnelex::UnitSystem::SI : runnelex::UnitSystem::US;
    in.Dims = {(box ? 3 : 1) * (si ? kM : 1), box ? 2 * (si ? kM : 1) : 0};
    in.SlopeFtFt = box ? 0.001 : 0.01;
    in.Qcfs = (box ? 10 : 2) * (si ? kCms : 1);
    in.Law = &law;
    in.ManningN = std::stod(std::string(law.coefficient.startText));
    state.SetLabel(std::string(law.word) + (box ? " box " : " circle ") + (si ? "SI" : "US"));
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::computeCalculation(in));
}

BENCHMARK(BM_LawCalculation)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
