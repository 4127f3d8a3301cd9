// SPDX-License-Identifier: GPL-3.0-or-later
// What the web page asks of the calculator: the tables it builds its form from, one
// calculation for the texts of its boxes, and the command line's commands (reports, batch
// read-back), a calculation's sheet. Every answer is a JSON text that stays valid until the next
// call.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/calc_request.h"
#include "calc/calc_session.h"
#include "cli/cli_app.h"
#include "cli/output.h"
#include "friction/law_table.h"
#include "input/units.h"
#include "picture/picture_model.h"
#include "report/request_fragment.h"
#include "report/request_options.h"
#include "results/record.h"
#include "sections/shape_table.h"
#include "sheet/sheet_builder.h"
#include "sheet/sheet_html.h"
#include "version/version.h"
#include "web/json_writer.h"

using namespace runnelex;
using runnelex::web::JsonWriter;
using namespace runnelex::units;

namespace {

std::string answer;

const char* reply(const JsonWriter& json) {
    answer = json.text();
    return answer.c_str();
}

const char* systemWord(UnitSystem system) {
    return system == UnitSystem::SI ? "si" : "us";
}

template <typename List> std::vector<std::string> words(const List& list) {
    return {list.begin(), list.end()};
}

void writeSystem(JsonWriter& json, UnitSystem system) {
    const UnitLists lists = unitLists(system);
    const ResultUnits& units = resultUnits(system);
    json.key(systemWord(system)).beginObject();
    json.member("diam-unit", words(lists.diam));
    json.member("slope-unit", words(lists.slope));
    json.member("flow-unit", words(lists.flow));
    json.key("units").beginObject();
    json.member("depth", units.depth).member("perimeter", units.perimeter);
    json.member("area", units.area).member("velocity", units.velocity);
    json.member("slope", units.slope).member("capacityV", units.capacityV);
    json.endObject();
    const auto& header = record::headerNames(system);
    json.member("header", std::vector<std::string>(header.begin(), header.end()));
    json.endObject();
}

// The messages the session shows, kept for the page to show beside the results.
class PageView final : public SessionView {
public:
    void message(const std::string& prompt) override { messages.push_back(prompt); }
    std::vector<std::string> messages;
};

void writePicture(JsonWriter& json, const CalcSession& session) {
    const picture::PictureModel m = picture::buildPictureModel(session.inputs());
    json.key("picture").beginObject();
    json.member("drawable", m.drawable && !m.outline.empty());
    json.member("prompt", m.prompt);
    json.member("rise", m.D).member("span", m.span);
    json.key("outline").beginArray();
    for (const sections::OutlinePoint& p : m.outline)
        json.value(p.x).value(p.y);
    json.endArray();
    const auto depth = [&json](const char* name, const std::optional<double>& d,
                               const std::string& text) {
        json.key(name);
        if (d)
            json.beginObject().member("depth", *d).member("text", text).endObject();
        else
            json.null();
    };
    depth("normal", m.normalDepth, m.normalText);
    depth("other", m.otherDepth, m.otherText);
    depth("critical", m.criticalDepth, m.criticalText);
    json.member("description", picture::describePicture(m));
    std::vector<std::string> other;
    for (const auto& [name, caption] : m.labels)
        for (const char* wanted : picture::kOtherDepthLabels)
            if (name == wanted)
                other.push_back(name + "\t" + caption);
    json.member("otherLabels", other);
    json.endObject();
}

// The request a fragment names, or nothing with the refusal written, as the page shows it
// beside the box it names.
std::optional<CalcRequest> requestOf(const char* fragment, JsonWriter& json) {
    auto parsed = report::requestFromFragment(fragment);
    if (const auto* e = std::get_if<report::FragmentError>(&parsed)) {
        json.member("status", "refused").member("option", e->option).member("message", e->what);
        return std::nullopt;
    }
    CalcRequest& request = std::get<CalcRequest>(parsed);
    if (const auto why = report::shapeProblem(request)) {
        json.member("status", "refused").member("option", "shape").member("message", *why);
        return std::nullopt;
    }
    return std::move(request);
}

// A text the session refused, named by its option.
void writeRejected(JsonWriter& json, const Replay& r) {
    json.member("status", "rejected").member("option", optionWord(r.field));
    json.member("text", r.text).member("message", r.reason);
}

} // namespace

