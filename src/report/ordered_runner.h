// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace runnelex::report {

// Makes the chunks [first, first + count) of a long run on several threads and hands them to
// `take` in order, on the calling thread. Only a few chunks per thread are in flight at once,
// so memory stays the same however long the run. `take` returning false, or `cancel` becoming
// true, stops the run; chunks already made are dropped. With one thread everything runs on the
// calling thread.
template <typename Chunk> struct OrderedRun {
    std::uint64_t items = 0;
    std::uint64_t chunkSize = 512;
    unsigned threads = 1;
    std::function<void(std::uint64_t first, std::uint64_t count, Chunk& chunk)> make;
    std::function<bool(Chunk&& chunk)> take;
    const std::atomic<bool>* cancel = nullptr;
};

// Returns false when the run was stopped before its end.
template <typename Chunk> bool runOrdered(const OrderedRun<Chunk>& run);

} // namespace runnelex::report

#include "report/ordered_runner_impl.h"
