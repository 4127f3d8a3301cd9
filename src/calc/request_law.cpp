// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/request_law.h"

#include <algorithm>

#include "friction/friction_text.h"
#include "input/calc_entry.h"
#include "input/iosafe.h"
#include "input/units.h"

namespace runnelex {

const std::vector<std::string_view>& lawInputWords() {
    static const std::vector<std::string_view> words = [] {
        std::vector<std::string_view> all;
        const auto add = [&all](std::string_view w) {
            if (!w.empty() && w != "n" && std::find(all.begin(), all.end(), w) == all.end())
                all.push_back(w);
        };
        for (const friction::LawRow& law : friction::lawTable()) {
            add(law.coefficient.word);
            add(law.coefficient.unitWord);
            for (const friction::ParameterSpec& p : law.parameters)
                add(p.word);
        }
        return all;
    }();
    return words;
}

RequestField coefficientField(const friction::LawRow& law) {
    if (law.coefficient.word == "n")
        return {RequestField::Kind::N, {}};
    return {RequestField::Kind::LawInput, std::string(law.coefficient.word)};
}

std::optional<RequestField> coefficientUnitField(const friction::LawRow& law) {
    if (law.coefficient.unitWord.empty())
        return std::nullopt;
    return RequestField{RequestField::Kind::LawInput, std::string(law.coefficient.unitWord)};
}

std::vector<RequestField> lawFields(const friction::LawRow& law) {
    std::vector<RequestField> fields = {coefficientField(law)};
    if (const auto unit = coefficientUnitField(law))
        fields.push_back(*unit);
    for (const friction::ParameterSpec& p : law.parameters)
        fields.push_back({RequestField::Kind::LawInput, std::string(p.word)});
    return fields;
}

const friction::LawRow* requestLaw(const CalcRequest& rq) {
    return rq.law ? friction::lawNamed(*rq.law) : &friction::defaultLaw();
}

std::optional<std::size_t> coefficientUnitIndex(const friction::LawRow& law,
                                                std::string_view word) {
    for (std::size_t i = 0; i < law.coefficient.units.size(); ++i)
        if (units::unitWordIndex(std::array<std::string_view, 1>{law.coefficient.units[i].word},
                                 word))
            return i;
    return std::nullopt;
}

friction::LawSettings requestLawSettings(const CalcRequest& rq, const friction::LawRow& law,
                                         UnitSystem) {
    friction::LawSettings settings;
    if (const auto unit = coefficientUnitField(law))
        if (const auto word = fieldText(rq, *unit))
            settings.coefficientUnit = coefficientUnitIndex(law, *word);
    for (std::size_t i = 0; i < law.parameters.size(); ++i)
        if (const auto text = rq.lawInput(law.parameters[i].word))
            if (const auto value = iosafe::parseNumber(*text))
                settings.parameters[i] = *value;
    return settings;
}

std::string requestFrictionText(const CalcRequest& rq) {
    const friction::LawRow* named = requestLaw(rq);
    const friction::LawRow& law = named ? *named : friction::defaultLaw();
    const UnitSystem system = requestSystem(rq).value_or(UnitSystem::US);
    const std::string coefficient =
        fieldText(rq, coefficientField(law))
            .value_or(&law == &friction::defaultLaw() ? kStartManningN : "");
    return friction::frictionText(law, coefficient, requestLawSettings(rq, law, system), system);
}

} // namespace runnelex
