// SPDX-License-Identifier: GPL-3.0-or-later
// Links to the web page: a fragment read into a request, and a request written back.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "report/request_fragment.h"

namespace runnelex::report {
namespace {

// Each part read in, named by its option, as the command line takes it.
TEST(RequestFragment, ReadsWhatALinkHolds) {
    const struct {
        const char* name;
        const char* fragment;
        const char* option;
        const char* text; // nullptr: not given
    } cases[] = {
        {"the hash sign", "#diam=12&slope=0.01", "slope", "0.01"},
        {"an escaped unit", "slope-unit=%25&flow-unit=L%2Fs", "flow-unit", "L/s"},
        {"a plus stays a plus", "flow=1e%2B3&n=1e+3", "n", "1e+3"},
        {"an empty text is an empty box", "diam=&slope=1", "diam", ""},
        {"empty parts are passed over", "&&shape=box&span=6&", "span", "6"},
        {"a blank in a pipe name", "pipe=P%201", "pipe", "P 1"},
        {"a dimension of another shape", "shape=box&rise=4", "rise", "4"},
        {"not given", "diam=12", "flow", nullptr},
        {"nothing at all", "", "diam", nullptr},
    };
    for (const auto& c : cases) {
        const auto parsed = requestFromFragment(c.fragment);
        ASSERT_TRUE(std::holds_alternative<CalcRequest>(parsed)) << c.name;
        const auto text = fieldText(std::get<CalcRequest>(parsed), *fieldOfOption(c.option));
        EXPECT_EQ(text.has_value(), c.text != nullptr) << c.name;
        if (text && c.text) {
            EXPECT_EQ(*text, c.text) << c.name;
        }
    }
}

TEST(RequestFragment, RefusesWhatNoBoxTakes) {
    const struct {
        const char* name;
        const char* fragment;
        const char* option;
        const char* what;
    } cases[] = {
        {"unknown option", "diam=12&slpoe=1", "slpoe", "unknown option \"slpoe\""},
        {"no value", "diam=12&slope", "slope", "\"slope\" has no value: write slope=TEXT"},
        {"given twice", "flow=1&flow=2", "flow", "\"flow\" is given twice"},
        {"a cut escape", "flow=1%2", "flow", "flow: a broken %-escape in \"1%2\""},
        {"not hexadecimal", "pipe=%zz", "pipe", "pipe: a broken %-escape in \"%zz\""},
        {"an escape in the name", "di%xam=1", "", "a broken %-escape in \"di%xam=1\""},
    };
    for (const auto& c : cases) {
        const auto parsed = requestFromFragment(c.fragment);
        ASSERT_TRUE(std::holds_alternative<FragmentError>(parsed)) << c.name;
        EXPECT_EQ(std::get<FragmentError>(parsed).option, c.option) << c.name;
        EXPECT_EQ(std::get<FragmentError>(parsed).what, c.what) << c.name;
    }
}

// Written in the command line's order, every byte but the unreserved ones escaped, and read
// back to the same texts.
TEST(RequestFragment, WritesWhatItReads) {
    CalcRequest r;
    r.flow = "2";
    r.pipe = "P&1 = \xc3\xa9";
    r.setDimension("diam", "12");
    r.slopeUnit = "%";
    const std::string written = fragmentOf(r);
    EXPECT_EQ(written, "pipe=P%261%20%3D%20%C3%A9&diam=12&slope-unit=%25&flow=2");
    const auto back = requestFromFragment(written);
    ASSERT_TRUE(std::holds_alternative<CalcRequest>(back));
    EXPECT_EQ(fragmentOf(std::get<CalcRequest>(back)), written);
    EXPECT_EQ(std::get<CalcRequest>(back).pipe, r.pipe);
}

} // namespace
} // namespace runnelex::report
