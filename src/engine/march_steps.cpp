// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/march_steps.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace runnelex::hydrocalc {

namespace {

// The top of the binade that holds y > 0: the smallest power of two above it. For a normal y
// that is its exponent field plus one with a zero significand.
double binadeTop(double y) {
    const auto bits = std::bit_cast<std::uint64_t>(y);
    const std::uint64_t field = bits >> 52;
    if (field == 0 || field >= 0x7fe) {
        int e = 0;
        std::frexp(y, &e); // y = m * 2^e with 0.5 <= m < 1
        return std::ldexp(1.0, e);
    }
    return std::bit_cast<double>((field + 1) << 52);
}

// The spacing of the doubles in the binade below binTop.
double gridBelow(double binTop) {
    return binTop >= 0x1p-968 ? binTop * 0x1p-53 : std::ldexp(binTop, -53);
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
        const double grid = gridBelow(binTop);
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
    // The steps rise strictly: the answer lies in the last run that starts below top, or is the
    // first step of the run after it.
    std::size_t i = count_ - 1;
    while (i > 0 && runs_[i].start >= top)
        --i;
    const Run& r = runs_[i];
    if (r.start >= top)
        return r.first;
    // Inside an arithmetic run every value is exact: count the increments below top.
    std::int64_t j = 1;
    if (r.length > 1) {
        j = std::clamp<std::int64_t>(static_cast<std::int64_t>((top - r.start) / r.delta), 1,
                                     r.length);
        while (j > 1 && r.start + static_cast<double>(j - 1) * r.delta >= top)
            --j;
        while (j < r.length && r.start + static_cast<double>(j) * r.delta < top)
            ++j;
    }
    return r.first + j;
}

} // namespace runnelex::hydrocalc
