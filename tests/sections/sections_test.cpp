// SPDX-License-Identifier: GPL-3.0-or-later
// Square and box conduits and SI sections: the calculation of random sections typed in every
// length unit against Manning's equation worked out on its own in long double, the engine's own
// rectangle, and a square against its box. (What every shape must hold is in the contract.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "calc/calc_request.h"
#include "common/number_text.h"
#include "engine/hydrocalc.h"
#include "sections/shape_table.h"

namespace runnelex::sections {
namespace {

using Real = long double;

// A circle or a box flowing partly full, written out without the program's code: Manning's k
// and g of the units, depths halved down to long double precision (no tolerance of the
// program's takes part).
struct Independent {
    bool circle;
    Real B, D, S, n, k = 1, g = 9.80665L;
    Real theta(Real y) const { return 2 * std::asin(std::sqrt(y / D)); }
    Real area(Real y) const {
        return circle ? D * D / 8 * (2 * theta(y) - std::sin(2 * theta(y))) : B * y;
    }
    Real perimeter(Real y) const { return circle ? theta(y) * D : B + 2 * y; }
    Real top(Real y) const { return circle ? 2 * D * std::sqrt(y / D * (1 - y / D)) : B; }
    Real flow(Real y) const {
        return k / n * area(y) * std::pow(area(y) / perimeter(y), 2.0L / 3) * std::sqrt(S);
    }
    template <typename F> static Real halve(Real lo, Real hi, F below) {
        for (int i = 0; i < 200; ++i) {
            const Real mid = (lo + hi) / 2;
            (below(mid) ? lo : hi) = mid;
        }
        return hi;
    }
    Real normalDepth(Real Q) const {
        return halve(0, 0.93L * D, [&](Real y) { return flow(y) < Q; });
    }
    Real criticalDepth(Real Q) const {
        return halve(0, D, [&](Real y) { return Q * Q * top(y) > g * std::pow(area(y), 3); });
    }
};

struct Typed {
    std::string span, rise, slope, n;
};

Real valueOf(const std::string& text, bool feet) {
    return std::stold(text) / (feet ? 1 : 12);
}

void expectNear(double got, Real want, const char* what) {
    EXPECT_NEAR(got, static_cast<double>(want), 1e-12 * std::fabs(static_cast<double>(want)))
        << what;
}

// Random boxes typed into the boxes in ft or in., some flows above the flow at 0.93 of the rise.
TEST(Box, AgreesWithAnIndependentComputation) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int surcharged = 0;
    for (int i = 0; i < 400; ++i) {
        const bool feet = i % 2 == 0;
        const auto length = [&](double lo, double hi) {
            const double ft = lo + (hi - lo) * unit(random);
            return generalNumberText(std::round((feet ? ft : 12 * ft) * 100) / 100);
        };
        const Typed t{length(1, 12), length(1, 12), generalNumberText(0.0001 + 0.02 * unit(random)),
                      generalNumberText(0.010 + 0.015 * unit(random))};
        const Independent box{false,
                              valueOf(t.span, feet),
                              valueOf(t.rise, feet),
                              std::stold(t.slope),
                              std::stold(t.n),
                              1.486L,
                              32.2L};
        const Real qmax = box.flow(0.93L * box.D);
        const std::string flow = generalNumberText(static_cast<double>(qmax) * 1.2 * unit(random));
        CalcRequest rq;
        rq.shape = "box";
        rq.setDimension("span", t.span);
        rq.setDimension("rise", t.rise);
        rq.diamUnit = feet ? "ft." : "in.";
        rq.slope = t.slope;
        rq.n = t.n;
        rq.flow = flow;
        CalcSession session;
        ASSERT_EQ(replay(rq, session).status, SessionStatus::Done) << flow;
        const CalcResults& r = *session.lastResults();
        const Real Q = std::stold(flow);
        SCOPED_TRACE("box " + t.span + "x" + t.rise + (feet ? " ft" : " in") + " S " + t.slope +
                     " n " + t.n + " Q " + flow);
        expectNear(*r.Qmax, qmax, "Max Q");
        const Real Afull = box.B * box.D, Rfull = Afull / (2 * box.B + 2 * box.D);
        expectNear(r.Capacity[3].Q,
                   1.486L / box.n * Afull * std::pow(Rfull, 2.0L / 3) * std::sqrt(box.S),
                   "the full box, lid wetted");
        expectNear(*r.Vfull, Q / (box.B * box.D), "Vfull");
        expectNear(*r.Hf,
                   std::pow(Q / (box.B * box.D) * box.n / (1.486L * std::pow(Rfull, 2.0L / 3)), 2),
                   "Hf");
        if (Q > qmax) {
            ++surcharged;
            EXPECT_EQ(r.outcome, Outcome::Surcharged);
            continue;
        }
        const Real y = box.normalDepth(Q), V = Q / (box.B * y);
        expectNear(*r.Dnorm, y, "Dnorm");
        expectNear(*r.Vnorm, V, "Vnorm");
        expectNear(*r.FrNo, V / std::sqrt(32.2L * y), "Froude number");
        expectNear(*r.Dcr, std::min(std::cbrt(Q * Q / (32.2L * box.B * box.B)), box.D), "Dcr");
    }
    EXPECT_GT(surcharged, 20);
}

// The engine's own closed rectangle finds its depth to the solver's tolerance; the box's depth
// is the exact root.
TEST(Box, TheEnginesRectangle) {
    EXPECT_NEAR(hydrocalc::fDnormal(0.013, 2, 3, hydrocalc::kRectangle, 0.001, 10), 1.20610,
                0.5e-5);
    CalcRequest rq;
    rq.shape = "box";
    rq.setDimension("span", "3");
    rq.setDimension("rise", "2");
    rq.diamUnit = "ft.";
    rq.slope = "0.001";
    rq.flow = "10";
    CalcSession session;
    ASSERT_EQ(replay(rq, session).status, SessionStatus::Done);
    EXPECT_NEAR(*session.lastResults()->Dnorm, 1.2060989466, 0.5e-10);
    EXPECT_EQ(session.label(Label::FrNo), "0.4435");
}

// A square is the box whose span is its rise: the same record but for the section's text.
TEST(Square, IsTheBoxOfEqualSpanAndRise) {
    for (const char* flow : {"10", "55.5", "64.0909", "70"}) {
        CalcRequest square;
        square.shape = "Square";
        square.setDimension("diam", "48");
        square.slope = "0.001";
        square.flow = flow;
        CalcRequest box = square;
        box.shape = "box";
        box.dimensions = {{"span", "48"}, {"rise", "48"}};
        record::RecordFields a = runRecord(square).fields, b = runRecord(box).fields;
        EXPECT_EQ(a.diamText, "square 48");
        EXPECT_EQ(b.diamText, "box 48x48");
        a.diamText = b.diamText;
        EXPECT_EQ(record::makeRecord(a), record::makeRecord(b)) << flow;
    }
}

// Random circles and boxes in mm and m, natively in SI; the flow typed in L/s or m³/s.
TEST(Si, AgreesWithAnIndependentComputation) {
    std::mt19937_64 random(18);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 300; ++i) {
        const bool circle = i % 2 == 0, metres = i % 3 == 0, litres = i % 4 < 2;
        const auto length = [&] {
            const double m = 0.1 + 3.5 * unit(random);
            return generalNumberText(metres ? std::round(m * 1000) / 1000 : std::round(m * 1000));
        };
        const std::string span = length(), rise = length();
        const std::string slope =
            generalNumberText(std::round((0.01 + 2 * unit(random)) * 100) / 100);
        const Real scale = metres ? 1 : 1000;
        const Independent x{circle, std::stold(span) / scale, std::stold(rise) / scale,
                            std::stold(slope) / 100, 0.013L};
        const Real qmax = x.flow(0.93L * x.D);
        const double q = static_cast<double>(qmax) * 1.15 * unit(random);
        CalcRequest rq;
        rq.units = "si";
        rq.shape = circle ? "circle" : "box";
        if (circle) {
            rq.setDimension("diam", rise);
        } else {
            rq.setDimension("span", span);
            rq.setDimension("rise", rise);
        }
        rq.diamUnit = metres ? "m" : "mm";
        rq.slope = slope;
        rq.slopeUnit = "%";
        rq.flowUnit = litres ? "L/s" : "m3/s";
        rq.flow = generalNumberText(litres ? std::round(q * 1e5) / 100 : std::round(q * 1e8) / 1e8);
        CalcSession session;
        ASSERT_EQ(replay(rq, session).status, SessionStatus::Done) << *rq.flow;
        const CalcResults& r = *session.lastResults();
        const Real Q = std::stold(*rq.flow) / (litres ? 1000 : 1);
        SCOPED_TRACE(std::string(circle ? "circle " : "box " + span + " x ") + rise +
                     (metres ? " m" : " mm") + " S " + slope + "% Q " + *rq.flow);
        expectNear(*r.Qmax, qmax, "Max Q");
        if (Q == 0 || Q > qmax)
            continue;
        const Real y = x.normalDepth(Q);
        expectNear(*r.Dnorm, y, "Dnorm");
        expectNear(*r.Vnorm, Q / x.area(y), "Vnorm");
        expectNear(*r.FrNo, Q / x.area(y) / std::sqrt(9.80665L * x.area(y) / x.top(y)), "Froude");
        expectNear(*r.Dcr,
                   circle ? x.criticalDepth(Q)
                          : std::min(std::cbrt(Q * Q / (9.80665L * x.B * x.B)), x.D),
                   "Dcr");
    }
}

} // namespace
} // namespace runnelex::sections

