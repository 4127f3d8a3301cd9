// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_request.h"

#include <algorithm>
#include <array>
#include <memory>

#include "calc/request_law.h"
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

// The dimensions' words in the order their boxes are typed into, asked once.
const std::vector<std::string_view>& dimensionWordOrder() {
    static const std::vector<std::string_view> words = sections::dimensionWords();
    return words;
}

} // namespace

std::optional<std::string> CalcRequest::dimension(std::string_view word) const {
    for (const auto& [w, text] : dimensions)
        if (w == word)
            return text;
    return std::nullopt;
}

namespace {
void setText(std::vector<std::pair<std::string, std::string>>& texts, std::string_view word,
             std::optional<std::string> text) {
    const auto it =
        std::find_if(texts.begin(), texts.end(), [word](const auto& d) { return d.first == word; });
    if (!text) {
        if (it != texts.end())
            texts.erase(it);
    } else if (it != texts.end()) {
        it->second = std::move(*text);
    } else {
        texts.emplace_back(word, std::move(*text));
    }
}
} // namespace

void CalcRequest::setDimension(std::string_view word, std::optional<std::string> text) {
    setText(dimensions, word, std::move(text));
}

std::optional<std::string> CalcRequest::lawInput(std::string_view word) const {
    for (const auto& [w, text] : lawInputs)
        if (w == word)
            return text;
    return std::nullopt;
}

void CalcRequest::setLawInput(std::string_view word, std::optional<std::string> text) {
    setText(lawInputs, word, std::move(text));
}

const std::vector<RequestField>& requestFields() {
    using K = RequestField::Kind;
    static const std::vector<RequestField> fields = [] {
        std::vector<RequestField> f = {{K::Pipe, {}}, {K::Units, {}}, {K::Shape, {}}};
        for (std::string_view word : sections::dimensionWords())
            f.push_back({K::Dimension, std::string(word)});
        for (K k : {K::DiamUnit, K::Slope, K::SlopeUnit, K::Flow, K::FlowUnit, K::N, K::Law})
            f.push_back({k, {}});
        for (std::string_view word : lawInputWords())
            f.push_back({K::LawInput, std::string(word)});
        return f;
    }();
    return fields;
}

std::string optionWord(const RequestField& field) {
    switch (field.kind) {
    case RequestField::Kind::Pipe:
        return "pipe";
    case RequestField::Kind::Units:
        return "units";
    case RequestField::Kind::Shape:
        return "shape";
    case RequestField::Kind::Dimension:
    case RequestField::Kind::LawInput:
        return field.dimension;
    case RequestField::Kind::Law:
        return "law";
    case RequestField::Kind::DiamUnit:
        return "diam-unit";
    case RequestField::Kind::Slope:
        return "slope";
    case RequestField::Kind::SlopeUnit:
        return "slope-unit";
    case RequestField::Kind::Flow:
        return "flow";
    case RequestField::Kind::FlowUnit:
        return "flow-unit";
    case RequestField::Kind::N:
        break;
    }
    return "n";
}

std::optional<RequestField> fieldOfOption(std::string_view word) {
    for (const RequestField& f : requestFields())
        if (optionWord(f) == word)
            return f;
    return std::nullopt;
}

namespace {
std::optional<std::string> CalcRequest::*memberOf(RequestField::Kind kind) {
    switch (kind) {
    case RequestField::Kind::Pipe:
        return &CalcRequest::pipe;
    case RequestField::Kind::Units:
        return &CalcRequest::units;
    case RequestField::Kind::Shape:
        return &CalcRequest::shape;
    case RequestField::Kind::DiamUnit:
        return &CalcRequest::diamUnit;
    case RequestField::Kind::Slope:
        return &CalcRequest::slope;
    case RequestField::Kind::SlopeUnit:
        return &CalcRequest::slopeUnit;
    case RequestField::Kind::Flow:
        return &CalcRequest::flow;
    case RequestField::Kind::FlowUnit:
        return &CalcRequest::flowUnit;
    case RequestField::Kind::N:
        return &CalcRequest::n;
    case RequestField::Kind::Law:
        return &CalcRequest::law;
    case RequestField::Kind::Dimension:
    case RequestField::Kind::LawInput:
        break;
    }
    return nullptr;
}
} // namespace

