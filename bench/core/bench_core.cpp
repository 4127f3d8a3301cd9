// SPDX-License-Identifier: GPL-3.0-or-later
// One whole calculation and its display, and the two depth searches with the literal bisection
// and march they reproduce.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "calc/calculation.h"
#include "calc/display_run.h"
#include "engine/hydrocalc.h"

namespace {

using runnelex::CalcInputs;

// D = 1 ft, S = 0.01, n = 0.013; the flow picks the case.
CalcInputs pipeWithFlow(double q) {
    CalcInputs in;
    in.Dims[0] = 1;
    in.SlopeFtFt = 0.01;
    in.Qcfs = q;
    return in;
}

double qmax() {
    return *runnelex::computeCalculation(pipeWithFlow(0)).Qmax;
}

// Case 0: the worked example (2 cfs); 1: just below Qmax; 2: 1e-06 cfs.
CalcInputs caseInputs(int which) {
    switch (which) {
    case 0:
        return pipeWithFlow(2);
    case 1:
        return pipeWithFlow(qmax() * (1 - 1e-9));
    default:
        return pipeWithFlow(1e-06);
    }
}

const char* caseName(int which) {
    return which == 0 ? "worked_example" : which == 1 ? "near_Qmax" : "Q_1e-06";
}

void BM_ComputeCalculation(benchmark::State& state) {
    const CalcInputs in = caseInputs(static_cast<int>(state.range(0)));
    state.SetLabel(caseName(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::computeCalculation(in));
}

// A box 3 x 2 ft at 0.001 ft/ft, n 0.013: the engine's own rectangle carrying 10 cfs, just below
// its flow at 0.93 of the rise, and 1e-06 cfs.
void BM_BoxCalculation(benchmark::State& state) {
    CalcInputs in;
    in.Shape = runnelex::sections::shapeNamed("box");
    in.Dims = {3, 2};
    in.SlopeFtFt = 0.001;
    in.Qcfs = 0;
    const double qmax = *runnelex::computeCalculation(in).Qmax;
    const double flows[] = {10, qmax * (1 - 1e-9), 1e-06};
    in.Qcfs = flows[state.range(0)];
    state.SetLabel(caseName(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::computeCalculation(in));
}

// The same pipe in each unit system: shape 0 a circle 1 ft (0.3048 m) across at 2 cfs, 1 the
// box 3 x 2 ft (0.9144 x 0.6096 m) at 10 cfs; slope 0.01 and 0.001, n 0.013. US customary
// runs the circle through the program's bisection and march, SI through the exact depths.
void BM_SystemCalculation(benchmark::State& state) {
    const bool box = state.range(0) == 1, si = state.range(1) == 1;
    constexpr double kM = 0.3048, kCms = 0.028316846592;
    CalcInputs in;
    in.Shape = runnelex::sections::shapeNamed(box ? "box" : "circle");
    in.System = si ? runnelex::UnitSystem::SI : runnelex::UnitSystem::US;
    in.Dims = {(box ? 3 : 1) * (si ? kM : 1), box ? 2 * (si ? kM : 1) : 0};
    in.SlopeFtFt = box ? 0.001 : 0.01;
    in.Qcfs = (box ? 10 : 2) * (si ? kCms : 1);
    state.SetLabel(std::string(box ? "box " : "circle ") + (si ? "SI" : "US"));
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::computeCalculation(in));
}

// The arc shapes: shape 0 the elliptical pipe 60 x 38 in. at 0.01 ft/ft, 1 the horseshoe 8 ft
// at 0.001 ft/ft, 2 the egg 4.5 ft high at 0.005 ft/ft, n 0.013; case 0 a flow about a third of
// the flow at 0.93 of the rise (50, 100 and 20 cfs), 1 just below that flow (two normal depths),
// 2 1e-06 cfs.
void BM_ArcShapeCalculation(benchmark::State& state) {
    static const char* const kWords[] = {"ellipse", "horseshoe", "egg"};
    const auto shape = state.range(0);
    CalcInputs in;
    in.Shape = runnelex::sections::shapeNamed(kWords[shape]);
    in.Dims = shape == 0 ? runnelex::sections::Dimensions{5, 38.0 / 12}
                         : runnelex::sections::Dimensions{shape == 1 ? 8 : 4.5};
    in.SlopeFtFt = shape == 0 ? 0.01 : shape == 1 ? 0.001 : 0.005;
    in.Qcfs = 0;
    const double qmax = *runnelex::computeCalculation(in).Qmax;
    const double flows[] = {shape == 0   ? 50.0
                            : shape == 1 ? 100.0
                                         : 20.0,
                            qmax * (1 - 1e-9), 1e-06};
    in.Qcfs = flows[state.range(1)];
    state.SetLabel(
        std::string(kWords[shape]).append(" ").append(caseName(static_cast<int>(state.range(1)))));
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::computeCalculation(in));
}

// The shapes given by texts: shape 0 the concrete arch 58.5 x 36 in. by its family at 0.01 ft/ft,
// 1 a custom outline of 100 points (a 5 ft circle's polygon) at 0.001 ft/ft; cases as above.
void BM_TextShapeCalculation(benchmark::State& state) {
    const bool custom = state.range(0) == 1;
    CalcInputs in;
    in.Shape = runnelex::sections::shapeNamed(custom ? "custom" : "arch");
    if (custom) {
        for (int i = 0; i < 100; ++i) {
            const double y = 5.0 * (1 - std::cos(3.141592653589793 * i / 99)) / 2;
            in.Texts[0].push_back(y);
            in.Texts[0].push_back(i == 99 ? 0.0 : 2 * std::sqrt(y * (5.0 - y)));
        }
    } else {
        in.Dims = {58.5 / 12, 3};
        in.Texts[2] = {1}; // the concrete family
    }
    in.SlopeFtFt = custom ? 0.001 : 0.01;
    in.Qcfs = 0;
    const double qmax = *runnelex::computeCalculation(in).Qmax;
    const double flows[] = {qmax / 3, qmax * (1 - 1e-9), 1e-06};
    in.Qcfs = flows[state.range(1)];
    state.SetLabel(std::string(custom ? "custom 100 points " : "arch ") +
                   caseName(static_cast<int>(state.range(1))));
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::computeCalculation(in));
}

