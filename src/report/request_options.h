// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "calc/calc_request.h"

namespace runnelex::report {

// The command-line option that gives a part of a request ("--diam-unit").
std::string optionName(const RequestField& field);

// What a request's dimensions lack or have too many for its shape: a square needs --diam (its
// side), a box --span and --rise, and neither takes the other's; a circle takes --diam only.
// `given` tells whether a part has a text, from the request itself or from elsewhere (a
// report's --vary). Nothing when they fit, or when the shape word is unknown (the replay says
// so).
std::optional<std::string> shapeProblem(const CalcRequest& request,
                                        const std::function<bool(const RequestField&)>& given);
std::optional<std::string> shapeProblem(const CalcRequest& request);

// What a request's law inputs lack or have too many: an input of another law, a law other
// than Manning's without its coefficient, two further inputs where the law takes one.
std::optional<std::string> lawProblem(const CalcRequest& request,
                                      const std::function<bool(const RequestField&)>& given);

// A refused request as a usage message names it: the option, its text and why
// ("--diam "0": Diameter must be a positive real number."), with a hint where the text is a
// number written as a person might (a unit inside it, a decimal comma).
std::string requestProblem(const Replay& replay);

// The hint for a refused number text ("1%", "0,013"); empty when there is none.
std::string numberHint(const RequestField& field, const std::string& text);

} // namespace runnelex::report
