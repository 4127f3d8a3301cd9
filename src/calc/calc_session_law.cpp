// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's friction law: the law chosen, its coefficient's unit and its further inputs.
#include "calc/calc_session.h"

#include "common/number_text.h"
#include "input/iosafe.h"

namespace runnelex {

void CalcSession::rereadLaw() {
    const std::string& coefficient = text(TextBox::ManningN);
    in_.ManningN = entry::rejectionOf(entry::coefficientRule(*in_.Law), coefficient)
                       ? 0.0
                       : iosafe::fSafeDbl(coefficient, false);
    in_.LawParams.parameters = {};
    for (std::size_t i = 0; i < in_.Law->parameters.size(); ++i) {
        const friction::ParameterSpec& p = in_.Law->parameters[i];
        const std::string& typed = lawTexts_.get(p.word);
        if (!typed.empty() && !entry::rejectionOf(entry::parameterRule(p, in_.System), typed))
            in_.LawParams.parameters[i] = iosafe::fSafeDbl(typed, false);
    }
}

SessionStatus CalcSession::selectLaw(const friction::LawRow& law) {
    if (in_.Law != &law) {
        emptyResults(); // another law's results
        in_.LawParams.coefficientUnit.reset();
    }
    in_.Law = &law;
    rereadLaw();
    return calculate();
}

SessionStatus CalcSession::selectCoefficientUnit(std::size_t index) {
    in_.LawParams.coefficientUnit = index;
    return calculate();
}

void CalcSession::setLawText(std::string_view word, std::string text) {
    ++textVersion_;
    lawTexts_.set(word, std::move(text));
}

SessionStatus CalcSession::commitLawInput(std::string_view word) {
    const std::size_t i = in_.Law->parameterIndex(word);
    if (i >= in_.Law->parameters.size())
        return SessionStatus::Done; // another law's box keeps its text for that law
    return checked(entry::checkLawParameter(i, lawTexts_.get(word), in_), [&] {
        ++textVersion_;
        lawTexts_.set(word, {});
        if (view_ != nullptr)
            view_->lawTextChanged(word, {});
    });
}

void CalcSession::convertLawTexts(UnitSystem from, UnitSystem to) {
    // A roughness stays in the unit it was typed in, whatever the system's usual one.
    in_.LawParams.coefficientUnit = friction::coefficientUnit(*in_.Law, in_.LawParams, from);
    for (const friction::LawRow& law : friction::lawTable())
        for (const friction::ParameterSpec& p : law.parameters) {
            const std::string typed = lawTexts_.get(p.word);
            const auto value = iosafe::parseNumber(typed);
            if (!value)
                continue;
            ++textVersion_;
            lawTexts_.set(p.word,
                          generalNumberText(friction::parameterInSystem(p, *value, from, to)));
            if (view_ != nullptr)
                view_->lawTextChanged(p.word, lawTexts_.get(p.word));
        }
    for (std::size_t i = 0; i < in_.Law->parameters.size(); ++i)
        if (const auto& v = in_.LawParams.parameters[i])
            in_.LawParams.parameters[i] =
                friction::parameterInSystem(in_.Law->parameters[i], *v, from, to);
}

} // namespace runnelex
