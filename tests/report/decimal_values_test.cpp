// SPDX-License-Identifier: GPL-3.0-or-later
// Values of a report's --vary far along a long range (ranges, lists and what is wrong with
// them: tests/cli/golden/report.golden).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/decimal_values.h"

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

} // namespace
} // namespace runnelex::report
