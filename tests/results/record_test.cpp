// SPDX-License-Identifier: GPL-3.0-or-later
// The record of typed texts (records of calculations: tests/cli/golden/calc.golden).
#include <gtest/gtest.h>

#include <string>

#include "results/record.h"

namespace runnelex {
namespace {

// A pasted TAB or line break would split the saved table's columns or rows.
TEST(Record, SeparatorsInTypedTextsBecomeBlanks) {
    struct Case {
        const char *typed, *recorded;
    };
    for (const Case& c :
         {Case{"A\tB", "A B"}, Case{"\tP", " P"}, Case{"P\r\n2", "P  2"},
          Case{"P\xE2\x80\xA8"
               "2",
               "P 2"},
          // The results box would take these two as frame marks, line breaks.
          Case{"\xEF\xB7\x90P\xEF\xB7\x91", " P "}, Case{"P\xEF\xB7\x92", "P\xEF\xB7\x92"},
          Case{"Rohr \xC3\x84 1", "Rohr \xC3\x84 1"}}) {
        const std::string t = c.typed, r = c.recorded;
        const record::RecordFields in{t, t,     "CFS", t,  false, t,  false,
                                      t, "1.5", "",    "", "",    "", ""};
        EXPECT_EQ(record::makeRecord(in), r + "\t" + r + "\tCFS\t" + r + "\tin.\t" + r +
                                              "\tft/ft\t" + r + "\t1.5\t\t\t\t\t");
    }
}

} // namespace
} // namespace runnelex