void BM_DisplayRun(benchmark::State& state) {
    const CalcInputs in = caseInputs(static_cast<int>(state.range(0)));
    state.SetLabel(caseName(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(runnelex::displayRun(in));
}

// The critical depth alone, at the flow the calculation hands it (Qnorm): the search the
// program uses, and the march it reproduces.
template <double (*critical)(double, double)> void BM_Critical(benchmark::State& state) {
    const auto r = runnelex::computeCalculation(caseInputs(static_cast<int>(state.range(0))));
    const double q = *r.Qnorm;
    state.SetLabel(caseName(static_cast<int>(state.range(0))));
    state.counters["steps"] = *r.Dcr / (runnelex::hydrocalc::kCritStep * 1.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(critical(1.0, q));
}
void BM_DcritCircular(benchmark::State& state) {
    BM_Critical<runnelex::hydrocalc::fDcritCircular>(state);
}
void BM_DcritCircularMarch(benchmark::State& state) {
    BM_Critical<runnelex::hydrocalc::fDcritCircularMarch>(state);
}

// The normal depth alone: the replayed bisection the program uses, and the bisection itself.
template <double (*normal)(double, double, double, runnelex::hydrocalc::ShapeCode, double, double,
                           int*)>
void BM_Normal(benchmark::State& state) {
    const CalcInputs in = caseInputs(static_cast<int>(state.range(0)));
    state.SetLabel(caseName(static_cast<int>(state.range(0))));
    int passes = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(normal(in.ManningN, in.Dims[0], 0, runnelex::hydrocalc::kCircular,
                                        in.SlopeFtFt, in.Qcfs, &passes));
    state.counters["passes"] = passes;
}
void BM_Dnormal(benchmark::State& state) {
    BM_Normal<runnelex::hydrocalc::fDnormal>(state);
}
void BM_DnormalBisection(benchmark::State& state) {
    BM_Normal<runnelex::hydrocalc::fDnormalBisection>(state);
}

BENCHMARK(BM_BoxCalculation)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ArcShapeCalculation)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextShapeCalculation)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeCalculation)->DenseRange(0, 2);
BENCHMARK(BM_SystemCalculation)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DisplayRun)->DenseRange(0, 2);
BENCHMARK(BM_DcritCircular)->DenseRange(0, 2);
BENCHMARK(BM_DcritCircularMarch)->DenseRange(0, 2);
BENCHMARK(BM_Dnormal)->DenseRange(0, 2);
BENCHMARK(BM_DnormalBisection)->DenseRange(0, 2);

} // namespace

BENCHMARK_MAIN();
