// SPDX-License-Identifier: GPL-3.0-or-later
// Values of a report's --vary, written as a person writes them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/decimal_values.h"

namespace runnelex::report {
namespace {

std::vector<std::string> all(const DecimalValues& v) {
    std::vector<std::string> texts;
    for (std::uint64_t i = 0; i < v.size(); ++i)
        texts.push_back(v.at(i));
    return texts;
}

using Texts = std::vector<std::string>;

TEST(DecimalValuesTest, RangesAndListsGiveTheTextsAPersonWrites) {
    const struct {
        const char* written;
        Texts texts;
    } cases[] = {
        {"0.1:0.5:0.1", {"0.1", "0.2", "0.3", "0.4", "0.5"}},
        {"1:2:0.25", {"1", "1.25", "1.5", "1.75", "2"}},
        {"1:2:0.3", {"1", "1.3", "1.6", "1.9"}}, // TO only when a step reaches it
        {"10:8:-1", {"10", "9", "8"}},
        {"5:5:1", {"5"}},
        {"0.001:0.003:0.001", {"0.001", "0.002", "0.003"}},
        {"1e-3:3e-3:1e-3", {"0.001", "0.002", "0.003"}},
        {"1e3:3e3:1e3", {"1000", "2000", "3000"}},
        {"0.0100:0.0300:0.01", {"0.01", "0.02", "0.03"}},
        {"+.5:1.:.25", {"0.5", "0.75", "1"}},
        {"99999999999999999999:100000000000000000001:1",
         {"99999999999999999999", "100000000000000000000", "100000000000000000001"}},
        {"12", {"12"}},
        {"8,12, 15 ,1e1", {"8", "12", " 15 ", "1e1"}}, // a list keeps each text as written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        auto parsed = DecimalValues::parse(c.written);
        ASSERT_TRUE(std::holds_alternative<DecimalValues>(parsed))
            << std::get<DecimalValues::Error>(parsed).what;
        const auto& values = std::get<DecimalValues>(parsed);
        EXPECT_EQ(all(values), c.texts);
    }
}

TEST(DecimalValuesTest, AMillionStepsLandOnTheirDecimals) {
    auto parsed = DecimalValues::parse("0.00001:10:0.00001");
    const auto& v = std::get<DecimalValues>(parsed);
    ASSERT_EQ(v.size(), 1000000u);
    EXPECT_EQ(v.at(0), "0.00001");
    EXPECT_EQ(v.at(29999), "0.3");
    EXPECT_EQ(v.at(123456), "1.23457");
    EXPECT_EQ(v.at(999999), "10");
    EXPECT_EQ(v.decisive(), (Texts{"0.00001", "10"}));
}

TEST(DecimalValuesTest, BadSpecsSayWhatIsWrong) {
    const struct {
        const char* written;
        const char* what;
    } cases[] = {
        {"1:2", "a range is FROM:TO:STEP"},
        {"1:2:3:4", "a range is FROM:TO:STEP"},
        {"1:2:0", "STEP must not be zero"},
        {"1:2:-0.5", "STEP goes away from TO"},
        {"a:2:1", "FROM \"a\" is not a decimal number"},
        {"1:2,5:1", "TO \"2,5\" is not a decimal number"},
        {"1:2:1e", "STEP \"1e\" is not a decimal number"},
        {"1:2:1e999", "STEP \"1e999\" is out of range"},
        // Found by fuzzing: a control character kept raw split the usage message.
        {"\x08"
         "5:5:2.5",
         "FROM \"\\x085\" is not a decimal number"},
        {"1:2\n:1", "TO \"2\\n\" is not a decimal number"},
        {"1e-300:1:1e-300", "too many digits between the largest and the finest place"},
        {"1,,2", "an empty value in the list"},
        {"1,2,", "an empty value in the list"},
        {"", "an empty value in the list"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        auto parsed = DecimalValues::parse(c.written);
        ASSERT_TRUE(std::holds_alternative<DecimalValues::Error>(parsed));
        EXPECT_EQ(std::get<DecimalValues::Error>(parsed).what, c.what);
    }
}

} // namespace
} // namespace runnelex::report
