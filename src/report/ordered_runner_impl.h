// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// A build without threads (the web page, the command line under Node.js) makes every chunk on
// the calling thread, in the same order.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
#define RUNNELEX_NO_THREADS 1
#endif

namespace runnelex::report {

template <typename Chunk> bool runOrdered(const OrderedRun<Chunk>& run) {
    const std::uint64_t size = std::max<std::uint64_t>(run.chunkSize, 1);
    const std::uint64_t chunks = (run.items + size - 1) / size;
    const auto cancelled = [&] {
        return run.cancel && run.cancel->load();
    };
    const auto bounds = [&](std::uint64_t c) {
        const std::uint64_t first = c * size;
        return std::pair{first, std::min(size, run.items - first)};
    };

#ifndef RUNNELEX_NO_THREADS
    if (run.threads <= 1) {
#endif
        for (std::uint64_t c = 0; c < chunks; ++c) {
            if (cancelled())
                return false;
            Chunk chunk{};
            const auto [first, count] = bounds(c);
            run.make(first, count, chunk);
            if (!run.take(std::move(chunk)))
                return false;
        }
        return true;
#ifndef RUNNELEX_NO_THREADS
    }

    // A ring of slots: chunk c goes into slot c % ringSize once the taker has emptied it (not
    // "slots", which Qt code that includes this defines away).
    const std::uint64_t ringSize = 2 * static_cast<std::uint64_t>(run.threads) + 2;
    std::vector<std::optional<Chunk>> ring(ringSize);
    std::mutex m;
    std::condition_variable changed;
    std::uint64_t nextToMake = 0, taken = 0;
    bool stop = false;

    const auto worker = [&] {
        for (;;) {
            std::uint64_t c;
            {
                std::unique_lock lock(m);
                changed.wait(lock, [&] {
                    return stop || nextToMake >= chunks || nextToMake < taken + ringSize;
                });
                if (stop || nextToMake >= chunks)
                    return;
                c = nextToMake++;
            }
            Chunk chunk{};
            const auto [first, count] = bounds(c);
            run.make(first, count, chunk);
            {
                std::lock_guard lock(m);
                ring[c % ringSize].emplace(std::move(chunk));
            }
            changed.notify_all();
        }
    };

    bool complete = true;
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 0; t < run.threads; ++t)
            workers.emplace_back(worker);
        for (std::uint64_t c = 0; c < chunks; ++c) {
            std::optional<Chunk> chunk;
            {
                std::unique_lock lock(m);
                // A cancel comes from outside: look again now and then.
                while (!ring[c % ringSize] && !cancelled())
                    changed.wait_for(lock, std::chrono::milliseconds(50));
                if (!ring[c % ringSize]) {
                    complete = false;
                    break;
                }
                chunk.swap(ring[c % ringSize]);
                ++taken;
            }
            changed.notify_all();
            if (cancelled() || !run.take(std::move(*chunk))) {
                complete = false;
                break;
            }
        }
        {
            std::lock_guard lock(m);
            stop = true;
        }
        changed.notify_all();
    } // the workers finish the chunk in hand and end
    return complete;
#endif
}

} // namespace runnelex::report
