// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_plan.h"

#include <algorithm>
#include <array>
#include <optional>

#include "input/entry_check.h"
#include "report/quoting.h"
#include "report/request_options.h"
#include "sections/section_text.h"

namespace runnelex::report {

namespace {

struct InputInfo {
    Input input;
    const char* name; // in --vary and as the fixed option
    entry::Box box;
};

constexpr std::array<InputInfo, 6> kInputs = {{{Input::Diam, "diam", entry::Box::Diam},
                                               {Input::Span, "span", entry::Box::Span},
                                               {Input::Rise, "rise", entry::Box::Rise},
                                               {Input::Slope, "slope", entry::Box::Slope},
                                               {Input::Flow, "flow", entry::Box::Flow},
                                               {Input::N, "n", entry::Box::ManningN}}};

// The diameter's box of a square is its side's.
entry::Box boxOf(const InputInfo& i, const CalcRequest& r) {
    if (i.input == Input::Diam && r.shape &&
        sections::shapeNamed(*r.shape) == sections::Shape::Square)
        return entry::Box::Side;
    return i.box;
}

const InputInfo& info(Input input) {
    for (const InputInfo& i : kInputs)
        if (i.input == input)
            return i;
    return kInputs[0];
}

std::optional<std::string>& textOf(CalcRequest& r, Input input) {
    switch (input) {
    case Input::Diam:
        return r.diam;
    case Input::Slope:
        return r.slope;
    case Input::Flow:
        return r.flow;
    case Input::Span:
        return r.span;
    case Input::Rise:
        return r.rise;
    default:
        return r.n;
    }
}

} // namespace

std::variant<Vary, ReportPlan::Error> ReportPlan::parseVary(const std::string& written) {
    const std::size_t eq = written.find('=');
    const std::string name = written.substr(0, eq);
    const InputInfo* found = nullptr;
    for (const InputInfo& i : kInputs)
        if (name == i.name)
            found = &i;
    if (eq == std::string::npos || found == nullptr)
        return Error{"--vary " + quoted(written) + ": write NAME=VALUES with NAME diam, " +
                     "span, rise, slope, flow or n"};
    auto values = DecimalValues::parse(std::string_view(written).substr(eq + 1));
    if (const auto* e = std::get_if<DecimalValues::Error>(&values))
        return Error{"--vary " + quoted(written) + ": " + e->what,
                     found->input,
                     true,
                     true,
                     written.substr(eq + 1),
                     e->what};
    return Vary{written, found->input, std::get<DecimalValues>(std::move(values))};
}

std::variant<ReportPlan, ReportPlan::Error> ReportPlan::make(const CalcRequest& base,
                                                             std::vector<Vary> vary) {
    if (vary.empty() || vary.size() > 2)
        return Error{"give one or two --vary"};
    if (vary.size() == 2 && vary[0].input == vary[1].input)
        return Error{"--vary " + quoted(vary[1].written) + ": " + info(vary[1].input).name +
                         " is varied twice",
                     vary[1].input,
                     true,
                     false,
                     {},
                     "varied twice"};
    ReportPlan plan;
    plan.base_ = base;
    for (const Vary& v : vary) {
        const InputInfo& i = info(v.input);
        CalcRequest probe = base;
        if (textOf(probe, v.input))
            return Error{"--" + std::string(i.name) + " and --vary " + i.name +
                         " both given; the report takes the values of --vary"};
        for (const std::string& text : v.values.decisive())
            if (const auto why = entry::rejectionOf(boxOf(i, base), text))
                return Error{"--vary " + quoted(v.written) + ": value " + quoted(text) + ": " +
                                 *why,
                             v.input,
                             true,
                             false,
                             text,
                             *why};
    }
    const auto givenOrVaried = [&](RequestField f) {
        const Input input = f == RequestField::Diam   ? Input::Diam
                            : f == RequestField::Span ? Input::Span
                                                      : Input::Rise;
        CalcRequest probe = base;
        return textOf(probe, input).has_value() ||
               std::any_of(vary.begin(), vary.end(),
                           [input](const Vary& v) { return v.input == input; });
    };
    if (const auto why = shapeProblem(base, givenOrVaried))
        return Error{*why};
    for (const InputInfo& i : kInputs) {
        const auto& given = textOf(plan.base_, i.input);
        if (given)
            if (const auto why = entry::rejectionOf(boxOf(i, base), *given))
                return Error{"--" + std::string(i.name) + " " + quoted(*given) + ": " + *why,
                             i.input,
                             false,
                             false,
                             *given,
                             *why};
    }
    plan.rows_ = 1;
    for (const Vary& v : vary) {
        if (v.values.size() != 0 && plan.rows_ > UINT64_MAX / v.values.size())
            return Error{"too many rows"};
        plan.rows_ *= v.values.size();
    }
    plan.vary_ = std::move(vary);
    // What is left to go wrong is a unit: the first point finds it.
    CalcSession probe;
    const Replay first = replay(plan.point(0), probe);
    if (first.status == SessionStatus::Rejected)
        return Error{requestProblem(first)};
    return plan;
}

CalcRequest ReportPlan::point(std::uint64_t i) const {
    CalcRequest r = base_;
    std::uint64_t rest = i;
    for (std::size_t k = vary_.size(); k-- > 0;) {
        const std::uint64_t n = vary_[k].values.size();
        textOf(r, vary_[k].input) = vary_[k].values.at(rest % n);
        rest /= n;
    }
    return r;
}

} // namespace runnelex::report
