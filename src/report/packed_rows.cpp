// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/packed_rows.h"

#include <algorithm>

#include "report/report_plan.h"

namespace runnelex::report {

void PackedRows::append(std::shared_ptr<const PackedChunk> chunk) {
    if (!chunk || chunk->size() == 0)
        return;
    for (std::size_t k = 0; k < chunk->size(); ++k) {
        const RowMark m = chunk->mark(k);
        surcharged_ += m == RowMark::Surcharged;
        faulted_ += m == RowMark::Faulted;
    }
    firstRows_.push_back(rows_);
    rows_ += chunk->size();
    chunks_.push_back(std::move(chunk));
}

void PackedRows::clear() {
    *this = PackedRows();
}

std::pair<const PackedChunk*, std::size_t> PackedRows::locate(std::uint64_t i) const {
    const auto after = std::upper_bound(firstRows_.begin(), firstRows_.end(), i);
    const auto c = static_cast<std::size_t>(after - firstRows_.begin() - 1);
    return {chunks_[c].get(), static_cast<std::size_t>(i - firstRows_[c])};
}

RowMark PackedRows::mark(std::uint64_t i) const {
    const auto [chunk, k] = locate(i);
    return chunk->mark(k);
}

void PackedRows::readResults(std::uint64_t i, RecordReply& row) const {
    const auto [chunk, k] = locate(i);
    chunk->read(k, row);
}

RecordReply PackedRows::row(const ReportPlan& plan, std::uint64_t i) const {
    RecordReply r;
    r.fields = inputFields(plan.point(i));
    readResults(i, r);
    return r;
}

std::size_t PackedRows::bytes() const {
    std::size_t n = sizeof(*this) + chunks_.capacity() * sizeof(chunks_[0]) +
                    firstRows_.capacity() * sizeof(std::uint64_t);
    for (const auto& c : chunks_)
        n += c->bytes() + 2 * sizeof(void*); // and the count beside the shared chunk
    return n;
}

} // namespace runnelex::report
