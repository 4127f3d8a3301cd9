// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/hydrocalc.h"

#include <cmath>

namespace runnelex::hydrocalc {

using namespace checked;

namespace {
double piByAtan() {
    return 4.0 * std::atan(1.0);
}
} // namespace

double fArccos(double x) {
    // atan(-x / sqrt(1 - x^2)) + pi/2; no guard of its own: |x| = 1 divides by zero.
    const double oneMinusSq = add(mul(-x, x), 1.0);
    const double root = sqrt(oneMinusSq);
    const double quotient = div(-x, root);
    return add(std::atan(quotient), 2.0 * std::atan(1.0));
}

double fTheta(double r) {
    if (r <= 0.0)
        return 0.0;
    if (r >= 1.0)
        return piByAtan();
    return fArccos(sub(1.0, add(r, r)));
}

double fAreaW(double D, double B, double d, ShapeCode shape) {
    switch (shape) {
    case kCircular: {
        const double theta = fTheta(div(d, D));
        const double bracket = sub(theta, mul(std::sin(theta), std::cos(theta)));
        return mul(bracket, div(mul(D, D), 4.0));
    }
    case kRectangle:
        return mul(B, d);
    default:
        return 0.0;
    }
}

double fPerimW(double D, double B, double d, ShapeCode shape) {
    switch (shape) {
    case kCircular:
        return mul(fTheta(div(d, D)), D);
    case kRectangle:
        if (d > 0.0 && d < D)
            return add(mul(2.0, d), B);
        return mul(add(D, B), 2.0);
    default:
        return 0.0;
    }
}

double fRh(double A, double P) {
    if (P <= 0.0)
        return 0.0;
    return div(A, P);
}

double fVmanning(double n, double R, double S) {
    const double rootS = sqrt(S);
    const double rPow = pow(R, 2.0 / 3.0);
    const double product = mul(rPow, rootS);
    const double k = div(kManningK, n);
    return mul(k, product);
}

double fSfManning(double V, double R, double n) {
    const double vn = div(mul(V, n), kManningK);
    return pow(div(vn, pow(R, 2.0 / 3.0)), 2.0);
}

double fDnormal(double n, double D, double B, ShapeCode shape, double S, double Q, int* passes) {
    double hi = mul(kNormalTop, D);
    double lo = 0.0;
    double y = div(hi, 2.0);
    double c = 1.0; // pass counter, a double as the solver has always kept it

    double qc = 0.0;
    const auto relError = [&](double depth) {
        const double A = fAreaW(D, B, depth, shape);
        const double P = fPerimW(D, B, depth, shape);
        const double R = fRh(A, P);
        qc = mul(fVmanning(n, R, S), A);
        return div(std::fabs(sub(qc, Q)), Q);
    };

    double e = relError(y);
    int done = 0;
    if (e > kNormalTol) {
        for (;;) {
            c = c + 1.0;
            ++done;
            if (qc < Q)
                lo = y;
            else
                hi = y;
            y = div(add(lo, hi), 2.0);
            e = relError(y);
            if (c > kNormalMaxPasses || e <= kNormalTol)
                break;
        }
    }
    if (passes)
        *passes = done;
    return y;
}

double fFroude(double D, double d, double Q) {
    const double theta = fTheta(div(d, D));
    const double s = std::sin(theta);
    const double co = std::cos(theta);
    const double numerator = mul(mul(Q, Q), mul(s, D));
    const double area = mul(sub(theta, mul(s, co)), div(mul(D, D), 4.0));
    return pow(div(numerator, mul(kGravityFroude, pow(area, 3.0))), 0.5);
}

double fDcritical(double D, double B, double Q, ShapeCode shape, const Notify& notify) {
    switch (shape) {
    case kCircular:
        return fDcritCircular(D, Q);
    case kRectangle: {
        const double qq = mul(Q, Q);
        const double denom = mul(pow(B, 2.0), kGravityRect);
        return pow(div(qq, denom), 1.0 / 3.0);
    }
    default:
        if (notify)
            notify(kShapeMessage);
        return fDcritCircular(D, Q);
    }
}

double fDcritCircular(double D, double Q) {
    const double h = mul(kCritStep, D);
    double y = h;
    const double f0 = fFroude(D, y, Q);
    if (f0 < 1.0)
        return h; // the critical depth lies below the first step
    y = add(y, h);
    double f = fFroude(D, y, Q);
    while (mul(f0 - 1.0, f - 1.0) > 0.0) {
        if (y >= D)
            return D; // the march ends at the crown
        y = add(y, h);
        f = fFroude(D, y, Q);
    }
    return y;
}

} // namespace runnelex::hydrocalc
