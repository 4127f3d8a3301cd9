// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_request.h"

#include <algorithm>
#include <array>

#include "input/entry_check.h"
#include "input/units.h"
#include "sections/section_text.h"

namespace runnelex {

namespace {

template <std::size_t N>
int indexOf(const std::array<std::string_view, N>& items, const std::string& item) {
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

struct UnitPick {
    const std::optional<std::string>* word;
    UnitList list;
    RequestField field;
    int index;
    const char* reason;
};

struct BoxEntry {
    const std::optional<std::string>* text;
    TextBox box;
    RequestField field;
};

} // namespace

Replay replay(const CalcRequest& rq, CalcSession& session) {
    Replay r;
    const auto refuse = [&r](RequestField field, const std::string& text, std::string reason) {
        r.status = SessionStatus::Rejected;
        r.field = field;
        r.text = text;
        r.reason = std::move(reason);
        return r;
    };
    const std::array<UnitPick, 3> picks = {
        {{&rq.diamUnit, UnitList::Diam, RequestField::DiamUnit,
          rq.diamUnit ? indexOf(units::kDiamItems, *rq.diamUnit) : 0,
          "unknown diameter unit (in. or ft.)"},
         {&rq.slopeUnit, UnitList::Slope, RequestField::SlopeUnit,
          rq.slopeUnit ? indexOf(units::kSlopeItems, *rq.slopeUnit) : 0,
          "unknown slope unit (ft/ft or %)"},
         {&rq.flowUnit, UnitList::Flow, RequestField::FlowUnit,
          rq.flowUnit ? indexOf(units::kFlowItems, *rq.flowUnit) : 0,
          "unknown flow unit (CFS, MGD or GPM)"}}};
    // Every word is known before anything is computed.
    const std::optional<sections::Shape> shape =
        rq.shape ? sections::shapeNamed(*rq.shape) : sections::Shape::Circle;
    if (!shape)
        return refuse(RequestField::Shape, *rq.shape, "unknown shape (circle, square or box)");
    for (const UnitPick& p : picks)
        if (p.index < 0)
            return refuse(p.field, **p.word, p.reason);
    if (rq.shape && session.selectShape(*shape) == SessionStatus::Fault) {
        r.status = SessionStatus::Fault;
        r.fault = session.lastFault();
        return r;
    }
    for (const UnitPick& p : picks) {
        if (!*p.word)
            continue;
        if (session.selectUnit(p.list, p.index) == SessionStatus::Fault) {
            r.status = SessionStatus::Fault;
            r.fault = session.lastFault();
            return r;
        }
    }
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
            r.status = SessionStatus::Fault;
            r.fault = session.lastFault();
            return r;
        }
    }
    session.setText(TextBox::PipeName, rq.pipe.value_or(""));
    return r;
}

record::RecordFields inputFields(const CalcRequest& rq) {
    record::RecordFields f;
    f.pipeName = rq.pipe.value_or("");
    f.flowText = rq.flow.value_or("");
    f.unitflow = rq.flowUnit.value_or(std::string(units::kFlowItems[0]));
    const auto shape = rq.shape ? sections::shapeNamed(*rq.shape) : sections::Shape::Circle;
    f.diamText = shape == sections::Shape::Box
                     ? sections::sectionText({*shape, rq.span.value_or(""), rq.rise.value_or("")})
                     : sections::sectionText(
                           {shape.value_or(sections::Shape::Circle), rq.diam.value_or(""), {}});
    f.diamInFeet = rq.diamUnit == units::kDiamItems[1];
    f.slopeText = rq.slope.value_or("");
    f.slopeInPercent = rq.slopeUnit == units::kSlopeItems[1];
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