namespace runnelex::sections {
namespace {

// The egg's width worked out on its own: the three circles' half widths, whichever wall is
// nearest the centre line, integrated by Simpson's rule between the tangent heights.
struct EggByWidth {
    Real r;
    Real halfWidth(Real y) const {
        const auto disc = [](Real R, Real t) {
            return std::sqrt(std::max<Real>(0, R * R - t * t));
        };
        if (y < Real(0.2) * r)
            return disc(r / 2, y - r / 2);
        if (y < 2 * r)
            return disc(3 * r, y - 2 * r) - 2 * r;
        return disc(r, y - 2 * r);
    }
    // Simpson's rule in u, y = lo + (hi - lo)(1 - cos u) / 2, which smooths the square-root
    // ends of each arc.
    Real area(Real y) const {
        Real A = 0, lo = 0;
        for (Real b : {Real(0.2) * r, 2 * r, 3 * r}) {
            const Real hi = std::min(y, b);
            if (hi <= lo)
                break;
            constexpr int kSteps = 4000;
            const Real pi = std::acos(Real(-1));
            const auto f = [&](Real u) {
                return 2 * halfWidth(lo + (hi - lo) * (1 - std::cos(u)) / 2) * (hi - lo) *
                       std::sin(u) / 2;
            };
            for (int i = 0; i < kSteps; ++i) {
                const Real a = pi * i / kSteps, c = pi * (i + 1) / kSteps;
                A += (c - a) / 6 * (f(a) + 4 * f((a + c) / 2) + f(c));
            }
            lo = hi;
        }
        return A;
    }
};

TEST(Egg, PublishedConstantsAndShallowDepths) {
    const double H = 1.8;
    const auto egg = shapeNamed("egg")->make({H}, {}, UnitSystem::SI);
    const double A = egg->fullArea(), P = egg->fullPerimeter();
    EXPECT_NEAR(A / (H * H), 0.5105, 0.00005);
    EXPECT_NEAR(P / (H / 3), 7.92989, 0.000005);
    EXPECT_NEAR(A / P / H, 0.19311, 0.000005);
    EXPECT_NEAR(egg->span(), 2 * H / 3, 1e-15);
    const double Rfull = A / P, Tmax = egg->span();
    const struct {
        double depthRatio, areaRatio, radiusRatio, widthRatio;
    } shallow[] = {{0.04, 0.0116, 0.130, 0.325}, {0.08, 0.0316, 0.244, 0.427}};
    for (const auto& s : shallow) {
        const double y = s.depthRatio * H;
        EXPECT_NEAR(egg->area(y) / A, s.areaRatio, 0.00005) << y;
        EXPECT_NEAR(egg->area(y) / egg->perimeter(y) / Rfull, s.radiusRatio, 0.0005) << y;
        // The published widths are read off a drawing: 0.427 at 0.08 H where the arcs give
        // 0.4295.
        EXPECT_NEAR(egg->topWidth(y) / Tmax, s.widthRatio, 0.003) << y;
    }
    // The area at any depth, against the width integrated on its own.
    const EggByWidth independent{Real(H) / 3};
    for (double ratio : {0.01, 0.05, 0.2, 0.5, 0.66, 0.9, 0.999, 1.0}) {
        const Real want = independent.area(Real(ratio * H));
        EXPECT_NEAR(egg->area(ratio * H), static_cast<double>(want), 1e-12 * A) << ratio;
    }
}

} // namespace
} // namespace runnelex::sections
