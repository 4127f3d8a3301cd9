// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace runnelex::report {

// The values one input takes in a report: a range FROM:TO:STEP generated in decimal, as a
// person writes them (0.1:0.5:0.1 gives 0.1, 0.2, 0.3, 0.4, 0.5, never 0.30000000000000004;
// TO is included when the steps reach it; a negative STEP counts down), or a list V1,V2,...
// whose texts are taken as written. Values are made on demand, so a range of any length costs
// nothing to hold.
class DecimalValues {
public:
    // What is wrong with a range text, for a usage message.
    struct Error {
        std::string what;
    };
    static std::variant<DecimalValues, Error> parse(std::string_view written);

    std::uint64_t size() const { return isRange_ ? count_ : list_.size(); }
    // The text of value i (0 <= i < size()).
    std::string at(std::uint64_t i) const;
    // The texts whose entry check decides that of every value: each value of a list; the two
    // ends of a range, since every other value lies between them.
    std::vector<std::string> decisive() const;

private:
    DecimalValues() = default;
    bool isRange_ = false;
    std::vector<std::string> list_;
    // A range: value i is (from_ + i * step_) * 10^exponent_.
    __int128 from_ = 0, step_ = 0;
    int exponent_ = 0;
    std::uint64_t count_ = 0;
};

} // namespace runnelex::report
