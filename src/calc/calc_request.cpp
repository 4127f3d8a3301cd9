// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_request.h"

#include <algorithm>
#include <array>

#include "input/entry_check.h"
#include "input/units.h"
#include "sections/section_text.h"

namespace runnelex {

namespace {

struct UnitPick {
    const std::optional<std::string>* word;
    UnitList list;
    RequestField field;
    const char* what; // "diameter"
};

struct BoxEntry {
    const std::optional<std::string>* text;
    TextBox box;
    RequestField field;
};

template <std::size_t N> std::string choices(const std::array<std::string_view, N>& items) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i)
        text += std::string(i == 0 ? "" : i + 1 == N ? " or " : ", ") + std::string(items[i]);
    return text;
}

// The list's position of a unit word, or why the word names none of its units.
struct UnitWord {
    int index = 0;
    std::string problem;
};

template <std::size_t N>
UnitWord unitWord(const std::array<std::string_view, N>& items,
                  const std::array<std::string_view, N>& others, UnitSystem system,
                  const std::string& word, const char* what) {
    if (const auto i = units::unitWordIndex(items, word))
        return {static_cast<int>(*i), {}};
    if (units::unitWordIndex(others, word))
        return {-1, system == UnitSystem::SI
                        ? "a US customary unit; give --units us, or " + choices(items)
                        : "an SI unit; give --units si, or " + choices(items)};
    return {-1, std::string("unknown ") + what + " unit (" + choices(items) + ")"};
}

} // namespace

std::optional<UnitSystem> requestSystem(const CalcRequest& rq) {
    if (!rq.units)
        return UnitSystem::US;
    for (const auto& [word, system] : {std::pair{"us", UnitSystem::US}, {"si", UnitSystem::SI}})
        if (units::unitWordIndex(std::array<std::string_view, 1>{word}, *rq.units))
            return system;
    return std::nullopt;
}

Replay replay(const CalcRequest& rq, CalcSession& session) {
    Replay r;
    const auto refuse = [&r](RequestField field, const std::string& text, std::string reason) {
        r.status = SessionStatus::Rejected;
        r.field = field;
        r.text = text;
        r.reason = std::move(reason);
        return r;
    };
    const auto faulted = [&r, &session] {
        r.status = SessionStatus::Fault;
        r.fault = session.lastFault();
        return r;
    };
    // Every word is known before anything is computed.
    const std::optional<UnitSystem> system = requestSystem(rq);
    if (!system)
        return refuse(RequestField::Units, *rq.units, "unknown unit system (us or si)");
    const std::optional<sections::Shape> shape =
        rq.shape ? sections::shapeNamed(*rq.shape) : sections::Shape::Circle;
    if (!shape)
        return refuse(RequestField::Shape, *rq.shape, "unknown shape (circle, square or box)");
    const UnitSystem other = *system == UnitSystem::SI ? UnitSystem::US : UnitSystem::SI;
    const units::UnitLists lists = units::unitLists(*system), otherLists = units::unitLists(other);
    const std::array<UnitPick, 3> picks = {
        {{&rq.diamUnit, UnitList::Diam, RequestField::DiamUnit, "diameter"},
         {&rq.slopeUnit, UnitList::Slope, RequestField::SlopeUnit, "slope"},
         {&rq.flowUnit, UnitList::Flow, RequestField::FlowUnit, "flow"}}};
    std::array<int, 3> index{};
    for (std::size_t i = 0; i < picks.size(); ++i) {
        if (!*picks[i].word)
            continue;
        const std::string& word = **picks[i].word;
        const UnitWord w = i == 0 ? unitWord(lists.diam, otherLists.diam, *system, word, "diameter")
                           : i == 1
                               ? unitWord(lists.slope, otherLists.slope, *system, word, "slope")
                               : unitWord(lists.flow, otherLists.flow, *system, word, "flow");
        if (w.index < 0)
            return refuse(picks[i].field, word, w.problem);
        index[i] = w.index;
    }
    if (*system != session.inputs().System && session.selectSystem(*system) == SessionStatus::Fault)
        return faulted();
    if (rq.shape && session.selectShape(*shape) == SessionStatus::Fault)
        return faulted();
    for (std::size_t i = 0; i < picks.size(); ++i)
        if (*picks[i].word && session.selectUnit(picks[i].list, index[i]) == SessionStatus::Fault)
            return faulted();
    const std::array<BoxEntry, 6> entries = {{{&rq.diam, TextBox::Diam, RequestField::Diam},
                                              {&rq.span, TextBox::Span, RequestField::Span},
                                              {&rq.rise, TextBox::Rise, RequestField::Rise},
                                              {&rq.slope, TextBox::Slope, RequestField::Slope},
                                              {&rq.flow, TextBox::Flow, RequestField::Flow},
                                              {&rq.n, TextBox::ManningN, RequestField::N}}};
    for (const BoxEntry& e : entries) {
        if (!*e.text)
            continue;
        session.setText(e.box, **e.text);
        switch (session.commit(e.box)) {
        case SessionStatus::Done:
            break;
        case SessionStatus::Rejected:
            return refuse(e.field, **e.text,
                          entry::rejectionMessage(entryBoxOf(e.box, session.inputs().Shape)));
        case SessionStatus::Fault:
            return faulted();
        }
    }
    session.setText(TextBox::PipeName, rq.pipe.value_or(""));
    return r;
}

record::RecordFields inputFields(const CalcRequest& rq) {
    record::RecordFields f;
    f.pipeName = rq.pipe.value_or("");
    f.flowText = rq.flow.value_or("");
    f.system = requestSystem(rq).value_or(UnitSystem::US);
    const units::UnitLists lists = units::unitLists(f.system);
    // The unit words as the lists show them, whatever the request's spelling.
    const auto position = [](const auto& items, const std::optional<std::string>& word) {
        return word ? units::unitWordIndex(items, *word).value_or(0) : 0;
    };
    f.unitflow = std::string(lists.flow[position(lists.flow, rq.flowUnit)]);
    const auto shape = rq.shape ? sections::shapeNamed(*rq.shape) : sections::Shape::Circle;
    f.diamText = shape == sections::Shape::Box
                     ? sections::sectionText({*shape, rq.span.value_or(""), rq.rise.value_or("")})
                     : sections::sectionText(
                           {shape.value_or(sections::Shape::Circle), rq.diam.value_or(""), {}});
    f.diamInFeet = position(lists.diam, rq.diamUnit) == 1;
    f.slopeText = rq.slope.value_or("");
    f.slopeInPercent = position(lists.slope, rq.slopeUnit) == 1;
    f.nText = rq.n.value_or(kStartManningN);
    return f;
}

RecordReply runRecord(const CalcRequest& rq) {
    CalcSession session;
    const Replay r = replay(rq, session);
    RecordReply reply;
    reply.status = r.status;
    reply.fault = r.fault;
    if (r.status != SessionStatus::Done) {
        reply.fields = inputFields(rq);
        return reply;
    }
    reply.fields = session.recordFields();
    reply.surcharged =
        session.lastResults() && session.lastResults()->outcome == Outcome::Surcharged;
    return reply;
}

} // namespace runnelex
