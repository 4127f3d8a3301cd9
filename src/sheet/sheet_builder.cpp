// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/sheet_builder.h"

#include <charconv>
#include <ctime>

#include "calc/display_run.h"
#include "engine/arith.h"
#include "hydraulics/conduit.h"
#include "input/units.h"
#include "sheet/sheet_method.h"
#include "version/version.h"

namespace runnelex::sheet {

namespace {

using Row = std::vector<std::string>;

std::string item(const auto& items, int index) {
    return index >= 0 && index < static_cast<int>(items.size())
               ? std::string(items[static_cast<std::size_t>(index)])
               : std::string();
}

SheetBlock inputsBlock(const CalcEntry& entry, const CalcInputs& in) {
    const units::UnitLists lists = units::unitLists(entry.system);
    SheetBlock b;
    b.heading = "Inputs, as typed";
    b.columns = {"Input", "Symbol", "Value", "Unit"};
    b.rows.push_back({"Units", "", entry.system == UnitSystem::SI ? "SI" : "US customary", ""});
    b.rows.push_back({"Shape", "", std::string(entry.shape->caption), ""});
    for (const sections::DimensionSpec& d : entry.shape->dimensions) {
        if (d.word.empty())
            continue;
        const std::string& text = entry.dimensions.get(d.word);
        if (!d.isLength() && text.empty())
            continue; // an alternative not taken (an arch's radii beside its family)
        b.rows.push_back({std::string(d.caption), std::string(d.symbol), text,
                          d.isLength() ? item(lists.diam, entry.diamUnit) : std::string()});
    }
    b.rows.push_back({"Slope", "S", entry.slope, item(lists.slope, entry.slopeUnit)});
    const friction::CoefficientSpec& c = entry.law->coefficient;
    b.rows.push_back(
        {std::string(c.caption), std::string(c.word), entry.n,
         c.units.empty()
             ? std::string()
             : std::string(
                   c.units[friction::coefficientUnit(*in.Law, in.LawParams, in.System)].word)});
    for (const friction::ParameterSpec& p : entry.law->parameters)
        if (const std::string& text = entry.lawTexts.get(p.word); !text.empty())
            b.rows.push_back({std::string(p.caption), std::string(p.word), text,
                              std::string(entry.system == UnitSystem::SI ? p.siUnit : p.usUnit)});
    b.rows.push_back({"Design flow", "Q", entry.flow, item(lists.flow, entry.flowUnit)});
    return b;
}

SheetBlock sectionBlock(const sections::Section& s, const units::ResultUnits& u,
                        const Number& number) {
    SheetBlock b;
    b.heading = "Section";
    b.columns = {"Property", "Symbol", "Value", "Unit"};
    b.rows = {{"Rise", "D", number(s.rise()), u.depth},
              {"Span", "B", number(s.span()), u.depth},
              {"Area flowing full", "Afull", number(s.fullArea()), u.area},
              {"Wetted perimeter flowing full", "Pfull", number(s.fullPerimeter()), u.perimeter},
              {"Hydraulic radius flowing full", "Rfull",
               number(hydrocalc::checked::div(s.fullArea(), s.fullPerimeter())), u.depth}};
    return b;
}

SheetBlock resultsBlock(const CalcSession& session, const picture::PictureModel& m,
                        const units::ResultUnits& u) {
    const LabelTexts& l = session.labels();
    SheetBlock b;
    b.heading = "Results";
    b.columns = {"Result", "Symbol", "Value", "Unit"};
    b.rows = {{"Normal depth", "Dnorm", l[Label::Dnorm], u.depth},
              {"Flow area", "A", l[Label::AreaW], u.area},
              {"Wetted perimeter", "P", l[Label::PerimW], u.perimeter},
              {"Hydraulic radius", "R", l[Label::Rh], u.depth},
              {"Velocity", "V", l[Label::Vnorm], u.velocity},
              {"Depth ratio", "d/D", l[Label::DoverD], ""},
              {"Froude number", "Fr", l[Label::FrNo], ""},
              {"Flow regime", "", l[Label::Regime], ""},
              {"Critical depth", "Dcr", l[Label::Dcr], u.depth}};
    const auto label = [&m](std::string_view name) {
        for (const auto& [control, caption] : m.labels)
            if (control == name)
                return caption;
        return std::string();
    };
    if (m.otherDepth)
        for (Row row :
             std::vector<Row>{{"Other normal depth", "Dnorm2", label("lblrDnorm2"), u.depth},
                              {"Its depth ratio", "d/D", label("lblrDoverD2"), ""},
                              {"Its velocity", "V", label("lblrVnorm2"), u.velocity}})
            b.rows.push_back(std::move(row));
    if (m.drawable)
        b.rows.push_back({"Largest open-channel flow", "Qpeak", label("lblrQpeak"),
                          "at d/D " + label("lblrDoverDpeak")});
    b.rows.push_back({"Full-flow slope", "Hf", l[Label::Hf], u.slope});
    b.rows.push_back({"Full-flow velocity", "Vfull", l[Label::Vfull], u.velocity});
    b.lines.push_back(l[Label::FullCondition] + l[Label::FullCause] +
                      " the slope Hf and velocity Vfull carry the design flow.");
    if (!m.note.empty())
        b.lines.push_back(m.note);
    return b;
}

SheetBlock capacityBlock(const CalcSession& session, const units::ResultUnits& u) {
    const LabelTexts& l = session.labels();
    SheetBlock b;
    b.heading = "Capacity";
    b.columns = {"d/D", l[Label::CapQ], u.capacityV};
    b.rows = {{"0.50", l[Label::Q050], l[Label::V050]},
              {"0.75", l[Label::Q075], l[Label::V075]},
              {"0.93", l[Label::Q093], l[Label::V093]},
              {"1.00", l[Label::Q100], l[Label::V100]}};
    b.lines.push_back("A design flow above the flow at 0.93 of the rise (Max Q) is surcharged.");
    return b;
}

} // namespace

std::string todayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

SheetDocument buildSheet(const CalcSession& session, const SheetTitle& title) {
    SheetDocument doc;
    const CalcInputs& in = session.inputs();
    const CalcEntry entry = session.entry();
    doc.title = title;
    if (doc.title.date.empty())
        doc.title.date = todayText();
    if (doc.title.reach.empty())
        doc.title.reach = entry.pipe;
    doc.program = std::string(version::kAppTitle).append(" ").append(version::kText);
    doc.system = in.System;
    const units::ResultUnits& u = units::resultUnits(in.System);
    picture::PictureModel m = picture::buildPictureModel(in, &entry);
    doc.subject = std::string(in.Shape->caption) + ", " + std::string(in.Law->equation);
    if (m.drawable)
        doc.subject.append(": ").append(m.title);
    doc.blocks.push_back(inputsBlock(entry, in));
    doc.blocks.push_back(lawBlock(in));
    const Number number = [&m](double v) {
        return displayNumber(v, kDigits, m.digits);
    };
    if (sectionComplete(in)) {
        try {
            const auto section = in.Shape->make(in.Dims, in.Texts, in.System);
            doc.blocks.push_back(sectionBlock(*section, u, number));
        } catch (const hydrocalc::ArithmeticError&) {
            // the results block says what stopped the calculation
        }
    }
    doc.blocks.push_back(resultsBlock(session, m, u));
    if (!m.drawable)
        doc.blocks.back().lines.push_back(m.fault ? calcFaultMessage(*m.fault) : m.prompt);
    doc.blocks.push_back(capacityBlock(session, u));
    if (m.drawable && session.lastResults())
        doc.blocks.push_back(methodBlock(in, *session.lastResults()));
    if (m.drawable)
        doc.picture = std::move(m);
    return doc;
}

} // namespace runnelex::sheet
