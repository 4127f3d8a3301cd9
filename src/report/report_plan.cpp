// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_plan.h"

#include <algorithm>
#include <array>
#include <optional>

#include "calc/request_law.h"
#include "input/entry_check.h"
#include "report/quoting.h"
#include "report/request_options.h"
#include "sections/shape_table.h"

namespace runnelex::report {

namespace {
// The first law whose coefficient an input is.
const friction::LawRow* coefficientLaw(const Input& input) {
    for (const friction::LawRow& law : friction::lawTable())
        if (coefficientField(law) == input)
            return &law;
    return nullptr;
}
} // namespace

const std::vector<Input>& variableInputs() {
    static const std::vector<Input> inputs = [] {
        std::vector<Input> all;
        // Lengths vary; a text (an arch's family, an outline) is no range of numbers.
        for (const RequestField& f : requestFields())
            if (f.kind == RequestField::Kind::Dimension)
                if (const sections::DimensionSpec* d = sections::firstDimension(f.dimension);
                    d == nullptr || d->isLength())
                    all.push_back(f);
        for (auto kind :
             {RequestField::Kind::Slope, RequestField::Kind::Flow, RequestField::Kind::N})
            all.push_back({kind, {}});
        // The coefficients of the other laws (k, C).
        for (const friction::LawRow& law : friction::lawTable())
            if (const Input c = coefficientField(law);
                std::find(all.begin(), all.end(), c) == all.end())
                all.push_back(c);
        return all;
    }();
    return inputs;
}

std::string inputCaption(const Input& input) {
    switch (input.kind) {
    case RequestField::Kind::Slope:
        return "Slope";
    case RequestField::Kind::Flow:
        return "Q (flowrate)";
    case RequestField::Kind::Dimension:
        if (const sections::DimensionSpec* d = sections::firstDimension(input.dimension))
            return std::string(d->caption);
        return input.dimension;
    case RequestField::Kind::LawInput:
        if (const friction::LawRow* law = coefficientLaw(input))
            return std::string(law->coefficient.caption);
        return input.dimension;
    default:
        return "n";
    }
}

entry::Rule inputRule(const Input& input, const CalcRequest& request) {
    switch (input.kind) {
    case RequestField::Kind::Slope:
        return entry::ruleOf(entry::Box::Slope);
    case RequestField::Kind::Flow:
        return entry::ruleOf(entry::Box::Flow);
    case RequestField::Kind::Dimension:
        break;
    default: {
        // The request's own law where the input is its coefficient.
        const friction::LawRow* law = requestLaw(request);
        if (law == nullptr || coefficientField(*law) != input)
            law = coefficientLaw(input);
        return law ? entry::coefficientRule(*law) : entry::ruleOf(entry::Box::ManningN);
    }
    }
    // The shape's own dimension, else the first shape's that has it.
    const sections::ShapeRow* named =
        request.shape ? sections::shapeNamed(*request.shape) : nullptr;
    const sections::ShapeRow& shape = named ? *named : sections::defaultShape();
    if (const std::size_t i = shape.dimensionIndex(input.dimension); i < shape.dimensionCount())
        return entry::dimensionRule(shape.dimensions[i]);
    if (const sections::DimensionSpec* d = sections::firstDimension(input.dimension))
        return entry::dimensionRule(*d);
    return entry::ruleOf(entry::Box::Diam);
}

std::string inputNameList() {
    const auto& inputs = variableInputs();
    std::string text;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        text += (i == 0 ? "" : i + 1 == inputs.size() ? " or " : ", ") + optionWord(inputs[i]);
    return text;
}

std::variant<Vary, ReportPlan::Error> ReportPlan::parseVary(const std::string& written) {
    const std::size_t eq = written.find('=');
    const std::string name = written.substr(0, eq);
    const Input* found = nullptr;
    for (const Input& i : variableInputs())
        if (name == optionWord(i))
            found = &i;
    if (eq == std::string::npos || found == nullptr)
        return Error{"--vary " + quoted(written) + ": write NAME=VALUES with NAME " +
                     inputNameList()};
    auto values = DecimalValues::parse(std::string_view(written).substr(eq + 1));
    if (const auto* e = std::get_if<DecimalValues::Error>(&values))
        return Error{"--vary " + quoted(written) + ": " + e->what,
                     *found,
                     true,
                     true,
                     written.substr(eq + 1),
                     e->what};
    return Vary{written, *found, std::get<DecimalValues>(std::move(values))};
}

std::variant<ReportPlan, ReportPlan::Error> ReportPlan::make(const CalcRequest& base,
                                                             std::vector<Vary> vary) {
    if (vary.empty() || vary.size() > 2)
        return Error{"give one or two --vary"};
    if (vary.size() == 2 && vary[0].input == vary[1].input)
        return Error{"--vary " + quoted(vary[1].written) + ": " + optionWord(vary[1].input) +
                         " is varied twice",
                     vary[1].input,
                     true,
                     false,
                     {},
                     "varied twice"};
    ReportPlan plan;
    plan.base_ = base;
    for (const Vary& v : vary) {
        const std::string name = optionWord(v.input);
        if (fieldText(base, v.input))
            return Error{"--" + name + " and --vary " + name +
                         " both given; the report takes the values of --vary"};
        for (const std::string& text : v.values.decisive())
            if (const auto why = entry::rejectionOf(inputRule(v.input, base), text))
                return Error{"--vary " + quoted(v.written) + ": value " + quoted(text) + ": " +
                                 *why,
                             v.input,
                             true,
                             false,
                             text,
                             *why};
    }
    const auto givenOrVaried = [&](const RequestField& f) {
        return fieldText(base, f).has_value() ||
               std::any_of(vary.begin(), vary.end(), [&f](const Vary& v) { return v.input == f; });
    };
    if (const auto why = shapeProblem(base, givenOrVaried))
        return Error{*why};
    if (const auto why = lawProblem(base, givenOrVaried))
        return Error{*why};
    for (const Input& i : variableInputs()) {
        const auto given = fieldText(plan.base_, i);
        if (given)
            if (const auto why = entry::rejectionOf(inputRule(i, base), *given))
                return Error{"--" + optionWord(i) + " " + quoted(*given) + ": " + *why,
                             i,
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
        setFieldText(r, vary_[k].input, vary_[k].values.at(rest % n));
        rest /= n;
    }
    return r;
}

} // namespace runnelex::report
