// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "calc/calc_request.h"

namespace runnelex::report {

// A calculation written in a web address's fragment with the command line's option names:
// "diam=12&diam-unit=in.&slope=0.01&flow=2", each text percent-encoded. A link to the page
// opens that calculation.
struct FragmentError {
    std::string what;   // "unknown option \"dia\"; did you mean diam?"
    std::string option; // the option word at fault, empty when none can be named
};

// The request a fragment names (a leading '#' is allowed; an empty fragment is a fresh
// calculator). An unknown or repeated option, a part without '=' or a broken %-escape is
// refused with the reason.
std::variant<CalcRequest, FragmentError> requestFromFragment(std::string_view fragment);

// The fragment of a request: the parts given, in the order of requestFields(), each text
// percent-encoded but for letters, digits and "-._~".
std::string fragmentOf(const CalcRequest& request);

} // namespace runnelex::report
