// SPDX-License-Identifier: GPL-3.0-or-later
// The depth searches evaluate the area with the perimeter or the top width in one call, and the
// arcs' walls, the egg and the custom outline keep what every depth shares: on 20 000 drawn
// calculations of every shape, under every law and in both systems, each depth and each fault
// must be the one the section's separate calls give, and each area and perimeter the one
// summed afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
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

// An arc section's area and wetted perimeter along its walls, the wall's arc taken afresh from
// its lowest point at every depth; the section's own elsewhere.
sections::AreaAnd arcWallsAfresh(const sections::ArcSection& s, double y) {
    const sections::ArcPieces& p = s.pieces();
    if (!(y > p.low && y <= p.high))
        return {s.area(y), s.perimeter(y)};
    const double R = p.wallRadius, c = p.wallY;
    const auto angle = [&](double t) {
        return std::asin(std::clamp(t / R, -1.0, 1.0));
    };
    const double wall = 2.0 * (p.wallX * (y - p.low) + sections::quarterDisc(R, y - c) -
                               sections::quarterDisc(R, p.low - c));
    return {hydrocalc::checked::finite(s.area(p.low) + wall),
            hydrocalc::checked::finite(s.perimeter(p.low) +
                                       2.0 * R * (angle(y - c) - angle(p.low - c)))};
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
        const auto* arcs = dynamic_cast<const sections::ArcSection*>(s.get());
        const double y = k % 7 == 0           ? s->rise()
                         : k % 7 == 1 && arcs ? arcs->pieces().high
                                              : s->rise() * ((k % 1000) / 997.0);
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
            (!arcs || sep([&](double d) { return arcWallsAfresh(*arcs, d).area; }) ==
                          sep([&](double d) { return s->area(d); })) &&
            (!arcs || sep([&](double d) { return arcWallsAfresh(*arcs, d).other; }) ==
                          sep([&](double d) { return s->perimeter(d); })) &&
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
