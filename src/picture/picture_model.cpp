// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picture_model.h"

#include "calc/display_run.h"
#include "calc/number_text.h"
#include "elements/normal_depths.h"
#include "engine/arith.h"
#include "input/units.h"
#include "sections/exact_depths.h"

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

// A length with the unit of the model's system: "0.5359 ft", "0.153 m".
std::string length(const PictureModel& m, double value) {
    return displayNumber(value) + ' ' + m.lengthUnit;
}

// A name as it reads inside a sentence.
std::string lower(const char* name) {
    std::string s = name;
    if (!s.empty() && s[0] >= 'A' && s[0] <= 'Z')
        s[0] = static_cast<char>(s[0] - 'A' + 'a');
    return s;
}

// A box's flow rises all the way to the crown and drops to the full-flow capacity when the
// lid is wetted: one normal depth for every open-channel flow.
void describeClosedBox(PictureModel& m, const FlowUnit& unit, double peakCfs) {
    const std::string peak = std::string(kPeakName) + " " + unit.text(peakCfs) +
                             " just under the crown, the lid not touching";
    switch (*m.outcome) {
    case Outcome::NoDesignFlow:
        m.note = "No design flow: the chart shows the conduit's hydraulic elements; the " +
                 std::string(kPeakName) + " is " + unit.text(peakCfs) +
                 " just under the crown, the lid not touching.";
        break;
    case Outcome::OpenChannel:
        m.note = "One normal depth: the flow rises to the crown (" + peak +
                 ") and drops to the full-flow capacity when the lid is wetted.";
        break;
    case Outcome::Surcharged:
        m.note = "Surcharged! The flow is above the flow at 0.93 of the rise; " + peak + ".";
        break;
    case Outcome::InputsInvalid:
        break;
    }
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
                     ? "Two normal depths: " + length(m, *m.normalDepth) + " (shown) and " +
                           length(m, *m.otherDepth) +
                           " near the crown; the upper one is unstable and the pipe may run full."
                     : std::string("One normal depth: the design flow is at most the full-pipe "
                                   "flow.");
        break;
    case Outcome::Surcharged:
        m.note = depths.lower && depths.upper
                     ? "Surcharged! The flow is above the flow at 0.93 of the diameter; it would "
                       "have the open-channel depths " +
                           length(m, *depths.lower) + " and " + length(m, *depths.upper) +
                           ", below the " + lower(kPeakName) + " " + peak + "."
                     : "Surcharged! The flow is above the " + lower(kPeakName) + " " + peak + ".";
        break;
    case Outcome::InputsInvalid:
        break;
    }
}

std::string item(const auto& items, int index) {
    return index >= 0 && index < static_cast<int>(items.size())
               ? std::string(items[static_cast<std::size_t>(index)])
               : std::string();
}

// The conduit's size: "D = 12 in.", "Side = 4 ft.", "Span x rise = 6 x 4 ft.".
std::string sizeText(sections::Shape shape, const std::string& first, const std::string& second,
                     const std::string& unit) {
    switch (shape) {
    case sections::Shape::Square:
        return "Side = " + first + ' ' + unit;
    case sections::Shape::Box:
        return "Span x rise = " + first + " x " + second + ' ' + unit;
    case sections::Shape::Circle:
        break;
    }
    return "D = " + first + ' ' + unit;
}

// The chart of a square or a box from its own geometry: the flow and velocity rise to the
// crown (the lid not touching), then drop to the full-flow values at d/D 1.
void closedBoxCurve(const sections::Section& s, const CalcInputs& in, const FlowUnit& unit,
                    PictureModel& m, const sections::PeakFlow& peak, double fullCfs) {
    const sections::Hydraulics& h =
        in.System == UnitSystem::SI ? sections::kMetric : sections::kUsCustomary;
    constexpr int kIntervals = 200;
    const double full = s.fullArea();
    for (int i = 0; i < kIntervals; ++i) {
        const double ratio = static_cast<double>(i) / kIntervals, y = ratio * m.D;
        const double A = s.area(y);
        const double Q = sections::flowAtDepth(s, h, in.ManningN, in.SlopeFtFt, y);
        m.curve.push_back({ratio, unit.toShown(Q), A > 0.0 ? Q / A : 0.0});
    }
    m.curve.push_back({1.0, unit.toShown(peak.flow), peak.flow / full});
    m.curve.push_back({1.0, unit.toShown(fullCfs), fullCfs / full});
}

