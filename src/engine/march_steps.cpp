// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/march_steps.h"

#include <cmath>

namespace runnelex::hydrocalc {

namespace {

// The top of the binade that holds y > 0: the smallest power of two above it.
double binadeTop(double y) {
    int e = 0;
    std::frexp(y, &e); // y = m * 2^e with 0.5 <= m < 1
    return std::ldexp(1.0, e);
}

} // namespace

MarchSteps::MarchSteps(double h, double top) {
    std::int64_t k = 1;
    double y = h;
    ok_ = push({k, 1, y, 0.0});
    while (ok_ && y < top) {
        const double binTop = binadeTop(y);
        y = y + h; // a real addition: into a new binade, or the first one inside this one
        ++k;
        ok_ = push({k, 1, y, 0.0});
        if (!ok_ || y >= top || y >= binTop)
            continue;
        const double next = y + h;
        if (next >= binTop || next >= top)
            continue;
        // From here every addition inside the binade adds the same increment. The grid step
        // of the binade and every distance in it are exact multiples that fit in 53 bits.
        const double delta = next - y;
        const double grid = std::ldexp(binTop, -53);
        const auto room = static_cast<std::int64_t>((binTop - y) / grid) - 1;
        const auto stride = static_cast<std::int64_t>(delta / grid);
        const std::int64_t length = room / stride; // y + j * delta < binTop for j <= length
        ok_ = push({k + 1, length, next, delta});
        k += length;
        y = y + static_cast<double>(length) * delta;
    }
    if (ok_)
        last_ = firstAtOrAbove(top);
}

bool MarchSteps::push(const Run& run) {
    if (count_ == kMaxRuns)
        return false;
    runs_[count_++] = run;
    return true;
}

double MarchSteps::at(std::int64_t k) const {
    std::size_t lo = 0, hi = count_; // the run holding k: the last one starting at or before k
    while (hi - lo > 1) {
        const std::size_t mid = (lo + hi) / 2;
        (runs_[mid].first <= k ? lo : hi) = mid;
    }
    const Run& r = runs_[lo];
    return r.start + static_cast<double>(k - r.first) * r.delta;
}

std::int64_t MarchSteps::firstAtOrAbove(double top) const {
    // The steps rise strictly, so the first index at or above top is found by bisection.
    std::int64_t lo = 0, hi = runs_[count_ - 1].first + runs_[count_ - 1].length - 1;
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        (at(mid) >= top ? hi : lo) = mid;
    }
    return hi;
}

} // namespace runnelex::hydrocalc
