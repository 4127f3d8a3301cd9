// SPDX-License-Identifier: GPL-3.0-or-later
// A link's fragment, any bytes: read into a request or refused with a reason that names a
// part of it; a request read in is written back to a fragment that reads to the same request.
#include <cstdint>
#include <string>
#include <variant>

#include "fuzz_check.h"
#include "report/request_fragment.h"

using namespace runnelex;
using namespace runnelex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fragment(reinterpret_cast<const char*>(data), size);
    const auto parsed = report::requestFromFragment(fragment);
    if (const auto* e = std::get_if<report::FragmentError>(&parsed)) {
        require(!e->what.empty(), "a refusal says why", escaped(fragment));
        return 0;
    }
    const std::string written = report::fragmentOf(std::get<CalcRequest>(parsed));
    const auto again = report::requestFromFragment(written);
    require(std::holds_alternative<CalcRequest>(again), "a written fragment reads back",
            escaped(fragment) + " -> " + written);
    require(report::fragmentOf(std::get<CalcRequest>(again)) == written,
            "a written fragment reads back to the same request", escaped(fragment));
    return 0;
}
