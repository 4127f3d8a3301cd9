// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "calc/calc_request.h"
#include "report/packed_chunk.h"

namespace runnelex::report {

class ReportPlan;

// The rows of a report made so far, in report order, as packed chunks. A copy shares the
// chunks, so a thread can write out a copy while more rows arrive in the original.
class PackedRows {
public:
    void append(std::shared_ptr<const PackedChunk> chunk);
    void clear();

    std::uint64_t size() const { return rows_; }
    RowMark mark(std::uint64_t i) const;
    // Row i whole: its inputs from the plan, its results from the chunk.
    RecordReply row(const ReportPlan& plan, std::uint64_t i) const;
    // Only the results of row i (see PackedChunk::read).
    void readResults(std::uint64_t i, RecordReply& row) const;

    std::uint64_t surcharged() const { return surcharged_; }
    std::uint64_t faulted() const { return faulted_; }
    // The memory the rows hold.
    std::size_t bytes() const;

private:
    // The chunk holding row i and the row's place in it.
    std::pair<const PackedChunk*, std::size_t> locate(std::uint64_t i) const;

    std::vector<std::shared_ptr<const PackedChunk>> chunks_;
    std::vector<std::uint64_t> firstRows_; // of each chunk
    std::uint64_t rows_ = 0, surcharged_ = 0, faulted_ = 0;
};

} // namespace runnelex::report
