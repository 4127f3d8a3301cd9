// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_request.h"
#include "friction/law_table.h"

// A request's friction law: the parts of the law table a command line gives.
namespace runnelex {

// The option words of the law table's inputs other than n, in the table's order, each once
// ("k", "k-unit", "nu", "temperature", "c").
const std::vector<std::string_view>& lawInputWords();
// The part that gives a law's coefficient (--n, --k, --c), its unit's (--k-unit), and every
// part the law takes in that order, further inputs last.
RequestField coefficientField(const friction::LawRow& law);
std::optional<RequestField> coefficientUnitField(const friction::LawRow& law);
std::vector<RequestField> lawFields(const friction::LawRow& law);
// The law a request names, Manning's when it names none; nothing for an unknown word.
const friction::LawRow* requestLaw(const CalcRequest& request);
// The position of a unit word (any case, with or without its point) in the coefficient's units.
std::optional<std::size_t> coefficientUnitIndex(const friction::LawRow& law, std::string_view word);
// The law's settings as a request's texts give them (a text that is not a number is left out).
friction::LawSettings requestLawSettings(const CalcRequest& request, const friction::LawRow& law,
                                         UnitSystem system);
// The record's n column of a request not computed.
std::string requestFrictionText(const CalcRequest& request);

} // namespace runnelex