extern "C" {

// The shapes, laws, request parts, unit lists and labels, for the page to build its form.
EMSCRIPTEN_KEEPALIVE const char* rx_describe() {
    JsonWriter json;
    json.beginObject();
    json.member("version", version::kText);
    json.key("fields").beginArray();
    for (const RequestField& f : requestFields()) {
        json.beginObject().member("option", optionWord(f));
        json.member("dimension", f.kind == RequestField::Kind::Dimension);
        json.endObject();
    }
    json.endArray();
    json.key("shapes").beginArray();
    for (const sections::ShapeRow& row : sections::shapeTable()) {
        json.beginObject().member("word", row.word).member("caption", row.caption);
        json.key("dimensions").beginArray();
        for (const sections::DimensionSpec& d : row.dimensions)
            json.beginObject()
                .member("word", d.word)
                .member("caption", d.caption)
                .member("label", d.label)
                .member("tip", d.tip)
                .endObject();
        json.endArray().endObject();
    }
    json.endArray();
    json.key("laws").beginArray();
    for (const friction::LawRow& row : friction::lawTable())
        json.beginObject()
            .member("word", row.word)
            .member("caption", row.caption)
            .member("coefficient", row.coefficient.word)
            .member("coefficientCaption", row.coefficient.caption)
            .member("start", row.coefficient.startText)
            .endObject();
    json.endArray();
    json.key("systems").beginObject();
    writeSystem(json, UnitSystem::US);
    writeSystem(json, UnitSystem::SI);
    json.endObject();
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < kLabelCount; ++i)
        labels.emplace_back(labelName(labelAt(i)));
    json.member("labels", labels);
    json.member("sheetTitle", std::vector<std::string>(std::begin(sheet::kTitleCaptions),
                                                       std::end(sheet::kTitleCaptions)));
    json.endObject();
    return reply(json);
}

// One calculation: the fragment's texts typed into a fresh calculator's boxes, as the command
// line's calc does it. A refused text names its option and the box's message.
EMSCRIPTEN_KEEPALIVE const char* rx_calc(const char* fragment) {
    JsonWriter json;
    json.beginObject();
    const std::optional<CalcRequest> request = requestOf(fragment, json);
    if (!request)
        return reply(json.endObject());
    PageView view;
    CalcSession session(&view);
    const Replay r = replay(*request, session);
    switch (r.status) {
    case SessionStatus::Rejected:
        writeRejected(json, r);
        return reply(json.endObject());
    case SessionStatus::Fault:
        json.member("status", "fault").member("message", session.lastFaultMessage());
        break;
    case SessionStatus::Done:
        json.member("status", "done");
        break;
    }
    const UnitSystem system = session.inputs().System;
    json.member("system", systemWord(system));
    json.member("messages", view.messages);
    json.member("warnings", session.inputWarnings());
    json.key("labels").beginObject();
    for (std::size_t i = 0; i < kLabelCount; ++i)
        json.member(labelName(labelAt(i)), session.label(labelAt(i)));
    json.endObject();
    json.member("record", record::makeRecord(session.recordFields()));
    json.member("header", record::headerLine(system));
    writePicture(json, session);
    return reply(json.endObject());
}

// The calculation sheet of the fragment's calculation, one HTML file for the browser to show
// and print; `title` holds the title block's fields, one a line, in the order of the
// captions rx_describe gives. A refused text is told as rx_calc tells it.
EMSCRIPTEN_KEEPALIVE const char* rx_sheet(const char* fragment, const char* title) {
    JsonWriter json;
    json.beginObject();
    const std::optional<CalcRequest> request = requestOf(fragment, json);
    if (!request)
        return reply(json.endObject());
    CalcSession session;
    const Replay r = replay(*request, session);
    if (r.status == SessionStatus::Rejected) {
        writeRejected(json, r);
        return reply(json.endObject());
    }
    sheet::SheetTitle fields;
    std::string* const parts[] = {&fields.project, &fields.reach, &fields.engineer, &fields.checker,
                                  &fields.date};
    std::string_view rest = title;
    for (std::string* part : parts) {
        const std::size_t nl = std::min(rest.find('\n'), rest.size());
        *part = rest.substr(0, nl);
        rest.remove_prefix(std::min(nl + 1, rest.size()));
    }
    const sheet::SheetDocument document = sheet::buildSheet(session, fields);
    json.member("status", "done");
    json.member("html", sheet::sheetHtml(document, sheet::defaultPaper(document.system)));
    return reply(json.endObject());
}

// The command line in the page: `lines` holds one argument a line. Standard output and error
// come back as texts with the exit status.
EMSCRIPTEN_KEEPALIVE const char* rx_cli(const char* lines) {
    std::vector<std::string> args;
    std::string text = lines;
    std::size_t from = 0;
    while (from <= text.size() && !text.empty()) {
        const std::size_t nl = text.find('\n', from);
        args.push_back(text.substr(from, nl == std::string::npos ? nl : nl - from));
        if (nl == std::string::npos)
            break;
        from = nl + 1;
    }
    cli::StringOutput out, err;
    const int status = cli::runCli(args, cli::coreCommands(), out, err);
    out.flush();
    err.flush();
    JsonWriter json;
    json.beginObject().member("status", static_cast<double>(status));
    json.member("out", out.text()).member("err", err.text());
    return reply(json.endObject());
}

} // extern "C"
