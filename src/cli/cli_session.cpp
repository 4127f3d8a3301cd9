// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_session.h"

#include <algorithm>
#include <array>

#include "calc/display_run.h"
#include "cli/args.h"
#include "input/entry_check.h"
#include "input/unit_selection.h"
#include "input/units.h"
#include "results/record.h"

namespace runnelex::cli {

namespace {

constexpr std::array kLabelOrder = {
    "lblrDnorm", "lblrAreaW",        "lblrPerimW",   "lblrRh",   "lblrVnorm", "lblrDoverD",
    "lblrFrNo",  "lblrDcr",          "lblrRegime",   "lblrQ050", "lblrQ075",  "lblrQ093",
    "lblrQ100",  "lblrV050",         "lblrV075",     "lblrV093", "lblrV100",  "lblrHf",
    "lblrVfull", "lblFullCondition", "lblFullCause", "lblCapQ"};

template <std::size_t N>
int indexOf(const std::array<std::string_view, N>& items, const std::string& item) {
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

const LabelTexts& startupLabels() {
    static const LabelTexts texts = startupLabelTexts(); // built once: a report makes millions
    return texts;
}

// The main window as far as the command line needs it.
struct Window {
    CalcInputs in;
    LabelTexts labels = startupLabels();
    std::string diamText, slopeText, flowText, nText = "0.013", pipeText;
    std::string messages; // every message box the sequence showed, one per line
    std::optional<Outcome> lastOutcome;

    // Runs one calculation; false when an arithmetic fault ended it.
    bool doCalc(CalcReply& reply) {
        const DisplayRun run = displayRun(in);
        lastOutcome = run.results.outcome;
        applyDisplayRun(run, labels, [this](const std::string& m) { messages += m + '\n'; });
        if (run.fault) {
            reply.fault = *run.fault;
            return false;
        }
        return true;
    }
};

} // namespace

const char* const* labelOrder(std::size_t& count) {
    count = kLabelOrder.size();
    return kLabelOrder.data();
}

namespace {

// Replays the request on `w`. False when it ended early: `reply` then holds the usage error or
// the arithmetic fault.
bool replay(const CalcRequest& rq, Window& w, CalcReply& reply) {
    const auto usageError = [&](const std::string& what) {
        reply.exitCode = 2;
        reply.usage = what;
        return false;
    };
    const auto fault = [&](const std::string& description) {
        reply.exitCode = 3;
        reply.fault = description;
        return false;
    };

    const int diamIndex = rq.diamUnit ? indexOf(units::kDiamItems, *rq.diamUnit) : 0;
    const int slopeIndex = rq.slopeUnit ? indexOf(units::kSlopeItems, *rq.slopeUnit) : 0;
    const int flowIndex = rq.flowUnit ? indexOf(units::kFlowItems, *rq.flowUnit) : 0;
    if (diamIndex < 0)
        return usageError("--diam-unit " + quoted(*rq.diamUnit) +
                          ": unknown diameter unit (in. or ft.)");
    if (slopeIndex < 0)
        return usageError("--slope-unit " + quoted(*rq.slopeUnit) +
                          ": unknown slope unit (ft/ft or %)");
    if (flowIndex < 0)
        return usageError("--flow-unit " + quoted(*rq.flowUnit) +
                          ": unknown flow unit (CFS, MGD or GPM)");

    const hydrocalc::Notify collect = [&w](const std::string& m) {
        w.messages += m + '\n';
    };
    try {
        if (rq.diamUnit) {
            selection::selectDiamUnit(diamIndex, w.diamText, w.in, collect);
            if (!w.doCalc(reply))
                return fault(reply.fault);
        }
        if (rq.slopeUnit) {
            selection::selectSlopeUnit(slopeIndex, w.slopeText, w.in, collect);
            if (!w.doCalc(reply))
                return fault(reply.fault);
        }
        if (rq.flowUnit) {
            w.labels["lblCapQ"] = selection::selectFlowUnit(flowIndex, w.flowText, w.in, collect);
            if (!w.doCalc(reply))
                return fault(reply.fault);
        }

        struct Entry {
            const std::optional<std::string>* given;
            entry::Box box;
            std::string* text;
            const char* option;
        };
        const std::array<Entry, 4> entries = {
            {{&rq.diam, entry::Box::Diam, &w.diamText, "--diam"},
             {&rq.slope, entry::Box::Slope, &w.slopeText, "--slope"},
             {&rq.flow, entry::Box::Flow, &w.flowText, "--flow"},
             {&rq.n, entry::Box::ManningN, &w.nText, "--n"}}};
        for (const Entry& e : entries) {
            if (!*e.given)
                continue;
            *e.text = **e.given;
            const entry::EntryResult result = entry::checkEntry(e.box, *e.text, w.in);
            if (result.emptyBox) // a rejected entry: the box's message, nothing computed
                return usageError(std::string(e.option) + " " + quoted(*e.text) + ": " +
                                  result.message.value_or(""));
            if (result.capacityHeading)
                w.labels["lblCapQ"] = *result.capacityHeading;
            if (result.runCalc && !w.doCalc(reply))
                return fault(reply.fault);
        }
    } catch (const hydrocalc::ArithmeticError& e) {
        return fault(e.what());
    }
    w.pipeText = rq.pipe.value_or("");
    return true;
}

record::RecordFields fieldsOf(Window& w) {
    record::RecordFields f;
    f.pipeName = w.pipeText;
    f.flowText = w.flowText;
    f.unitflow = w.in.Unitflow;
    f.diamText = w.diamText;
    f.diamInFeet = w.in.DiamInFeet;
    f.slopeText = w.slopeText;
    f.slopeInPercent = w.in.SlopeInPercent;
    f.nText = w.nText;
    f.dnorm = w.labels["lblrDnorm"];
    f.vnorm = w.labels["lblrVnorm"];
    f.frNo = w.labels["lblrFrNo"];
    f.dcr = w.labels["lblrDcr"];
    f.q100 = w.labels["lblrQ100"];
    f.q093 = w.labels["lblrQ093"];
    return f;
}

} // namespace

record::RecordFields inputFields(const CalcRequest& rq) {
    record::RecordFields f;
    f.pipeName = rq.pipe.value_or("");
    f.flowText = rq.flow.value_or("");
    f.unitflow = rq.flowUnit.value_or("CFS");
    f.diamText = rq.diam.value_or("");
    f.diamInFeet = rq.diamUnit == "ft.";
    f.slopeText = rq.slope.value_or("");
    f.slopeInPercent = rq.slopeUnit == "%";
    f.nText = rq.n.value_or("0.013");
    return f;
}

CalcReply runCalc(const CalcRequest& rq) {
    CalcReply reply;
    Window w;
    if (!replay(rq, w, reply)) {
        if (reply.exitCode == 3)
            reply.err = calcFaultMessage(reply.fault) + '\n';
        return reply;
    }
    reply.err += w.messages;
    if (rq.labels) {
        for (const char* name : kLabelOrder)
            reply.out += std::string(name) + '\t' + w.labels[name] + '\n';
        return reply;
    }
    reply.out = record::headerLine() + '\n' + record::makeRecord(fieldsOf(w)) + '\n';
    return reply;
}

RecordReply runRecord(const CalcRequest& rq) {
    CalcReply reply;
    Window w;
    RecordReply r;
    if (!replay(rq, w, reply)) {
        r.exitCode = reply.exitCode;
        r.usage = reply.usage;
        r.fault = reply.fault;
        r.fields = inputFields(rq);
        return r;
    }
    r.fields = fieldsOf(w);
    r.surcharged = w.lastOutcome == Outcome::Surcharged;
    return r;
}

} // namespace runnelex::cli
