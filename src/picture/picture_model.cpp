// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picture_model.h"

#include "calc/display_run.h"
#include "calc/number_text.h"
#include "elements/normal_depths.h"
#include "engine/arith.h"
#include "input/units.h"

namespace runnelex::picture {

namespace {

// A flow in the unit the main window shows, and its caption with that unit's decimals.
struct FlowUnit {
    std::string code;
    double toShown(double cfs) const {
        double shown = cfs;
        units::flowFromCfs(cfs, code, shown);
        return shown;
    }
    std::string text(double cfs) const {
        return displayNumber(toShown(cfs), code == "GPM" ? kGpmDigits : kDigits) + ' ' + code;
    }
};

std::string ft(double value) {
    return displayNumber(value) + " ft";
}

void describe(PictureModel& m, const FlowUnit& unit, const elements::NormalDepths& depths) {
    const std::string peak =
        unit.text(depths.peak.value) + " at d/D " + displayNumber(depths.peak.depth / m.D);
    switch (*m.outcome) {
    case Outcome::NoDesignFlow:
        m.note = "No design flow: the chart shows the pipe's hydraulic elements.";
        break;
    case Outcome::OpenChannel:
        m.note = m.otherDepth
                     ? "Two normal depths: " + ft(*m.normalDepth) + " (shown) and " +
                           ft(*m.otherDepth) +
                           " near the crown; the upper one is unstable and the pipe may run full."
                     : std::string("One normal depth: the design flow is at most the full-pipe "
                                   "flow.");
        break;
    case Outcome::Surcharged:
        m.note = depths.lower && depths.upper
                     ? "Surcharged! The flow is above the flow at 0.93 of the diameter; it would "
                       "have the open-channel depths " +
                           ft(*depths.lower) + " and " + ft(*depths.upper) +
                           ", below the largest open-channel flow " + peak + "."
                     : "Surcharged! The flow is above the largest open-channel flow " + peak + ".";
        break;
    case Outcome::InputsInvalid:
        break;
    }
}

void build(const CalcInputs& in, const CalcEntry* entry, const CalcResults& r, PictureModel& m) {
    const FlowUnit unit{units::capacityHeading(in.Unitflow).empty() ? "CFS" : in.Unitflow};
    m.flowUnit = unit.code;
    m.flowTitle = units::capacityHeading(unit.code);
    m.D = in.DiamFt;
    m.diameterText = "D = " + ft(m.D);
    const bool flow = r.outcome != Outcome::NoDesignFlow;
    if (entry) {
        const auto item = [](const auto& items, int index) {
            return index >= 0 && index < static_cast<int>(items.size())
                       ? std::string(items[static_cast<std::size_t>(index)])
                       : std::string();
        };
        m.title = "D = " + entry->diam + ' ' + item(units::kDiamItems, entry->diamUnit) +
                  "   S = " + entry->slope + ' ' + item(units::kSlopeItems, entry->slopeUnit) +
                  "   n = " + entry->n + "   Q = " +
                  (flow ? entry->flow + ' ' + item(units::kFlowItems, entry->flowUnit) : "none");
    } else {
        m.title = m.diameterText + "   S = " + displayNumber(in.SlopeFtFt) +
                  " ft/ft   n = " + displayNumber(in.ManningN) +
                  "   Q = " + (flow ? unit.text(in.Qcfs) : "none");
    }

    const elements::Pipe pipe{in.DiamFt, in.SlopeFtFt, in.ManningN};
    const elements::NormalDepths depths = normalDepths(pipe, in.Qcfs);
    m.fullFlow = unit.toShown(depths.fullFlow);
    m.qmax = unit.toShown(*r.Qmax);
    m.peakFlow = unit.toShown(depths.peak.value);
    m.peakRatio = depths.peak.depth / m.D;
    m.zoneStartRatio = elements::twoDepthZoneStart(pipe) / m.D;
    m.curve = elements::elementCurve(pipe, 200);
    for (elements::ElementPoint& p : m.curve)
        p.Q = unit.toShown(p.Q);

    std::string other[3];
    if (r.outcome == Outcome::OpenChannel) {
        m.normalDepth = r.Dnorm;
        m.criticalDepth = r.Dcr;
        m.normalText = "Dnorm = " + ft(*r.Dnorm);
        m.criticalText = "Dcr = " + ft(*r.Dcr);
        m.designFlow = unit.toShown(in.Qcfs);
        m.designRatio = r.DoverD;
        m.designVelocity = r.Vnorm;
        if (depths.upper) {
            m.otherDepth = depths.upper;
            m.otherRatio = *depths.upper / m.D;
            m.otherText = "other Dnorm = " + ft(*depths.upper);
            other[0] = displayNumber(*depths.upper);
            other[1] = displayNumber(*m.otherRatio);
            other[2] = displayNumber(elements::velocityAtDepth(pipe, *depths.upper));
        }
    } else if (r.outcome == Outcome::Surcharged) {
        m.designFlow = unit.toShown(in.Qcfs);
        m.designRatio = 1.0;
    }
    for (int i = 0; i < 3; ++i)
        m.labels.emplace_back(kOtherDepthLabels[i], other[i]);
    m.labels.emplace_back("lblrQpeak", unit.text(depths.peak.value));
    m.labels.emplace_back("lblrDoverDpeak", displayNumber(m.peakRatio));
    describe(m, unit, depths);
}

} // namespace

std::string flowText(const PictureModel& m, double shown) {
    return displayNumber(shown, m.flowUnit == "GPM" ? kGpmDigits : kDigits) + ' ' + m.flowUnit;
}

std::string describePicture(const PictureModel& m) {
    if (!m.drawable)
        return m.fault ? calcFaultMessage(*m.fault) : kNoPipeText;
    std::string about = m.title + ". Cross-section: ";
    if (m.outcome == Outcome::Surcharged)
        about += "flowing full, surcharged";
    else if (m.normalDepth)
        about += "water at " + m.normalText;
    else
        about += "no design flow";
    if (m.criticalDepth)
        about += ", critical depth " + m.criticalText + " dashed";
    if (m.otherDepth)
        about += ", " + m.otherText + " dotted";
    about += ". Chart of flow and velocity against d/D: ";
    if (m.designFlow && m.designRatio)
        about += "design point " + flowText(m, *m.designFlow) + " at d/D " +
                 displayNumber(*m.designRatio) + ", ";
    return about + "Qmax " + flowText(m, m.qmax) + " at 0.93, Q full " + flowText(m, m.fullFlow) +
           ". " + m.note;
}

PictureModel buildPictureModel(const CalcInputs& in, const CalcEntry* entry) {
    PictureModel m;
    const CalcResults r = computeCalculation(in);
    m.outcome = r.outcome;
    m.fault = r.fault;
    if (r.fault || !r.outcome || r.outcome == Outcome::InputsInvalid)
        return m;
    try {
        build(in, entry, r, m);
        m.drawable = true;
    } catch (const hydrocalc::ArithmeticError& e) {
        m.fault = e.what();
    }
    return m;
}

} // namespace runnelex::picture
