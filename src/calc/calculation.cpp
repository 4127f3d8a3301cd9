// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calculation.h"

#include "engine/hydrocalc.h"
#include "sections/section_calculation.h"

namespace runnelex {

using namespace hydrocalc;

namespace {

// The width argument is ignored for the circular section.
constexpr double kNoWidth = 0.0;

void compute(const CalcInputs& in, CalcResults& r) {
    const double D = in.DiamFt;
    const double S = in.SlopeFtFt;
    const double n = in.ManningN;
    const double Q = in.Qcfs;

    if (D <= 0.0 || S <= 0.0 || n <= 0.0) {
        r.outcome = Outcome::InputsInvalid;
        return;
    }

    for (double ratio : kCapacityRatios) {
        const double y = ratio == 1.00 ? D : checked::mul(ratio, D);
        const double A = fAreaW(D, kNoWidth, y, kCircular);
        const double P = fPerimW(D, kNoWidth, y, kCircular);
        const double R = fRh(A, P);
        const double V = fVmanning(n, R, S);
        r.Capacity.push_back({ratio, V, checked::mul(A, V)});
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
        r.Dnorm = fDnormal(n, D, kNoWidth, kCircular, S, Q);
        r.AreaW = fAreaW(D, kNoWidth, *r.Dnorm, kCircular);
        r.PerimW = fPerimW(D, kNoWidth, *r.Dnorm, kCircular);
        r.Rh = fRh(*r.AreaW, *r.PerimW);
        r.Vnorm = fVmanning(n, *r.Rh, S);
        r.Qnorm = checked::mul(*r.Vnorm, *r.AreaW);
        // Froude number and critical depth follow the flow found at the normal depth.
        r.FrNo = fFroude(D, *r.Dnorm, *r.Qnorm);
        r.Dcr = fDcritical(D, kNoWidth, *r.Qnorm, kCircular, Notify{});
        r.DoverD = checked::div(*r.Dnorm, D);
    }

    r.Afull = fAreaW(D, kNoWidth, D, kCircular);
    r.Pfull = fPerimW(D, kNoWidth, D, kCircular);
    r.Rfull = checked::div(*r.Afull, *r.Pfull);
    r.Vfull = checked::div(Q, *r.Afull);
    r.Hf = fSfManning(*r.Vfull, *r.Rfull, n);
}

} // namespace

CalcResults computeCalculation(const CalcInputs& in) {
    if (in.Shape != sections::Shape::Circle || in.System != UnitSystem::US) {
        // Every other section, and SI, is computed with exact depths.
        if (in.Shape == sections::Shape::Box && !(in.SpanFt > 0.0)) {
            CalcResults invalid;
            invalid.outcome = Outcome::InputsInvalid;
            return invalid;
        }
        const auto section = sections::makeSection(
            in.Shape, in.Shape == sections::Shape::Box ? in.SpanFt : in.DiamFt, in.DiamFt);
        return sections::computeSectionCalculation(
            *section, in.System == UnitSystem::SI ? sections::kMetric : sections::kUsCustomary,
            in.SlopeFtFt, in.ManningN, in.Qcfs);
    }
    CalcResults r;
    try {
        compute(in, r);
    } catch (const ArithmeticError& e) {
        r.fault = e.what();
    }
    return r;
}

} // namespace runnelex
