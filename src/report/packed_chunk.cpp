// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/packed_chunk.h"

#include <algorithm>
#include <string_view>

namespace runnelex::report {

namespace {

// Row kinds, the first nibble of a row.
constexpr unsigned kPlain = 0, kSurcharged = 1, kOdd = 2;
// The characters a shown number is made of, by nibble; 14 ends a field.
constexpr std::string_view kAlphabet = "0123456789.-E+";
constexpr unsigned kEnd = 14;

int code(char c) {
    const std::size_t at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The six results in record order: depth, velocity, Froude number, critical depth, capacity,
// flow at 0.93 D.
std::array<std::string*, 6> results(record::RecordFields& f) {
    return {&f.dnorm, &f.vnorm, &f.frNo, &f.dcr, &f.q100, &f.q093};
}
std::array<const std::string*, 6> results(const record::RecordFields& f) {
    return {&f.dnorm, &f.vnorm, &f.frNo, &f.dcr, &f.q100, &f.q093};
}

bool packable(const RecordReply& row) {
    if (row.status != SessionStatus::Done)
        return false;
    for (const std::string* field : results(row.fields))
        if (!std::all_of(field->begin(), field->end(), [](char c) { return code(c) >= 0; }))
            return false;
    return true;
}

} // namespace

void PackedChunk::put(unsigned n) {
    if (nibbleCount_ % 2 == 0)
        nibbles_.push_back(static_cast<std::uint8_t>(n));
    else
        nibbles_.back() = static_cast<std::uint8_t>(nibbles_.back() | n << 4);
    ++nibbleCount_;
}

unsigned PackedChunk::nibble(std::size_t at) const {
    return (nibbles_[at / 2] >> (at % 2 * 4)) & 15u;
}

void PackedChunk::add(const RecordReply& row) {
    starts_.push_back(static_cast<std::uint32_t>(nibbleCount_));
    if (!packable(row)) {
        put(kOdd);
        Odd o{starts_.size() - 1, row.status, row.surcharged, row.noSection, {}, row.fault};
        const auto from = results(row.fields);
        for (std::size_t i = 0; i < from.size(); ++i)
            o.results[i] = *from[i];
        odd_.push_back(std::move(o));
        return;
    }
    put(row.surcharged ? kSurcharged : kPlain);
    for (const std::string* field : results(row.fields)) {
        for (char c : *field)
            put(static_cast<unsigned>(code(c)));
        put(kEnd);
    }
}

void PackedChunk::shrink() {
    nibbles_.shrink_to_fit();
    starts_.shrink_to_fit();
    odd_.shrink_to_fit();
}

const PackedChunk::Odd& PackedChunk::odd(std::size_t k) const {
    return *std::lower_bound(odd_.begin(), odd_.end(), k,
                             [](const Odd& o, std::size_t row) { return o.row < row; });
}

RowMark PackedChunk::mark(std::size_t k) const {
    switch (nibble(starts_[k])) {
    case kPlain:
        return RowMark::None;
    case kSurcharged:
        return RowMark::Surcharged;
    default:
        break;
    }
    const Odd& o = odd(k);
    return o.status == SessionStatus::Fault ? RowMark::Faulted
           : o.surcharged                   ? RowMark::Surcharged
                                            : RowMark::None;
}

void PackedChunk::read(std::size_t k, RecordReply& row) const {
    std::size_t at = starts_[k];
    const unsigned kind = nibble(at++);
    const auto into = results(row.fields);
    if (kind == kOdd) {
        const Odd& o = odd(k);
        row.status = o.status;
        row.surcharged = o.surcharged;
        row.noSection = o.noSection;
        row.fault = o.fault;
        for (std::size_t i = 0; i < into.size(); ++i)
            *into[i] = o.results[i];
        return;
    }
    row.status = SessionStatus::Done;
    row.surcharged = kind == kSurcharged;
    row.noSection = false;
    row.fault.clear();
    for (std::string* field : into) {
        field->clear();
        for (unsigned n; (n = nibble(at++)) != kEnd;)
            *field += kAlphabet[n];
    }
}

std::size_t PackedChunk::bytes() const {
    std::size_t n = sizeof(*this) + nibbles_.capacity() +
                    starts_.capacity() * sizeof(std::uint32_t) + odd_.capacity() * sizeof(Odd);
    for (const Odd& o : odd_) {
        n += o.fault.capacity() > 15 ? o.fault.capacity() : 0; // beyond the short-string buffer
        for (const std::string& s : o.results)
            n += s.capacity() > 15 ? s.capacity() : 0;
    }
    return n;
}

} // namespace runnelex::report
