// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/entry_check.h"

#include "input/iosafe.h"
#include "input/units.h"

namespace runnelex::entry {

int filterKey(int code) {
    if (code < 0)
        return code;
    switch (code) {
    case kBackspace:
    case kTab:
    case kLineFeed:
    case kCtrlK:
    case kEnter:
    case '.':
        return code;
    default:
        return code >= '0' && code <= '9' ? code : 0;
    }
}

bool isCommitKey(int code) {
    return code == kTab || code == kLineFeed || code == kCtrlK || code == kEnter;
}

const char* rejectionMessage(Box box) {
    switch (box) {
    case Box::Diam:
        return "Diameter must be a positive real number.";
    case Box::Slope:
        return "Slope must be a positive real number.";
    case Box::ManningN:
        return "Manning's n must be a positive real number.";
    case Box::Flow:
        break;
    }
    return "Q must be a positive real number.";
}

Rule ruleOf(Box box) {
    return {rejectionMessage(box), box != Box::ManningN};
}

Rule coefficientRule(const friction::LawRow& law) {
    return {law.coefficient.rejection, false, 0.0, law.coefficient.zeroAllowed};
}

Rule parameterRule(const friction::ParameterSpec& p, UnitSystem system) {
    const auto bound = [&](double si) {
        return friction::parameterInSystem(p, si, UnitSystem::SI, system);
    };
    // Only a range from 0 on takes its lowest value (0 degrees C): a viscosity is above 0.
    return {p.rejection, false, bound(p.siLowest), p.siLowest == 0.0 && p.usOffset != 0.0,
            bound(p.siHighest)};
}

Rule dimensionRule(const sections::DimensionSpec& dimension) {
    Rule rule{dimension.rejection};
    rule.text = dimension.text;
    return rule;
}

std::optional<std::vector<double>> readTextDimension(const sections::TextDimension& text,
                                                     const std::string& typed, bool diamInFeet,
                                                     UnitSystem system) {
    if (typed.empty())
        return std::vector<double>();
    auto values = text.read(typed);
    if (values && text.lengths)
        for (double& x : *values)
            x = units::diamToFeet(x, diamInFeet, system);
    return values;
}

namespace {
// The number a numeric rule takes from a text; nothing when it refuses the text.
std::optional<double> takenNumber(const Rule& rule, const std::string& text) {
    const auto value = iosafe::parseNumber(text);
    if (!value || !(*value >= rule.lowest) || (*value == rule.lowest && !rule.lowestTaken) ||
        *value > rule.highest)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<std::string> rejectionOf(const Rule& rule, const std::string& text) {
    if (text.empty() && rule.emptyIsZero)
        return std::nullopt;
    if (rule.text != nullptr)
        return rule.text->read(text) ? std::nullopt : std::optional(std::string(rule.rejection));
    if (!takenNumber(rule, text))
        return std::string(rule.rejection);
    return std::nullopt;
}

std::optional<std::string> rejectionOf(Box box, const std::string& text) {
    return rejectionOf(ruleOf(box), text);
}

namespace {

// The check of one box whose accepted number `store` takes into the inputs.
template <typename Store>
EntryResult check(const Rule& rule, const std::string& text, CalcInputs& in, Store store) {
    EntryResult result;
    if (text.empty() && rule.emptyIsZero) {
        store(in, 0.0, true); // an empty box is zero, silently, and nothing runs
        return result;
    }
    // A number is read once: its value as the safe conversion of its text gives it.
    const std::optional<double> number =
        rule.text == nullptr ? takenNumber(rule, text) : std::optional<double>();
    if (!number) {
        if (const auto why = rejectionOf(rule, text)) {
            result.message = *why;
            result.emptyBox = true;
            return result;
        }
    }
    store(in,
          iosafe::fSafeDbl(number ? iosafe::SafeValue(*number) : iosafe::SafeValue(text), false),
          false);
    result.runCalc = true;
    return result;
}

} // namespace

EntryResult checkDimension(std::size_t index, const std::string& text, CalcInputs& in) {
    if (const sections::TextDimension* t = in.Shape->dimensions[index].text) {
        EntryResult result;
        if (auto values = readTextDimension(*t, text, in.DiamInFeet, in.System)) {
            in.Texts[index] = std::move(*values);
            result.runCalc = !text.empty();
        } else {
            result.message = std::string(in.Shape->dimensions[index].rejection);
            result.emptyBox = true;
        }
        return result;
    }
    return check(dimensionRule(in.Shape->dimensions[index]), text, in,
                 [index](CalcInputs& to, double x, bool empty) {
                     to.Dims[index] = empty ? 0.0 : units::diamToFeet(x, to.DiamInFeet, to.System);
                 });
}

EntryResult checkLawParameter(std::size_t index, const std::string& text, CalcInputs& in) {
    const friction::ParameterSpec& parameter = in.Law->parameters[index];
    EntryResult result;
    if (text.empty()) {
        in.LawParams.parameters[index].reset();
        result.runCalc = true;
        return result;
    }
    return check(parameterRule(parameter, in.System), text, in,
                 [index](CalcInputs& to, double x, bool) { to.LawParams.parameters[index] = x; });
}

EntryResult checkEntry(Box box, const std::string& text, CalcInputs& in) {
    std::optional<std::string> heading, message;
    EntryResult result =
        check(box == Box::ManningN ? coefficientRule(*in.Law) : ruleOf(box), text, in,
              [box, &heading, &message](CalcInputs& to, double x, bool empty) {
                  switch (box) {
                  case Box::Diam:
                      to.Dims[0] = empty ? 0.0 : units::diamToFeet(x, to.DiamInFeet, to.System);
                      break;
                  case Box::Slope:
                      to.SlopeFtFt = empty ? 0.0 : units::slopeToFtFt(x, to.SlopeInPercent);
                      break;
                  case Box::ManningN:
                      to.ManningN = x;
                      break;
                  case Box::Flow:
                      if (empty)
                          to.Qcfs = 0.0;
                      else if (units::flowToCfs(x, to.Unitflow, to.Qcfs))
                          heading = units::capacityHeading(to.Unitflow);
                      else
                          message = kUnitflowUndefinedMessage;
                      break;
                  }
              });
    result.capacityHeading = heading;
    if (message)
        result.message = message;
    return result;
}

} // namespace runnelex::entry
