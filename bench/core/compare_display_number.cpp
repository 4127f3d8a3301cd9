// SPDX-License-Identifier: GPL-3.0-or-later
// The display rule's quick route against the exact decimal conversions on as many random values
// as asked (default 100 million): every text must be the same. Prints the count compared.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "common/number_text.h"

namespace {

// The value of case i: the families of the display rule's unit test, a result's magnitudes,
// values a few ulps around decimal ties, binary ties, and the hand-over near 10^15.
double valueOf(std::uint64_t i, int decimals, std::mt19937_64& rng) {
    std::uniform_real_distribution<> unit(0, 1);
    double v = 0;
    switch (i % 4) {
    case 0:
        v = std::pow(10.0, unit(rng) * 40 - 20);
        break;
    case 1: {
        const double k = std::floor(std::pow(10.0, unit(rng) * 14));
        v = (k + 0.5) / std::pow(10.0, decimals);
        for (int n = static_cast<int>(unit(rng) * 9) - 4; n != 0; n += n > 0 ? -1 : 1)
            v = std::nextafter(v, n > 0 ? INFINITY : 0.0);
        break;
    }
    case 2:
        v = std::ldexp(2.0 * std::floor(unit(rng) * 1e6) + 1, -static_cast<int>(unit(rng) * 20));
        break;
    default:
        v = (1e15 / std::pow(10.0, decimals)) * (0.999 + unit(rng) * 0.002);
    }
    return i % 3 == 0 ? -v : v;
}

} // namespace

int main(int argc, char** argv) {
    const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000000;
    std::mt19937_64 rng(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 2024);
    std::uint64_t differ = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        // Mostly the 4 decimals of every result, the 2 of GPM flows, now and then 0, 1 or 3.
        const int decimals = i % 8 < 5 ? 4 : i % 8 < 7 ? 2 : static_cast<int>(i / 8 % 4);
        const double v = valueOf(i, decimals, rng);
        char text[runnelex::kDisplayChars];
        const std::string quick(text, runnelex::writeDisplayNumber(text, v, decimals));
        if (quick != runnelex::displayNumberExact(v, decimals) && ++differ <= 10)
            std::printf("differ: %a to %d: %s\n", v, decimals, quick.c_str());
    }
    std::printf("%llu values compared, %llu differ\n", static_cast<unsigned long long>(count),
                static_cast<unsigned long long>(differ));
    return differ == 0 ? 0 : 1;
}