void build(const CalcInputs& in, const CalcEntry* entry, const CalcResults& r, PictureModel& m) {
    const units::ResultUnits& shown = units::resultUnits(in.System);
    const FlowUnit unit{units::capacityHeading(in.Unitflow).empty()
                            ? std::string(units::unitLists(in.System).flow[0])
                            : in.Unitflow};
    const bool circle = in.Shape == sections::Shape::Circle;
    m.flowUnit = unit.code;
    m.flowTitle = units::capacityHeading(unit.code);
    m.shape = in.Shape;
    m.D = in.DiamFt;
    m.span = in.Shape == sections::Shape::Box ? in.SpanFt : in.DiamFt;
    m.diameterText =
        in.Shape == sections::Shape::Box
            ? sizeText(in.Shape, displayNumber(m.span), displayNumber(m.D), m.lengthUnit)
            : sizeText(in.Shape, displayNumber(m.D), "", m.lengthUnit);
    const bool flow = r.outcome != Outcome::NoDesignFlow;
    if (entry) {
        // The inputs as typed, with the words of the lists that entry's positions are in.
        const units::UnitLists lists = units::unitLists(entry->system);
        const bool box = in.Shape == sections::Shape::Box;
        m.title = (entry->pipe.empty() ? "" : "Pipe " + entry->pipe + "   ") +
                  sizeText(in.Shape, box ? entry->span : entry->diam, box ? entry->rise : "",
                           item(lists.diam, entry->diamUnit)) +
                  "   S = " + entry->slope + ' ' + item(lists.slope, entry->slopeUnit) +
                  "   n = " + entry->n + "   Q = " +
                  (flow ? entry->flow + ' ' + item(lists.flow, entry->flowUnit) : "none");
    } else {
        m.title = m.diameterText + "   S = " + displayNumber(in.SlopeFtFt) + ' ' + shown.slope +
                  "   n = " + displayNumber(in.ManningN) +
                  "   Q = " + (flow ? unit.text(in.Qcfs) : "none");
    }

    m.qmax = unit.toShown(*r.Qmax);
    std::string other[3];
    double peakCfs = 0.0;
    std::optional<elements::NormalDepths> pipeDepths; // a circle's, for its note
    if (circle) {
        const elements::Pipe pipe{in.DiamFt, in.SlopeFtFt, in.ManningN, in.System};
        const elements::NormalDepths depths = normalDepths(pipe, in.Qcfs);
        m.fullFlow = unit.toShown(depths.fullFlow);
        peakCfs = depths.peak.value;
        m.peakRatio = depths.peak.depth / m.D;
        m.zoneStartRatio = elements::twoDepthZoneStart(pipe) / m.D;
        m.twoDepthZone = true;
        m.curve = elements::elementCurve(pipe, 200);
        for (elements::ElementPoint& p : m.curve)
            p.Q = unit.toShown(p.Q);
        if (r.outcome == Outcome::OpenChannel && depths.upper) {
            m.otherDepth = depths.upper;
            m.otherRatio = *depths.upper / m.D;
            m.otherText = "other Dnorm = " + length(m, *depths.upper);
            other[0] = displayNumber(*depths.upper);
            other[1] = displayNumber(*m.otherRatio);
            other[2] = displayNumber(elements::velocityAtDepth(pipe, *depths.upper));
        }
        pipeDepths = depths;
    } else {
        const auto section = sections::makeSection(in.Shape, m.span, m.D);
        const sections::PeakFlow peak = sections::peakFlow(
            *section, in.System == UnitSystem::SI ? sections::kMetric : sections::kUsCustomary,
            in.ManningN, in.SlopeFtFt);
        const double fullCfs = r.Capacity.back().Q;
        m.fullFlow = unit.toShown(fullCfs);
        peakCfs = peak.flow;
        m.peakRatio = peak.depth / m.D;
        closedBoxCurve(*section, in, unit, m, peak, fullCfs);
    }
    m.peakFlow = unit.toShown(peakCfs);

    if (r.outcome == Outcome::OpenChannel) {
        m.normalDepth = r.Dnorm;
        m.criticalDepth = r.Dcr;
        m.normalText = "Dnorm = " + length(m, *r.Dnorm);
        m.criticalText = "Dcr = " + length(m, *r.Dcr);
        m.designFlow = unit.toShown(in.Qcfs);
        m.designRatio = r.DoverD;
        m.designVelocity = r.Vnorm;
    } else if (r.outcome == Outcome::Surcharged) {
        m.designFlow = unit.toShown(in.Qcfs);
        m.designRatio = 1.0;
    }
    for (int i = 0; i < 3; ++i)
        m.labels.emplace_back(kOtherDepthLabels[i], other[i]);
    m.labels.emplace_back("lblrQpeak", unit.text(peakCfs));
    m.labels.emplace_back("lblrDoverDpeak", displayNumber(m.peakRatio));
    if (pipeDepths)
        describe(m, unit, *pipeDepths);
    else
        describeClosedBox(m, unit, peakCfs);
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
    return about + kMaxQName + " " + flowText(m, m.qmax) + ", " + lower(kPeakName) + " " +
           flowText(m, m.peakFlow) + ", Q full " + flowText(m, m.fullFlow) + ". " + m.note;
}

PictureModel buildPictureModel(const CalcInputs& in, const CalcEntry* entry) {
    PictureModel m;
    m.lengthUnit = units::resultUnits(in.System).depth;
    m.velocityUnit = units::resultUnits(in.System).velocity;
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