std::optional<std::string> fieldText(const CalcRequest& rq, const RequestField& field) {
    if (field.kind == RequestField::Kind::Dimension)
        return rq.dimension(field.dimension);
    if (field.kind == RequestField::Kind::LawInput)
        return rq.lawInput(field.dimension);
    return rq.*memberOf(field.kind);
}

void setFieldText(CalcRequest& rq, const RequestField& field, std::optional<std::string> text) {
    if (field.kind == RequestField::Kind::Dimension)
        rq.setDimension(field.dimension, std::move(text));
    else if (field.kind == RequestField::Kind::LawInput)
        rq.setLawInput(field.dimension, std::move(text));
    else
        rq.*memberOf(field.kind) = std::move(text);
}

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
        return refuse({RequestField::Kind::Units, {}}, *rq.units, "unknown unit system (us or si)");
    const sections::ShapeRow* shape =
        rq.shape ? sections::shapeNamed(*rq.shape) : &sections::defaultShape();
    if (shape == nullptr)
        return refuse({RequestField::Kind::Shape, {}}, *rq.shape,
                      "unknown shape (" + sections::shapeWordSentence() + ")");
    const friction::LawRow* law = requestLaw(rq);
    if (law == nullptr)
        return refuse({RequestField::Kind::Law, {}}, *rq.law,
                      "unknown friction law (" + friction::lawWordSentence() + ")");
    const std::optional<RequestField> unitField = coefficientUnitField(*law);
    const std::optional<std::string> unitText =
        unitField ? fieldText(rq, *unitField) : std::nullopt;
    const std::optional<std::size_t> coefficientUnit =
        unitText ? coefficientUnitIndex(*law, *unitText) : std::nullopt;
    if (unitText && !coefficientUnit) {
        std::vector<std::string_view> words;
        for (const friction::LengthUnit& u : law->coefficient.units)
            words.push_back(u.word);
        std::string list;
        for (std::size_t i = 0; i < words.size(); ++i)
            list += std::string(i == 0                  ? ""
                                : i + 1 == words.size() ? " or "
                                                        : ", ") +
                    std::string(words[i]);
        return refuse(*unitField, *unitText,
                      "unknown unit of the " + std::string(law->coefficient.word) + " (" + list +
                          ")");
    }
    const UnitSystem other = *system == UnitSystem::SI ? UnitSystem::US : UnitSystem::SI;
    const units::UnitLists lists = units::unitLists(*system), otherLists = units::unitLists(other);
    const std::array<UnitPick, 3> picks = {
        {{&rq.diamUnit, UnitList::Diam, {RequestField::Kind::DiamUnit, {}}, "diameter"},
         {&rq.slopeUnit, UnitList::Slope, {RequestField::Kind::SlopeUnit, {}}, "slope"},
         {&rq.flowUnit, UnitList::Flow, {RequestField::Kind::FlowUnit, {}}, "flow"}}};
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
    if (rq.law && session.selectLaw(*law) == SessionStatus::Fault)
        return faulted();
    if (coefficientUnit && session.selectCoefficientUnit(*coefficientUnit) == SessionStatus::Fault)
        return faulted();
    // The dimensions' boxes first, then the slope, the flow and n (a named law's inputs first).
    const auto typed = [&](const RequestField& field, const std::string& text, SessionStatus status,
                           const entry::Rule& rule) -> std::optional<Replay> {
        switch (status) {
        case SessionStatus::Done:
            return std::nullopt;
        case SessionStatus::Rejected:
            return refuse(field, text, std::string(rule.rejection));
        case SessionStatus::Fault:
            break;
        }
        return faulted();
    };
    // A law named takes its inputs before the section, so that only the whole pipe is computed
    // under it; Manning's n comes last, as the main window's box is in the tab order.
    const auto lawInputs = [&]() -> std::optional<Replay> {
        const RequestField field = coefficientField(*law);
        if (const std::optional<std::string> text = fieldText(rq, field)) {
            session.setText(TextBox::ManningN, *text);
            if (auto r = typed(field, *text, session.commit(TextBox::ManningN),
                               entry::coefficientRule(*law)))
                return r;
        }
        for (const friction::ParameterSpec& p : law->parameters) {
            const RequestField f{RequestField::Kind::LawInput, std::string(p.word)};
            const std::optional<std::string> text = fieldText(rq, f);
            if (!text)
                continue;
            session.setLawText(p.word, *text);
            if (auto r = typed(f, *text, session.commitLawInput(p.word),
                               entry::parameterRule(p, *system)))
                return r;
        }
        return std::nullopt;
    };
    if (rq.law)
        if (auto r = lawInputs())
            return *r;
    for (std::string_view word : dimensionWordOrder()) {
        const std::optional<std::string> given = rq.dimension(word);
        if (!given)
            continue;
        const std::string& text = *given;
        session.setDimensionText(word, text);
        const std::size_t i = shape->dimensionIndex(word);
        const entry::Rule rule = i < shape->dimensionCount()
                                     ? entry::dimensionRule(shape->dimensions[i])
                                     : entry::ruleOf(entry::Box::Diam);
        if (auto r = typed({RequestField::Kind::Dimension, std::string(word)}, text,
                           session.commitDimension(word), rule))
            return *r;
    }
    for (const TextBox box : {TextBox::Slope, TextBox::Flow}) {
        const RequestField field{
            box == TextBox::Slope ? RequestField::Kind::Slope : RequestField::Kind::Flow, {}};
        const std::optional<std::string> text = fieldText(rq, field);
        if (!text)
            continue;
        session.setText(box, *text);
        if (auto r = typed(field, *text, session.commit(box), entryRuleOf(box)))
            return *r;
    }
    if (!rq.law)
        if (auto r = lawInputs())
            return *r;
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
    const sections::ShapeRow* named = rq.shape ? sections::shapeNamed(*rq.shape) : nullptr;
    const sections::ShapeRow& shape = named ? *named : sections::defaultShape();
    std::vector<std::string> dimensions;
    for (const sections::DimensionSpec& d : shape.dimensions)
        dimensions.push_back(rq.dimension(d.word).value_or(""));
    f.diamText = sections::sectionText(shape, dimensions);
    f.diamInFeet = position(lists.diam, rq.diamUnit) == 1;
    f.slopeText = rq.slope.value_or("");
    f.slopeInPercent = position(lists.slope, rq.slopeUnit) == 1;
    f.nText = requestFrictionText(rq);
    return f;
}

RecordReply runRecord(const CalcRequest& rq) {
    // Only the last run shows in the record: the runs that the later ones make redundant are
    // skipped, and where that cannot be told the request is replayed run by run.
    auto session = std::make_unique<CalcSession>();
    session->setRecordLabelsOnly(true);
    session->setDeferRuns(true);
    Replay r = replay(rq, *session);
    const bool exact = r.status == SessionStatus::Done ? session->runDeferred().has_value()
                                                       : !session->hasDeferred();
    if (!exact) {
        session = std::make_unique<CalcSession>();
        session->setRecordLabelsOnly(true);
        r = replay(rq, *session);
    }
    RecordReply reply;
    reply.status = r.status;
    reply.fault = r.fault;
    if (const CalcInputs& in = session->inputs(); r.status == SessionStatus::Fault)
        reply.noSection = !in.Shape->faultOf(in.Dims, in.Texts, in.System).empty();
    if (r.status != SessionStatus::Done) {
        reply.fields = inputFields(rq);
        return reply;
    }
    reply.fields = session->recordFields();
    reply.surcharged =
        session->lastResults() && session->lastResults()->outcome == Outcome::Surcharged;
    reply.warnings = session->inputWarnings();
    return reply;
}

} // namespace runnelex
