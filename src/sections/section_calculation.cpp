// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/section_calculation.h"

#include "engine/arith.h"
#include "engine/hydrocalc.h"
#include "sections/exact_depths.h"

namespace runnelex::sections {

using namespace hydrocalc::checked;

namespace {

void compute(const Section& s, const Hydraulics& h, double S, double n, double Q, CalcResults& r) {
    const double D = s.rise();
    if (!(D > 0.0) || S <= 0.0 || n <= 0.0) {
        r.outcome = Outcome::InputsInvalid;
        return;
    }
    for (double ratio : kCapacityRatios) {
        const double y = ratio == 1.00 ? D : mul(ratio, D);
        const double A = s.area(y);
        const double P = s.perimeter(y);
        const double V = manningVelocity(h, n, P <= 0.0 ? 0.0 : div(A, P), S);
        r.Capacity.push_back({ratio, V, mul(A, V)});
    }
    r.Qmax = r.Capacity[2].Q;
    if (Q <= 0.0) {
        r.outcome = Outcome::NoDesignFlow;
        return;
    }
    if (Q > *r.Qmax) {
        r.outcome = Outcome::Surcharged;
    } else {
        r.outcome = Outcome::OpenChannel;
        r.Dnorm = normalDepth(s, h, n, S, Q, mul(hydrocalc::kNormalTop, D));
        r.AreaW = s.area(*r.Dnorm);
        r.PerimW = s.perimeter(*r.Dnorm);
        r.Rh = div(*r.AreaW, *r.PerimW);
        r.Vnorm = manningVelocity(h, n, *r.Rh, S);
        r.Qnorm = mul(*r.Vnorm, *r.AreaW);
        // As for the circle, the Froude number and the critical depth follow the flow found
        // at the normal depth.
        r.FrNo = froudeNumber(s, h, *r.Dnorm, *r.Qnorm);
        r.Dcr = criticalDepth(s, h, *r.Qnorm);
        r.DoverD = div(*r.Dnorm, D);
    }
    r.Afull = s.fullArea();
    r.Pfull = s.fullPerimeter();
    r.Rfull = div(*r.Afull, *r.Pfull);
    r.Vfull = div(Q, *r.Afull);
    r.Hf = manningSlope(h, *r.Vfull, *r.Rfull, n);
}

} // namespace

CalcResults computeSectionCalculation(const Section& s, const Hydraulics& h, double S, double n,
                                      double Q) {
    CalcResults r;
    try {
        compute(s, h, S, n, Q, r);
    } catch (const hydrocalc::ArithmeticError& e) {
        r.fault = e.what();
    }
    return r;
}

} // namespace runnelex::sections
