// SPDX-License-Identifier: GPL-3.0-or-later
// A request's record made from its last run alone, against the request replayed run by run.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calc/calc_request.h"
#include "results/record.h"

namespace runnelex {
namespace {

// What a record shows, the results and the flags beside the fields.
std::string shown(SessionStatus status, const std::string& fault, const record::RecordFields& f,
                  bool surcharged, const std::vector<std::string>& warnings) {
    std::string text = std::to_string(static_cast<int>(status)) + " " + fault + " " +
                       record::makeRecord(f) + (surcharged ? " surcharged" : "");
    for (const std::string& w : warnings)
        text.append(" ").append(w);
    return text;
}

TEST(RunRecord, SameAsTheReplayRunByRun) {
    // Each request as its command line gives it, option word and text.
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> options;
    } cases[] = {
        {"open", {{"diam", "12"}, {"slope", "0.01"}, {"flow", "2"}}},
        {"surcharged", {{"diam", "12"}, {"slope", "0.01"}, {"flow", "50"}}},
        {"no flow", {{"diam", "12"}, {"slope", "0.01"}}},
        {"zero flow", {{"diam", "12"}, {"slope", "0.01"}, {"flow", "0"}}},
        {"no slope", {{"diam", "12"}, {"flow", "2"}}},
        {"n after the flow", {{"diam", "12"}, {"slope", "1"}, {"flow", "2"}, {"n", "0.011"}}},
        // The run before n is given overflows; the last would not.
        {"n given last",
         {{"diam", "1e100"},
          {"diam-unit", "ft."},
          {"slope", "1e100"},
          {"flow", "1e307"},
          {"n", "1e10"}}},
        {"tiny n", {{"diam", "12"}, {"slope", "0.01"}, {"flow", "2"}, {"n", "1e-9"}}},
        {"units picked",
         {{"diam", "1"},
          {"diam-unit", "ft."},
          {"slope", "1"},
          {"slope-unit", "%"},
          {"flow", "900"},
          {"flow-unit", "GPM"}}},
        {"box",
         {{"shape", "box"},
          {"span", "72"},
          {"rise", "48"},
          {"diam", "9"},
          {"slope", "0.005"},
          {"flow", "60"}}},
        {"egg in SI",
         {{"units", "si"}, {"shape", "egg"}, {"rise", "1800"}, {"slope", "0.01"}, {"flow", "0.5"}}},
        {"colebrook",
         {{"law", "colebrook"}, {"k", "0.06"}, {"diam", "12"}, {"slope", "0.01"}, {"flow", "2"}}},
        {"hazen-williams",
         {{"law", "hazen-williams"},
          {"c", "120"},
          {"diam", "12"},
          {"slope", "0.01"},
          {"flow", "2"}}},
        {"rejected slope", {{"diam", "12"}, {"slope", "steep"}, {"flow", "2"}}},
        {"overflow", {{"diam", "1e200"}, {"diam-unit", "ft."}, {"slope", "0.01"}, {"flow", "1"}}},
    };
    for (const auto& c : cases) {
        CalcRequest rq;
        for (const auto& [word, text] : c.options)
            setFieldText(rq, *fieldOfOption(word), text);
        CalcSession session;
        const Replay r = replay(rq, session);
        const bool done = r.status == SessionStatus::Done;
        const RecordReply reply = runRecord(rq);
        EXPECT_EQ(shown(reply.status, reply.fault, done ? reply.fields : record::RecordFields{},
                        reply.surcharged, reply.warnings),
                  shown(r.status, r.fault, done ? session.recordFields() : record::RecordFields{},
                        done && session.lastResults()->outcome == Outcome::Surcharged,
                        done ? session.inputWarnings() : std::vector<std::string>{}))
            << c.name;
    }
}

} // namespace
} // namespace runnelex
