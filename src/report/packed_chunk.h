// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/calc_request.h"

namespace runnelex::report {

// What a report row shows beside its numbers.
enum class RowMark : std::uint8_t { None, Surcharged, Faulted };

// Consecutive rows of a report, holding only what the rows' inputs do not give back: the six
// results, packed four bits a character (digits, point, sign, exponent), about 25 bytes a row.
// A row with any other text (a fault) is kept as it is, beside the packed ones.
class PackedChunk {
public:
    void add(const RecordReply& row);
    // Gives back the memory reserved for rows that will not come.
    void shrink();

    std::size_t size() const { return starts_.size(); }
    RowMark mark(std::size_t k) const;
    // Sets the exit code, the six results, the fault and the surcharge of row k in `row`; its
    // inputs are left as they are.
    void read(std::size_t k, RecordReply& row) const;
    // The memory the chunk holds.
    std::size_t bytes() const;

private:
    struct Odd {
        std::size_t row;
        SessionStatus status;
        bool surcharged;
        bool noSection;
        std::array<std::string, 6> results;
        std::string fault;
    };
    void put(unsigned nibble);
    unsigned nibble(std::size_t at) const;
    const Odd& odd(std::size_t k) const;

    std::vector<std::uint8_t> nibbles_;
    std::size_t nibbleCount_ = 0;
    std::vector<std::uint32_t> starts_; // each row's first nibble
    std::vector<Odd> odd_;              // in row order
};

} // namespace runnelex::report
