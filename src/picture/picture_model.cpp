// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picture_model.h"

#include "calc/display_run.h"
#include "common/number_text.h"
#include "elements/normal_depths.h"
#include "engine/arith.h"
#include "friction/law_table.h"
#include "hydraulics/conduit.h"
#include "input/units.h"

namespace runnelex::picture {

namespace {

// A flow in the unit the main window shows, and its caption with that unit's decimals.
struct FlowUnit {
    std::string code;
    DigitRule digits = DigitRule::Decimals;
    double toShown(double cfs) const {
        double shown = cfs;
        units::flowFromCfs(cfs, code, shown);
        return shown;
    }
    std::string text(double cfs) const {
        return displayNumber(toShown(cfs), code == "GPM" ? kGpmDigits : kDigits, digits) + ' ' +
               code;
    }
};

// A length with the unit of the model's system: "0.5359 ft", "0.153 m".
std::string length(const PictureModel& m, double value) {
    return numberText(m, value) + ' ' + m.lengthUnit;
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
        unit.text(depths.peak.value) + " at d/D " + numberText(m, depths.peak.depth / m.D);
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

// The unit of a coefficient that is a length (" mm" after Colebrook-White's k), else nothing.
std::string roughnessUnit(const CalcInputs& in) {
    const auto& units = in.Law->coefficient.units;
    if (units.empty())
        return {};
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) of a joined temporary.
    std::string text = " ";
    return text.append(units[friction::coefficientUnit(*in.Law, in.LawParams, in.System)].word);
}

// The conduit's size: "D = 12 in.", "Side = 4 ft.", "Span x rise = 6 x 4 ft.".
std::string sizeText(const sections::ShapeRow& shape, const std::vector<std::string>& values,
                     const std::string& unit) {
    std::string names, numbers, texts;
    for (std::size_t i = 0; i < shape.dimensionCount(); ++i) {
        const std::string value = i < values.size() ? values[i] : std::string();
        if (!shape.dimensions[i].isLength()) { // an arch's family follows its size
            if (!value.empty())
                texts.append(" ").append(value);
            continue;
        }
        std::string symbol(shape.dimensions[i].symbol);
        if (!names.empty() && !symbol.empty() && symbol[0] >= 'A' && symbol[0] <= 'Z')
            symbol[0] = static_cast<char>(symbol[0] - 'A' + 'a');
        names.append(names.empty() ? "" : " x ").append(symbol);
        numbers.append(numbers.empty() ? "" : " x ").append(value);
    }
    if (names.empty()) // a section given by its outline alone: its rise
        return "Outline, rise = " + values.back() + ' ' + unit;
    return names + " = " + numbers + ' ' + unit + texts;
}

void build(const CalcInputs& in, const CalcEntry* entry, const CalcResults& r, PictureModel& m) {
    const units::ResultUnits& shown = units::resultUnits(in.System);
    const FlowUnit unit{units::capacityHeading(in.Unitflow).empty()
                            ? std::string(units::unitLists(in.System).flow[0])
                            : in.Unitflow,
                        m.digits};
    m.flowUnit = unit.code;
    m.flowTitle = units::capacityHeading(unit.code);
    const auto section = in.Shape->make(in.Dims, in.Texts, in.System);
    m.outline = section->outline();
    m.D = section->rise();
    m.span = section->span();
    // The size in the unit of the diameter's list, from the values the results are of: the
    // title and the caption under the section say the same.
    std::vector<std::string> dims;
    const bool inFeet = entry ? entry->diamUnit == 1 : in.DiamInFeet;
    const double perBase = inFeet                        ? 1.0
                           : in.System == UnitSystem::SI ? units::kMmPerM
                                                         : units::kInchesPerFoot;
    for (std::size_t i = 0; i < in.Shape->dimensionCount(); ++i) {
        const sections::DimensionSpec& d = in.Shape->dimensions[i];
        if (d.isLength())
            dims.push_back(numberText(m, hydrocalc::checked::mul(in.Dims[i], perBase)));
        else // a choice (an arch's family) by its word; lengths (radii, outline) not repeated
            dims.push_back(d.text->lengths ? std::string() : d.text->write(in.Texts[i]));
    }
    dims.push_back(numberText(m, hydrocalc::checked::mul(section->rise(), perBase)));
    m.diameterText = sizeText(*in.Shape, dims, units::diamUnitWord(inFeet, in.System));
    const bool flow = r.outcome != Outcome::NoDesignFlow;
    if (entry) {
        // The inputs as typed, with the words of the lists that entry's positions are in.
        const units::UnitLists lists = units::unitLists(entry->system);
        m.title =
            (entry->pipe.empty() ? "" : "Pipe " + entry->pipe + "   ") + m.diameterText +
            "   S = " + entry->slope + ' ' + item(lists.slope, entry->slopeUnit) + "   " +
            std::string(in.Law->coefficient.word) + " = " + entry->n + roughnessUnit(in) +
            "   Q = " + (flow ? entry->flow + ' ' + item(lists.flow, entry->flowUnit) : "none");
    } else {
        m.title = m.diameterText + "   S = " + numberText(m, in.SlopeFtFt) + ' ' + shown.slope +
                  "   " + std::string(in.Law->coefficient.word) + " = " +
                  numberText(m, in.ManningN) + roughnessUnit(in) +
                  "   Q = " + (flow ? unit.text(in.Qcfs) : "none");
    }

    m.qmax = unit.toShown(*r.Qmax);
    std::string other[3];
    double peakCfs = 0.0;
    const auto law = in.Law->make(in.ManningN, in.LawParams, in.System);
    const hydraulics::Conduit conduit(*section, *law, in.SlopeFtFt, in.System);
    const elements::NormalDepths depths = elements::normalDepths(conduit, in.Qcfs);
    m.fullFlow = unit.toShown(depths.fullFlow);
    peakCfs = depths.peak.value;
    m.peakRatio = depths.peak.depth / m.D;
    m.twoDepthZone = section->peaksBelowCrown();
    if (m.twoDepthZone)
        m.zoneStartRatio = elements::twoDepthZoneStart(conduit) / m.D;
    m.curve = elements::elementCurve(conduit, 200);
    for (elements::ElementPoint& p : m.curve)
        p.Q = unit.toShown(p.Q);
    if (r.outcome == Outcome::OpenChannel && depths.upper) {
        m.otherDepth = depths.upper;
        m.otherRatio = *depths.upper / m.D;
        m.otherText = "other Dnorm = " + length(m, *depths.upper);
        other[0] = numberText(m, *depths.upper);
        other[1] = numberText(m, *m.otherRatio);
        other[2] = numberText(m, conduit.velocityAt(*depths.upper));
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
    m.labels.emplace_back("lblrDoverDpeak", numberText(m, m.peakRatio));
    if (m.twoDepthZone)
        describe(m, unit, depths);
    else
        describeClosedBox(m, unit, peakCfs);
    // Open channel above the full-flow capacity: once the crown is wetted, the conduit carries
    // the flow only at the hydraulic slope it needs flowing full.
    if (r.outcome == Outcome::OpenChannel && in.Qcfs > depths.fullFlow && r.Hf) {
        m.capacityNotice = "Above the full-flow capacity " + unit.text(depths.fullFlow) +
                           ": flowing full, the design flow needs a slope of " +
                           displayNumber(*r.Hf) + ' ' + shown.slope + ", the conduit has " +
                           displayNumber(in.SlopeFtFt) + ' ' + shown.slope + ".";
        m.note += ' ' + m.capacityNotice;
    }
}

} // namespace

std::string numberText(const PictureModel& m, double value) {
    return displayNumber(value, kDigits, m.digits);
}

std::string flowText(const PictureModel& m, double shown) {
    return displayNumber(shown, m.flowUnit == "GPM" ? kGpmDigits : kDigits, m.digits) + ' ' +
           m.flowUnit;
}

std::string describePicture(const PictureModel& m) {
    if (!m.drawable)
        return m.fault ? calcFaultMessage(*m.fault) : m.prompt;
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
                 numberText(m, *m.designRatio) + ", ";
    return about + kMaxQName + " " + flowText(m, m.qmax) + ", " + lower(kPeakName) + " " +
           flowText(m, m.peakFlow) + ", Q full " + flowText(m, m.fullFlow) + ". " + m.note;
}

PictureModel buildPictureModel(const CalcInputs& in, const CalcEntry* entry) {
    PictureModel m;
    m.lengthUnit = units::resultUnits(in.System).depth;
    m.velocityUnit = units::resultUnits(in.System).velocity;
    m.digits = digitRuleOf(in);
    m.prompt = in.Shape->prompt();
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
