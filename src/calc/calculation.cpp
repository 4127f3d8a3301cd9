// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calculation.h"

#include "engine/hydrocalc.h"
#include "friction/law_table.h"
#include "hydraulics/conduit.h"

namespace runnelex {

using namespace hydrocalc::checked;

namespace {

double hydraulicRadius(double A, double P) {
    return P <= 0.0 ? 0.0 : div(A, P);
}

void compute(const sections::Section& s, const friction::FrictionLaw& law, const CalcInputs& in,
             bool headLoss, CalcResults& r) {
    const double D = s.rise();
    const double S = in.SlopeFtFt;
    const double Q = in.Qcfs;
    const hydraulics::Conduit conduit(s, law, S, in.System);

    r.Capacity.reserve(kCapacityRatios.size());
    for (double ratio : kCapacityRatios) {
        const double y = ratio == 1.00 ? D : mul(ratio, D);
        const auto [A, P] = s.wetted(y);
        const double V = law.velocity(hydraulicRadius(A, P), S);
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
        r.Dnorm = conduit.normalDepth(Q, mul(hydrocalc::kNormalTop, D));
        r.AreaW = s.area(*r.Dnorm);
        r.PerimW = s.perimeter(*r.Dnorm);
        r.Rh = hydraulicRadius(*r.AreaW, *r.PerimW);
        r.Vnorm = law.velocity(*r.Rh, S);
        r.Qnorm = mul(*r.Vnorm, *r.AreaW);
        // Froude number and critical depth follow the flow found at the normal depth.
        r.FrNo = conduit.froudeNumber(*r.Dnorm, *r.Qnorm);
        r.Dcr = conduit.criticalDepth(*r.Qnorm);
        r.DoverD = div(*r.Dnorm, D);
    }

    r.Afull = s.fullArea();
    r.Pfull = s.fullPerimeter();
    r.Rfull = div(*r.Afull, *r.Pfull);
    r.Vfull = div(Q, *r.Afull);
    if (headLoss)
        r.Hf = law.slope(*r.Vfull, *r.Rfull);
    else
        law.checkSlope(*r.Vfull, *r.Rfull);
}

} // namespace

bool sectionComplete(const CalcInputs& in) {
    bool alternative = false, anyAlternative = false;
    for (std::size_t i = 0; i < in.Shape->dimensionCount(); ++i) {
        const sections::DimensionSpec& d = in.Shape->dimensions[i];
        if (d.isLength()) {
            if (!(in.Dims[i] > 0.0))
                return false;
        } else if (d.text->alternative) {
            anyAlternative = true;
            alternative = alternative || !in.Texts[i].empty();
        } else if (in.Texts[i].empty()) {
            return false;
        }
    }
    return alternative || !anyAlternative;
}

bool inputsComplete(const CalcInputs& in) {
    return in.SlopeFtFt > 0.0 &&
           (in.ManningN > 0.0 || (in.ManningN == 0.0 && in.Law->coefficient.zeroAllowed)) &&
           sectionComplete(in);
}

CalcResults computeCalculation(const CalcInputs& in, bool headLoss) {
    CalcResults r;
    if (!inputsComplete(in)) {
        r.outcome = Outcome::InputsInvalid;
        return r;
    }
    if (std::string why = in.Shape->faultOf(in.Dims, in.Texts, in.System); !why.empty()) {
        r.fault = std::move(why);
        return r;
    }
    try {
        const auto section = in.Shape->make(in.Dims, in.Texts, in.System);
        const auto law = in.Law->make(in.ManningN, in.LawParams, in.System);
        compute(*section, *law, in, headLoss, r);
    } catch (const hydrocalc::ArithmeticError& e) {
        r.fault = e.what();
    }
    return r;
}

} // namespace runnelex
