// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "calc/calculation.h"
#include "input/calc_inputs.h"

namespace runnelex::support {

// Plausible calculations of one shape drawn from a fixed seed: sizes of about 0.3 to 15 ft (or
// as many metres over 3.28) in either system, slopes 1e-5 to 0.1, any law with one of its
// typical coefficients (Manning's in half the draws), flows from 1e-7 of the flow at 0.93 of
// the rise to just above it. Arches take their radii, custom outlines 2 to 40 points.
class RandomCalcInputs {
public:
    RandomCalcInputs(const sections::ShapeRow& shape, std::uint64_t seed)
        : shape_(shape), rng_(seed) {}

    CalcInputs next() {
        for (;;) {
            CalcInputs in;
            in.Shape = &shape_;
            in.System = unit() < 0.5 ? UnitSystem::US : UnitSystem::SI;
            const double L = logUniform(0.3, 15.0) * (in.System == UnitSystem::SI ? 0.3048 : 1.0);
            pickSection(in, L);
            pickLaw(in);
            in.SlopeFtFt = logUniform(1e-5, 0.1);
            in.Qcfs = 0.0;
            const CalcResults full = computeCalculation(in);
            if (!full.Qmax)
                continue; // dimensions that make no section, or a fault
            const double u = unit();
            in.Qcfs = *full.Qmax * (u < 0.1    ? 1.0 - 1e-9 * unit()
                                    : u < 0.15 ? 1.0 + 0.1 * unit()
                                               : logUniform(1e-7, 1.0));
            return in;
        }
    }

private:
    double unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }
    std::size_t pick(std::size_t n) {
        return std::min(n - 1, static_cast<std::size_t>(unit() * static_cast<double>(n)));
    }
    double logUniform(double lo, double hi) { return lo * std::pow(hi / lo, unit()); }

    void pickSection(CalcInputs& in, double L) {
        const std::string word(shape_.word);
        in.Dims = {L, L, 0.0, 0.0};
        if (word == "box" || word == "ellipse") {
            in.Dims[1] = L * logUniform(0.35, 2.8);
        } else if (word == "arch") {
            in.Dims[1] = L * (0.4 + 0.5 * unit());
            in.Texts[3] = {L / 2.0 * (1.02 + 2.0 * unit()), L * (0.05 + 0.3 * unit())};
        } else if (word == "custom") {
            const int points = 2 + static_cast<int>(pick(39));
            double h = 0.0;
            for (int i = 0; i < points; ++i) {
                const bool end = i == 0 || i == points - 1;
                in.Texts[0].push_back(h);
                in.Texts[0].push_back(end && unit() < 0.5 ? 0.0 : L * (0.2 + unit()));
                h += L / points * (0.2 + unit());
            }
        }
    }

    void pickLaw(CalcInputs& in) {
        const auto laws = friction::lawTable();
        in.Law = unit() < 0.5 ? &laws[0] : &laws[pick(laws.size())];
        const auto typical = in.Law->typical;
        const std::string_view text =
            typical.empty() ? in.Law->coefficient.startText : typical[pick(typical.size())].text;
        in.ManningN = std::stod(std::string(text));
    }

    const sections::ShapeRow& shape_;
    std::mt19937_64 rng_;
};

} // namespace runnelex::support
