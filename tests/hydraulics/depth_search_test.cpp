// SPDX-License-Identifier: GPL-3.0-or-later
// The depth searches evaluate the area with the perimeter or the top width in one call, and the
// egg and the custom outline keep their sums from one depth to the next: on 20 000 drawn
// calculations of every shape, under every law and in both systems, each depth and each fault
// must be the one the section's separate calls and the sums built afresh give.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>

#include "engine/arith.h"
#include "engine/hydrocalc.h"
#include "hydraulics/conduit.h"
#include "sections/arc_section.h"
#include "sections/circle_section.h"
#include "sections/shape_table.h"
#include "support/random_calc_inputs.h"

namespace runnelex::hydraulics {
namespace {

// The bits of a result, or the fault that ended it.
template <typename F> std::string outcome(F f) {
    try {
        return std::to_string(std::bit_cast<std::uint64_t>(f()));
    } catch (const hydrocalc::ArithmeticError& e) {
        return e.what();
    }
}

// The egg's area summed afresh at every depth, the side arcs from their lowest point.
double eggAreaAfresh(double H, double y) {
    using sections::quarterDisc;
    const double r = H / 3.0, yi = 0.2 * r, ys = 2.0 * r;
    const sections::CircleSection invert(r);
    if (y <= yi)
        return invert.area(std::max(y, 0.0));
    double A = invert.area(yi);
    const double upTo = std::min(y, ys);
    A += 2.0 * (quarterDisc(3.0 * r, upTo - ys) - quarterDisc(3.0 * r, yi - ys)) -
         4.0 * r * (upTo - yi);
    if (y <= ys)
        return hydrocalc::checked::mul(A, 1.0);
    return hydrocalc::checked::mul(A + 2.0 * quarterDisc(r, std::min(y, H) - ys), 1.0);
}

// A custom outline's area as its trapezoids summed from the invert at every depth.
double outlineAreaAfresh(const std::vector<double>& p, const sections::Section& s, double y) {
    y = std::min(y, s.rise());
    double A = 0.0;
    for (std::size_t i = 2; i < p.size() && y > p[i - 2]; i += 2) {
        const double top = std::min(y, p[i]);
        const double wTop = top == p[i] ? p[i + 1] : s.topWidth(top);
        A += (p[i - 1] + wTop) / 2.0 * (top - p[i - 2]);
    }
    return hydrocalc::checked::mul(A, 1.0);
}

class DepthSearch : public testing::TestWithParam<std::string_view> {};

TEST_P(DepthSearch, SharedEvaluationsGiveTheSameDepths) {
    const sections::ShapeRow& shape = *sections::shapeNamed(GetParam());
    support::RandomCalcInputs draw(shape, 20240601);
    int differences = 0, searched = 0;
    for (int k = 0; k < 20000 && differences < 5; ++k) {
        const CalcInputs in = draw.next();
        const auto s = shape.make(in.Dims, in.Texts, in.System);
        const auto law = in.Law->make(in.ManningN, in.LawParams, in.System);
        const Conduit c(*s, *law, in.SlopeFtFt, in.System);
        const double top = 0.93 * s->rise(), Q = in.Qcfs;
        const std::string normal = outcome([&] { return c.normalDepth(Q, top); });
        const std::string reference = outcome([&] { return c.normalDepthOneByOne(Q, top); });
        double qn = Q;
        try {
            qn = c.flowAt(c.normalDepthOneByOne(Q, top));
        } catch (const hydrocalc::ArithmeticError&) {
        }
        const std::string critical = outcome([&] { return c.criticalDepth(qn); });
        const std::string criticalRef = outcome([&] { return c.criticalDepthOneByOne(qn); });
        ++searched;
        // The one-call evaluations and the sums against their parts, at a drawn depth.
        const double y = s->rise() * (k % 7 == 0 ? 1.0 : (k % 1000) / 997.0);
        const auto sep = [&](auto f) {
            return outcome([&] { return f(y); });
        };
        const bool same =
            normal == reference && critical == criticalRef &&
            sep([&](double d) { return s->wetted(d).area; }) ==
                sep([&](double d) { return s->area(d); }) &&
            sep([&](double d) { return s->wetted(d).other; }) ==
                sep([&](double d) { return s->perimeter(d); }) &&
            sep([&](double d) { return s->surface(d).other; }) ==
                sep([&](double d) { return s->topWidth(d); }) &&
            (GetParam() != "egg" || sep([&](double d) { return eggAreaAfresh(in.Dims[0], d); }) ==
                                        sep([&](double d) { return s->area(d); })) &&
            (GetParam() != "custom" || sep([&](double d) {
                                           return outlineAreaAfresh(in.Texts[0], *s, d);
                                       }) == sep([&](double d) { return s->area(d); }));
        if (!same) {
            ++differences;
            ADD_FAILURE() << "case " << k << ": normal " << normal << " / " << reference
                          << ", critical " << critical << " / " << criticalRef << ", depth " << y;
        }
    }
    EXPECT_EQ(searched, 20000);
}

INSTANTIATE_TEST_SUITE_P(EveryShape, DepthSearch,
                         testing::Values("circle", "square", "box", "egg", "ellipse", "horseshoe",
                                         "arch", "custom"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
} // namespace runnelex::hydraulics
