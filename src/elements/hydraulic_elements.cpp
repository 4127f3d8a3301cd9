// SPDX-License-Identifier: GPL-3.0-or-later
#include "elements/hydraulic_elements.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "engine/hydrocalc.h"
#include "sections/circle_section.h"
#include "sections/exact_depths.h"

namespace runnelex::elements {

using namespace hydrocalc;

namespace {

constexpr double kNoWidth = 0.0; // the circular section ignores the width

// Golden-section search for the largest value of a function that rises and then falls on
// [lo, hi]. It narrows until the two inner points meet in double precision, so the depth is
// as close as the flatness of the peak allows and the value is the engine's largest.
Peak maximise(const std::function<double(double)>& f, double lo, double hi) {
    const double invPhi = (std::sqrt(5.0) - 1.0) / 2.0;
    double a = hi - invPhi * (hi - lo);
    double b = lo + invPhi * (hi - lo);
    double fa = f(a), fb = f(b);
    for (int i = 0; i < 200 && a < b; ++i) {
        if (fa < fb) {
            lo = a;
            a = b;
            fa = fb;
            b = lo + invPhi * (hi - lo);
            fb = f(b);
        } else {
            hi = b;
            b = a;
            fb = fa;
            a = hi - invPhi * (hi - lo);
            fa = f(a);
        }
    }
    return fa >= fb ? Peak{a, fa} : Peak{b, fb};
}

} // namespace

double velocityAtDepth(const Pipe& pipe, double y) {
    if (pipe.system == UnitSystem::SI) {
        const sections::CircleSection circle(pipe.D);
        const double A = circle.area(y), P = circle.perimeter(y);
        return sections::manningVelocity(sections::kMetric, pipe.n,
                                         P <= 0.0 ? 0.0 : checked::div(A, P), pipe.S);
    }
    const double A = fAreaW(pipe.D, kNoWidth, y, kCircular);
    const double P = fPerimW(pipe.D, kNoWidth, y, kCircular);
    return fVmanning(pipe.n, fRh(A, P), pipe.S);
}

double flowAtDepth(const Pipe& pipe, double y) {
    if (pipe.system == UnitSystem::SI)
        return sections::flowAtDepth(sections::CircleSection(pipe.D), sections::kMetric, pipe.n,
                                     pipe.S, y);
    const double A = fAreaW(pipe.D, kNoWidth, y, kCircular);
    const double P = fPerimW(pipe.D, kNoWidth, y, kCircular);
    return checked::mul(fVmanning(pipe.n, fRh(A, P), pipe.S), A);
}

Peak largestFlow(const Pipe& pipe) {
    // The flow of a circle peaks in the upper half, where the full pipe's extra wetted
    // perimeter outweighs its extra area.
    return maximise([&pipe](double y) { return flowAtDepth(pipe, y); }, 0.5 * pipe.D, pipe.D);
}

Peak largestVelocity(const Pipe& pipe) {
    return maximise([&pipe](double y) { return velocityAtDepth(pipe, y); }, 0.5 * pipe.D, pipe.D);
}

std::vector<ElementPoint> elementCurve(const Pipe& pipe, int intervals) {
    intervals = std::max(intervals, 1);
    std::vector<double> ratios;
    ratios.reserve(static_cast<std::size_t>(intervals) + 3);
    for (int i = 0; i <= intervals; ++i)
        ratios.push_back(static_cast<double>(i) / intervals);
    ratios.push_back(largestFlow(pipe).depth / pipe.D);
    ratios.push_back(largestVelocity(pipe).depth / pipe.D);
    std::sort(ratios.begin(), ratios.end());
    ratios.erase(std::unique(ratios.begin(), ratios.end()), ratios.end());

    std::vector<ElementPoint> curve;
    curve.reserve(ratios.size());
    for (double r : ratios) {
        const double y = r == 1.0 ? pipe.D : checked::mul(r, pipe.D);
        curve.push_back({r, flowAtDepth(pipe, y), velocityAtDepth(pipe, y)});
    }
    return curve;
}

} // namespace runnelex::elements
