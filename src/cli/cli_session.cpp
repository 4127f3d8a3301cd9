// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_session.h"

#include <algorithm>
#include <array>

#include "calc/display_run.h"
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

// The main window as far as the command line needs it.
struct Window {
    CalcInputs in;
    LabelTexts labels = startupLabelTexts();
    std::string diamText, slopeText, flowText, nText = "0.013", pipeText;
    std::string messages; // every message box the sequence showed, one per line

    // Runs one calculation; false when an arithmetic fault ended it.
    bool doCalc(CalcReply& reply) {
        const DisplayRun run = displayRun(in);
        applyDisplayRun(run, labels, [this](const std::string& m) { messages += m + '\n'; });
        if (run.fault) {
            reply.exitCode = 3;
            reply.err += calcFaultMessage(*run.fault) + '\n';
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

CalcReply runCalc(const CalcRequest& rq) {
    CalcReply reply;
    const auto usageError = [&](const std::string& what) {
        reply.exitCode = 2;
        reply.err = what + '\n';
        return reply;
    };

    const int diamIndex = rq.diamUnit ? indexOf(units::kDiamItems, *rq.diamUnit) : 0;
    const int slopeIndex = rq.slopeUnit ? indexOf(units::kSlopeItems, *rq.slopeUnit) : 0;
    const int flowIndex = rq.flowUnit ? indexOf(units::kFlowItems, *rq.flowUnit) : 0;
    if (diamIndex < 0)
        return usageError("unknown diameter unit \"" + *rq.diamUnit + "\" (in. or ft.)");
    if (slopeIndex < 0)
        return usageError("unknown slope unit \"" + *rq.slopeUnit + "\" (ft/ft or %)");
    if (flowIndex < 0)
        return usageError("unknown flow unit \"" + *rq.flowUnit + "\" (CFS, MGD or GPM)");

    Window w;
    const hydrocalc::Notify collect = [&w](const std::string& m) {
        w.messages += m + '\n';
    };
    try {
        if (rq.diamUnit) {
            selection::selectDiamUnit(diamIndex, w.diamText, w.in, collect);
            if (!w.doCalc(reply))
                return reply;
        }
        if (rq.slopeUnit) {
            selection::selectSlopeUnit(slopeIndex, w.slopeText, w.in, collect);
            if (!w.doCalc(reply))
                return reply;
        }
        if (rq.flowUnit) {
            w.labels["lblCapQ"] = selection::selectFlowUnit(flowIndex, w.flowText, w.in, collect);
            if (!w.doCalc(reply))
                return reply;
        }

        const std::array<std::pair<const std::optional<std::string>*, entry::Box>, 4> entries = {
            {{&rq.diam, entry::Box::Diam},
             {&rq.slope, entry::Box::Slope},
             {&rq.flow, entry::Box::Flow},
             {&rq.n, entry::Box::ManningN}}};
        for (const auto& [given, box] : entries) {
            if (!*given)
                continue;
            std::string& text = box == entry::Box::Diam    ? w.diamText
                                : box == entry::Box::Slope ? w.slopeText
                                : box == entry::Box::Flow  ? w.flowText
                                                           : w.nText;
            text = **given;
            const entry::EntryResult result = entry::checkEntry(box, text, w.in);
            if (result.emptyBox) // a rejected entry: the box's message, nothing computed
                return usageError(result.message.value_or(""));
            if (result.capacityHeading)
                w.labels["lblCapQ"] = *result.capacityHeading;
            if (result.runCalc && !w.doCalc(reply))
                return reply;
        }
    } catch (const hydrocalc::ArithmeticError& e) {
        reply.exitCode = 3;
        reply.err += calcFaultMessage(e.what()) + '\n';
        return reply;
    }
    w.pipeText = rq.pipe.value_or("");

    reply.err += w.messages;
    if (rq.labels) {
        for (const char* name : kLabelOrder)
            reply.out += std::string(name) + '\t' + w.labels[name] + '\n';
        return reply;
    }
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
    reply.out = record::headerLine() + '\n' + record::makeRecord(f) + '\n';
    return reply;
}

} // namespace runnelex::cli
