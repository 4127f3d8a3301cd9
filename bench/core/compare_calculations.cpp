// SPDX-License-Identifier: GPL-3.0-or-later
// Whole calculations of every shape drawn from a fixed seed, every result and fault folded into
// one hash per shape: two builds of the program give the same hashes exactly when they give the
// same results bit for bit. Usage: compare_calculations [cases per shape] [seed]
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "calc/calculation.h"
#include "support/random_calc_inputs.h"

namespace {

struct Fold {
    std::uint64_t h = 14695981039346656037ull;
    void byte(unsigned char b) { h = (h ^ b) * 1099511628211ull; }
    void bits(std::uint64_t v) {
        for (int i = 0; i < 8; ++i)
            byte(static_cast<unsigned char>(v >> (8 * i)));
    }
    void number(double x) { bits(std::bit_cast<std::uint64_t>(x)); }
    void maybe(const std::optional<double>& x) {
        byte(x.has_value());
        if (x)
            number(*x);
    }
};

} // namespace

int main(int argc, char** argv) {
    const long cases = argc > 1 ? std::atol(argv[1]) : 10000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    for (const runnelex::sections::ShapeRow& shape : runnelex::sections::shapeTable()) {
        runnelex::support::RandomCalcInputs draw(shape, seed);
        Fold fold;
        long faults = 0;
        for (long k = 0; k < cases; ++k) {
            const runnelex::CalcResults r = runnelex::computeCalculation(draw.next());
            fold.byte(r.outcome ? static_cast<unsigned char>(*r.outcome) : 255);
            for (const runnelex::CapacityRow& row : r.Capacity) {
                fold.number(row.V);
                fold.number(row.Q);
            }
            for (const auto* x :
                 {&r.Qmax, &r.Dnorm, &r.AreaW, &r.PerimW, &r.Rh, &r.Vnorm, &r.Qnorm, &r.FrNo,
                  &r.Dcr, &r.DoverD, &r.Hf, &r.Vfull, &r.Afull, &r.Pfull, &r.Rfull})
                fold.maybe(*x);
            if (r.fault) {
                ++faults;
                for (char ch : *r.fault)
                    fold.byte(static_cast<unsigned char>(ch));
            }
        }
        std::printf("%-10s %ld cases, %ld faults, hash %016llx\n", std::string(shape.word).c_str(),
                    cases, faults, static_cast<unsigned long long>(fold.h));
    }
}
