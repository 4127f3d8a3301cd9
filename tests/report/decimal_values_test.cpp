// SPDX-License-Identifier: GPL-3.0-or-later
// Values of a report's --vary far along a long range (ranges, lists and what is wrong with
// them: tests/cli/golden/report.golden).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/decimal_values.h"
#include "report/progress_text.h"

namespace runnelex::report {
namespace {

TEST(DecimalValuesTest, AMillionStepsLandOnTheirDecimals) {
    auto parsed = DecimalValues::parse("0.00001:10:0.00001");
    const auto& v = std::get<DecimalValues>(parsed);
    ASSERT_EQ(v.size(), 1000000u);
    EXPECT_EQ(v.at(0), "0.00001");
    EXPECT_EQ(v.at(29999), "0.3");
    EXPECT_EQ(v.at(123456), "1.23457");
    EXPECT_EQ(v.at(999999), "10");
    EXPECT_EQ(v.decisive(), (std::vector<std::string>{"0.00001", "10"}));
}

// The progress line of a long report: grouped in every locale, the time left rounded up.
TEST(ProgressText, RowsGroupedAndTimeLeft) {
    const struct {
        const char* name;
        std::uint64_t done, total;
        double seconds;
        const char* text;
    } cases[] = {
        {"nothing done yet", 0, 1000, 3, "0 of 1,000 rows"},
        {"the issue's run", 232448, 102000000, 1.5,
         "232,448 of 102,000,000 rows, about 11 min left"},
        {"seconds, to the next five", 500, 1000, 7.2, "500 of 1,000 rows, about 10 s left"},
        {"never under five seconds", 999, 1000, 1, "999 of 1,000 rows, about 5 s left"},
        {"just under a minute", 1, 2, 58, "1 of 2 rows, about 1 min left"},
        {"hours and minutes", 1, 3, 3000, "1 of 3 rows, about 1 h 40 min left"},
        {"days in hours", 1, 1000, 3600, "1 of 1,000 rows, about 999 h left"},
        {"a pace of nothing", 1, 18446744073709551615u, 1e300,
         "1 of 18,446,744,073,709,551,615 rows, about 1,000,000,000,000,000 h left"},
        {"all done", 1000, 1000, 9, "1,000 of 1,000 rows"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressText(c.done, c.total, c.seconds), c.text) << c.name;
}

} // namespace
} // namespace runnelex::report
