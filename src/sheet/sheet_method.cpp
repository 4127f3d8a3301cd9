// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/sheet_method.h"

#include <charconv>

#include "engine/arith.h"
#include "hydraulics/conduit.h"
#include "input/units.h"

namespace runnelex::sheet {

namespace {

using namespace hydrocalc::checked;

// A computed value a checker compares with the equation's other side: fixed decimals, so that
// the digits it agrees to show ("2.0000").
std::string fixedText(double value) {
    char text[64];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, kDigits);
    return ec == std::errc() ? std::string(text, end) : displayNumber(value);
}

std::string lengthText(double value, const units::ResultUnits& u) {
    return methodNumber(value) + ' ' + u.depth;
}

} // namespace

std::string methodNumber(double value) {
    return displayNumber(value, kDigits, DigitRule::Significant);
}

SheetBlock lawBlock(const CalcInputs& in) {
    const auto law = in.Law->make(in.ManningN, in.LawParams, in.System);
    SheetBlock b;
    b.heading = "Friction law";
    b.equations = true;
    b.lines.push_back(std::string(in.Law->caption) + " (" + std::string(in.Law->equation) +
                      "), in " + (in.System == UnitSystem::SI ? "SI units" : "US customary units") +
                      ":");
    for (std::string& line : law->formula(generalNumberText))
        b.lines.push_back("  " + line);
    const units::ResultUnits& u = units::resultUnits(in.System);
    b.lines.push_back("Froude number and critical depth: Fr = Q (T / (g A³))^(1/2), g = " +
                      generalNumberText(hydraulics::gravity(in.System)) + ' ' + u.depth + "/s²");
    b.lines.push_back(std::string("A flow area, P wetted perimeter, R = A/P, T water-surface "
                                  "width, S slope, all in ") +
                      u.depth + ", " + u.slope + " and " + u.flowSmall + ".");
    return b;
}

SheetBlock methodBlock(const CalcInputs& in, const CalcResults& r) {
    const auto section = in.Shape->make(in.Dims, in.Texts, in.System);
    const auto law = in.Law->make(in.ManningN, in.LawParams, in.System);
    const hydraulics::Conduit conduit(*section, *law, in.SlopeFtFt, in.System);
    const units::ResultUnits& u = units::resultUnits(in.System);
    const std::string flowUnit = std::string(" ") + u.flowSmall;
    const std::string g = generalNumberText(conduit.g());
    SheetBlock b;
    b.heading = "Method";
    b.equations = true;
    const auto flowLines = [&](const std::string& what, double y, double Q) {
        const double A = section->area(y), P = section->perimeter(y);
        const double R = div(A, P);
        b.lines.push_back(what + " y = " + lengthText(y, u) + ": A = " + methodNumber(A) +
                          ", P = " + methodNumber(P) + ", R = A/P = " + methodNumber(R));
        std::vector<std::string> terms = law->flowTerms(A, R, in.SlopeFtFt, methodNumber);
        for (std::size_t i = 0; i + 1 < terms.size(); ++i)
            b.lines.push_back("  " + terms[i]);
        b.lines.push_back("  Q = " + terms.back() + " = " + fixedText(Q) + flowUnit);
    };

    if (r.outcome == Outcome::OpenChannel && r.Dnorm && r.Qnorm) {
        b.lines.push_back("Normal depth: the depth at which the law carries the design flow " +
                          methodNumber(in.Qcfs) + flowUnit + ".");
        flowLines("At the normal depth,", *r.Dnorm, *r.Qnorm);
        const double y = *r.Dnorm, A = section->area(y), T = section->topWidth(y);
        if (r.FrNo)
            b.lines.push_back("Froude number, with T = " + methodNumber(T) + ":");
        b.lines.push_back("  Fr = " + methodNumber(*r.Qnorm) + " × (" + methodNumber(T) + " / (" +
                          g + " × " + methodNumber(A) + "³))^(1/2) = " + fixedText(*r.FrNo));
        if (r.Dcr) {
            const double yc = *r.Dcr, Ac = section->area(yc), Tc = section->topWidth(yc);
            const double Q = *r.Qnorm;
            b.lines.push_back("Critical depth y = " + lengthText(yc, u) +
                              ": T = " + methodNumber(Tc) + ", A = " + methodNumber(Ac));
            b.lines.push_back("  Q² T / (g A³) = " + methodNumber(Q) + "² × " + methodNumber(Tc) +
                              " / (" + g + " × " + methodNumber(Ac) + "³) = " +
                              fixedText(div(mul(mul(Q, Q), Tc), mul(conduit.g(), pow(Ac, 3.0)))));
        }
        b.lines.push_back(
            conduit.engineRoute()
                ? "The normal depth is found as the calculator has always found "
                  "it: a bisection of the depth ratio, stopped once the flow is "
                  "within its tolerance of the design flow."
                : "The normal depth is found to the last bit: a search on the doubles "
                  "themselves ends where the flow crosses the design flow between "
                  "two neighbouring depths.");
        b.lines.push_back(
            section->engineCircle()
                ? "The critical depth is found by a march up from the invert in steps of "
                  "D/10000, stopping at the first step where the flow is no longer "
                  "supercritical; it lies less than one step above the exact depth."
            : section->criticalDepth(1.0, conduit.g())
                ? "The critical depth is the section's closed form, (Q² / (g B²))^(1/3)."
                : "The critical depth is found to the last bit: a search on the doubles "
                  "ends where the flow stops being supercritical between two neighbouring "
                  "depths.");
    } else if (r.outcome == Outcome::Surcharged && r.Qmax) {
        b.lines.push_back("Surcharged: the design flow " + methodNumber(in.Qcfs) + flowUnit +
                          " is above Max Q " + methodNumber(*r.Qmax) + flowUnit +
                          ", the flow at 0.93 of the rise; the conduit flows full.");
    }
    if (r.Capacity.size() == kCapacityRatios.size())
        flowLines("Flowing full,", section->rise(), r.Capacity.back().Q);
    if (r.Vfull && r.Hf && r.Afull && r.Rfull) {
        b.lines.push_back("  Vfull = Q / Afull = " + methodNumber(in.Qcfs) + " / " +
                          methodNumber(*r.Afull) + " = " + fixedText(*r.Vfull) + ' ' + u.velocity);
        b.lines.push_back("  Hf, the slope at which the law gives Vfull: " + methodNumber(*r.Hf) +
                          ' ' + u.slope);
    }
    return b;
}

} // namespace runnelex::sheet
