// SPDX-License-Identifier: GPL-3.0-or-later
// The elliptical pipe and the horseshoe against their outlines worked out on their own: the
// circles found by bisection from their definitions, the width integrated between the heights
// where the circles meet, the wall's length summed chord by chord, all in long double; then the
// published full areas, radii and constants.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "sections/circle_section.h"
#include "sections/shape_table.h"

namespace runnelex::sections {
namespace {

using Real = long double;

// One circle of the right-hand wall, used from the previous piece's top to `top`; the wall is
// its right-hand side: x = cx + sqrt(R^2 - (y - cy)^2).
struct Piece {
    Real cx, cy, R, top;
    Real halfWidth(Real y) const {
        const Real t = y - cy;
        return cx + std::sqrt(std::max<Real>(0, R * R - t * t));
    }
};

template <typename F> Real bisect(Real lo, Real hi, F below) {
    for (int i = 0; i < 200; ++i)
        (below((lo + hi) / 2) ? lo : hi) = (lo + hi) / 2;
    return (lo + hi) / 2;
}

struct Outline {
    std::vector<Piece> pieces;
    const Piece& at(Real y) const {
        for (const Piece& p : pieces)
            if (y <= p.top)
                return p;
        return pieces.back();
    }
    Real width(Real y) const { return 2 * at(y).halfWidth(y); }
    // Simpson's rule in u, y = lo + (hi - lo)(1 - cos u) / 2 on each piece, which smooths the
    // square-root ends of the arcs; and the chords of the same points for the wetted length.
    template <typename F> Real overPieces(Real y, F step) const {
        Real sum = 0, lo = 0;
        for (const Piece& p : pieces) {
            const Real hi = std::min(y, p.top);
            if (hi <= lo)
                continue;
            constexpr int kSteps = 4000;
            const Real pi = std::acos(Real(-1));
            for (int i = 0; i < kSteps; ++i)
                sum += step(p, lo, hi, pi * i / kSteps, pi * (i + 1) / kSteps);
            lo = hi;
        }
        return sum;
    }
    Real area(Real y) const {
        return overPieces(y, [](const Piece& p, Real lo, Real hi, Real a, Real c) {
            const auto f = [&](Real u) {
                return 2 * p.halfWidth(lo + (hi - lo) * (1 - std::cos(u)) / 2) * (hi - lo) *
                       std::sin(u) / 2;
            };
            return (c - a) / 6 * (f(a) + 4 * f((a + c) / 2) + f(c));
        });
    }
    // Each step's chord and its two half chords, extrapolated (Richardson) to the arc.
    Real perimeter(Real y) const {
        return overPieces(y, [](const Piece& p, Real lo, Real hi, Real a, Real c) {
            const auto at = [&](Real u) {
                const Real yu = lo + (hi - lo) * (1 - std::cos(u)) / 2;
                return std::pair{p.halfWidth(yu), yu};
            };
            const auto chord = [](std::pair<Real, Real> m, std::pair<Real, Real> n) {
                return 2 * std::hypot(n.first - m.first, n.second - m.second);
            };
            const auto pa = at(a), pb = at((a + c) / 2), pc = at(c);
            return (4 * (chord(pa, pb) + chord(pb, pc)) - chord(pa, pc)) / 3;
        });
    }
};

// The oval: small circles of radius 0.4274 x the short axis at the ends of the long axis, the
// large radius the one whose circle through the end of the short axis touches them inside.
Outline ovalByBisection(Real B, Real D) {
    const Real S = std::min(B, D), L = std::max(B, D), r = Real(0.4274) * S;
    const Real along = L / 2 - r; // the small centres from the middle
    const auto gap = [&](Real R) {
        return std::hypot(along, R - S / 2) - (R - r);
    };
    const Real R = bisect(S / 2, 1e6L * L, [&](Real R) { return gap(R) > 0; });
    // The touching point, on the line through both centres, as (long, short) from the middle.
    const Real k = R / (R - r);
    const Real tl = k * along, ts = S / 2 - R + k * (R - S / 2);
    if (B >= D) // lying: the large circles at the invert and crown
        return {{{0, R, R, D / 2 - ts}, {along, D / 2, r, D / 2 + ts}, {0, D - R, R, D}}};
    return {{{0, r, r, D / 2 - tl}, {B / 2 - R, D / 2, R, D / 2 + tl}, {0, D - r, r, D}}};
}

Outline horseshoeByBisection(Real D) {
    const Piece invert{0, D, D, 0}, wall{-D / 2, D / 2, D, D / 2};
    const Real meet =
        bisect(0, D / 2, [&](Real y) { return invert.halfWidth(y) < wall.halfWidth(y); });
    return {{{0, D, D, meet}, wall, {0, D / 2, D / 2, D}}};
}

struct ArcCase {
    const char* name;
    const char* shape;
    Dimensions dims;
    Outline independent;
};

TEST(ArcShapes, AgreeWithTheWidthIntegrated) {
    const ArcCase cases[] = {
        {"ellipse lying 60x38", "ellipse", {60, 38}, ovalByBisection(60, 38)},
        {"ellipse on end 38x60", "ellipse", {38, 60}, ovalByBisection(38, 60)},
        {"ellipse nearly round", "ellipse", {1.01, 1}, ovalByBisection(1.01L, 1)},
        {"ellipse flat 5x1", "ellipse", {5, 1}, ovalByBisection(5, 1)},
        {"ellipse tall 0.3x2", "ellipse", {0.3, 2}, ovalByBisection(0.3L, 2)},
        {"horseshoe 8", "horseshoe", {8}, horseshoeByBisection(8)},
        {"horseshoe 1.2", "horseshoe", {1.2}, horseshoeByBisection(1.2L)},
    };
    for (const ArcCase& c : cases) {
        const auto section = shapeNamed(c.shape)->make(c.dims, {}, UnitSystem::SI);
        const double D = section->rise();
        const Real fullA = c.independent.area(D);
        EXPECT_NEAR(section->fullArea(), static_cast<double>(fullA), 1e-13 * fullA) << c.name;
        for (double ratio : {0.001, 0.02, 0.05, 0.1, 0.3, 0.5, 0.7, 0.9, 0.95, 0.99, 0.9999}) {
            const double y = ratio * D;
            SCOPED_TRACE(std::string(c.name) + " at y/D " + std::to_string(ratio));
            const Real A = c.independent.area(y), P = c.independent.perimeter(y);
            EXPECT_NEAR(section->area(y), static_cast<double>(A), 1e-12 * fullA);
            EXPECT_NEAR(section->perimeter(y), static_cast<double>(P), 1e-8 * P);
            EXPECT_NEAR(section->topWidth(y), static_cast<double>(c.independent.width(y)),
                        1e-12 * section->span());
        }
        EXPECT_NEAR(section->fullPerimeter(), static_cast<double>(c.independent.perimeter(D)),
                    1e-8 * section->fullPerimeter())
            << c.name;
    }
}

TEST(Ellipse, MatchesThePublishedFullAreasAndRadii) {
    // Rise x span in inches, full area in ft2, full hydraulic radius in ft.
    const struct {
        double rise, span, area, radius;
    } published[] = {{14, 23, 1.80, .367},     {19, 30, 3.30, .490},     {22, 34, 4.10, .546},
                     {24, 38, 5.10, .613},     {27, 42, 6.30, .686},     {29, 45, 7.40, .736},
                     {32, 49, 8.80, .812},     {34, 53, 10.20, .875},    {38, 60, 12.90, .969},
                     {43, 68, 16.60, 1.106},   {48, 76, 20.50, 1.229},   {53, 83, 24.80, 1.352},
                     {58, 91, 29.50, 1.475},   {63, 98, 34.60, 1.598},   {68, 106, 40.10, 1.721},
                     {72, 113, 46.10, 1.845},  {77, 121, 52.40, 1.967},  {82, 128, 59.20, 2.091},
                     {87, 136, 66.40, 2.215},  {92, 143, 74.00, 2.340},  {97, 151, 82.00, 2.461},
                     {106, 166, 99.20, 2.707}, {116, 180, 118.60, 2.968}};
    const Catalogue catalogue = shapeNamed("ellipse")->catalogue(UnitSystem::US);
    ASSERT_EQ(catalogue.sizes.size(), std::size(published));
    for (std::size_t i = 0; i < std::size(published); ++i) {
        const auto& p = published[i];
        EXPECT_EQ(catalogue.sizes[i][0], p.span);
        EXPECT_EQ(catalogue.sizes[i][1], p.rise);
        for (bool onEnd : {false, true}) {
            const double B = (onEnd ? p.rise : p.span) / 12, D = (onEnd ? p.span : p.rise) / 12;
            const auto pipe = shapeNamed("ellipse")->make({B, D}, {}, UnitSystem::US);
            const double areaOff = pipe->fullArea() / p.area - 1;
            const double radiusOff = pipe->fullArea() / pipe->fullPerimeter() / p.radius - 1;
            SCOPED_TRACE(std::to_string(p.rise) + " x " + std::to_string(p.span));
            EXPECT_LE(std::fabs(areaOff), 0.028);
            EXPECT_LE(std::fabs(radiusOff), 0.0215);
            // From 24 x 38 up the table's entries carry more digits: areas within -1.1 and
            // +1.3 % to the first decimal, radii within 0.8 % but for 34 x 53, whose published
            // radius sits 1.2 % above the pipes on either side of it.
            if (p.rise >= 24) {
                EXPECT_GE(areaOff, -0.0115);
                EXPECT_LE(areaOff, 0.013);
                EXPECT_LE(std::fabs(radiusOff), p.rise == 34 ? 0.012 : 0.008);
            }
        }
    }
}

TEST(Ellipse, OnEndIsTheSamePipeAndRoundIsTheCircle) {
    const ShapeRow& ellipse = *shapeNamed("ellipse");
    const auto lying = ellipse.make({1.5, 0.95}, {}, UnitSystem::SI);
    const auto standing = ellipse.make({0.95, 1.5}, {}, UnitSystem::SI);
    EXPECT_NEAR(standing->fullArea(), lying->fullArea(), 1e-15);
    EXPECT_NEAR(standing->fullPerimeter(), lying->fullPerimeter(), 1e-14);
    EXPECT_EQ(standing->span(), lying->rise());
    EXPECT_NEAR(standing->topWidth(standing->rise() / 2), lying->rise(), 1e-15);
    EXPECT_NEAR(lying->topWidth(lying->rise() / 2), lying->span(), 1e-15);
    // Half full by symmetry either way.
    EXPECT_NEAR(standing->area(0.75), standing->fullArea() / 2, 1e-15);
    EXPECT_NEAR(lying->area(0.475), lying->fullArea() / 2, 1e-15);

    const double D = 0.6;
    const auto round = ellipse.make({D, D}, {}, UnitSystem::SI);
    const CircleSection circle(D);
    for (double ratio : {1e-6, 0.01, 0.2, 0.5, 0.8, 0.999, 1.0}) {
        const double y = ratio * D;
        EXPECT_NEAR(round->area(y), circle.area(y), 1e-14) << ratio;
        EXPECT_NEAR(round->perimeter(y), circle.perimeter(y), 1e-14) << ratio;
        EXPECT_NEAR(round->topWidth(y), circle.topWidth(y), 1e-14) << ratio;
    }
}

TEST(Horseshoe, PublishedConstants) {
    for (double D : {1.2, 8.0, 20.0}) {
        const auto shoe = shapeNamed("horseshoe")->make({D}, {}, UnitSystem::US);
        const double A = shoe->fullArea(), P = shoe->fullPerimeter();
        EXPECT_NEAR(A / (D * D), 0.8293, 0.00005) << D;
        EXPECT_NEAR(P / D, 3.2669, 0.00005) << D;
        // 0.253855...: the published figure is cut after four digits, not rounded.
        EXPECT_NEAR(A / P / D, 0.2538, 0.0001) << D;
        EXPECT_EQ(shoe->span(), D);
        // Widest at the springline, narrower just above and below it.
        EXPECT_NEAR(shoe->topWidth(D / 2), D, 1e-14 * D);
        EXPECT_LT(shoe->topWidth(0.49 * D), D);
        EXPECT_LT(shoe->topWidth(0.51 * D), D);
    }
}

} // namespace
} // namespace runnelex::sections
