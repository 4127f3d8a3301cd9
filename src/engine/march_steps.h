// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace runnelex::hydrocalc {

// The depths of the critical-depth march, y(1) = h and y(k+1) = y(k) + h in double precision,
// found by index without adding k times.
//
// Within one binade [2^e, 2^(e+1)) every sum is rounded to the same grid, so an addition adds h
// rounded to that grid. Only a tie (h exactly half-way between two grid points) depends on the
// parity of the sum it is added to: the first addition inside a binade can round either way,
// leaves an even grid point, and from then on every addition adds the same increment. So each
// binade is: its entry value, one real addition, then an arithmetic run up to the binade's top.
// The values where the pattern starts again are computed by real additions.
class MarchSteps {
public:
    // The steps from h up to and including the first one at or above `top`; h > 0, top > h,
    // and top / h small enough that the steps fit (the march's own ratio, 10^4, always does).
    MarchSteps(double h, double top);

    // False when the steps did not fit; the caller then marches.
    bool ok() const { return ok_; }
    // K: the index of the first step at or above `top`.
    std::int64_t last() const { return last_; }
    // y(k) for 1 <= k <= last().
    double at(std::int64_t k) const;

private:
    // Left uninitialised: only the first count_ runs are ever read.
    struct Run {
        std::int64_t first; // index of its first value
        std::int64_t length;
        double start;
        double delta;
    };
    bool push(const Run& run);
    std::int64_t firstAtOrAbove(double top) const;

    static constexpr std::size_t kMaxRuns = 160;
    std::array<Run, kMaxRuns> runs_;
    std::size_t count_ = 0;
    std::int64_t last_ = 0;
    bool ok_ = true;
};

} // namespace runnelex::hydrocalc
