// SPDX-License-Identifier: GPL-3.0-or-later
// Pipe sizing against hand-checked cases: the worked example's slope and n at 2 cfs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sizing/pipe_sizing.h"

namespace runnelex::sizing {
namespace {

// 2 cfs on 0.01 ft/ft with n 0.013. By hand (bisection of Manning's equation): 4, 6 and 8 in.
// cannot carry it below 0.93 D (8 in. carries 1.2993 cfs there); 10 in. runs at d/D 0.7507 with
// 4.5538 ft/s; 12 in. at 0.5359 with 4.6671 ft/s; 15 in. at 0.3820 with 4.6411 ft/s.
CalcInputs worked() {
    CalcInputs in;
    in.SlopeFtFt = 0.01;
    in.ManningN = 0.013;
    in.Qcfs = 2;
    return in;
}

TEST(Sizing, FirstSizeMeetingEveryCriterion) {
    const auto maxV = [](double v) {
        Criteria c;
        c.maxVelocity = v;
        return c;
    };
    const auto with = [](double ratio, double minV, std::optional<double> maxV) {
        Criteria c;
        c.maxDepthRatio = ratio;
        c.minVelocity = minV;
        c.maxVelocity = maxV;
        return c;
    };
    const struct {
        const char* name;
        Criteria criteria;
        double chosen;      // 0: none
        const char* checks; // depth, min velocity, max velocity of 8, 10, 12 and 15 in.
    } cases[] = {
        {"defaults: 10 in. runs at 0.75", Criteria{}, 10, "n--/yy-/yy-/yy-"},
        {"ratio 0.7: 10 in. too full", with(0.7, 2, {}), 12, "n--/ny-/yy-/yy-"},
        {"ratio 0.75 exactly fails 10 in. at 0.7507", with(0.75, 2, {}), 12, "n--/ny-/yy-/yy-"},
        {"ratio 0.751 passes it", with(0.751, 2, {}), 10, "n--/yy-/yy-/yy-"},
        {"slow limit 4.6 fails 10 in.", with(0.8, 4.6, {}), 12, "n--/yn-/yy-/yy-"},
        {"velocity window 4.6..4.65", with(0.8, 4.6, 4.65), 15, "n--/yny/yyn/yyy"},
        {"fast limit below every velocity", maxV(4.5), 0, "n--/yyn/yyn/yyn"},
    };
    const std::vector<double> sizes = {4, 6, 8, 10, 12, 15};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SizingResult r = sizePipe(worked(), CalcEntry{}, sizes, c.criteria);
        ASSERT_EQ(r.rows.size(), sizes.size());
        EXPECT_EQ(r.chosen ? r.rows[*r.chosen].size.first : 0.0, c.chosen);
        std::string checks;
        for (std::size_t i = 2; i < r.rows.size(); ++i) {
            for (Check k : {r.rows[i].depth, r.rows[i].minVelocity, r.rows[i].maxVelocity})
                checks += k == Check::Pass ? 'y' : k == Check::Fail ? 'n' : '-';
            checks += i + 1 < r.rows.size() ? "/" : "";
        }
        EXPECT_EQ(checks, c.checks);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(r.rows[i].results.outcome, Outcome::Surcharged);
    }
}

TEST(Sizing, CriteriaAndSizeTexts) {
    const struct {
        const char* text;
        bool ratioOk, velocityOk;
    } numbers[] = {{"0.8", true, true},   {"1", true, true},      {"0", false, true},
                   {"1.2", false, true},  {"-0.5", false, false}, {"abc", false, false},
                   {"0,8", false, false}, {"", false, false},     {" 0.5 ", true, true}};
    for (const auto& c : numbers) {
        SCOPED_TRACE(c.text);
        double x = -1;
        EXPECT_EQ(!parseMaxDepthRatio(c.text, x), c.ratioOk);
        EXPECT_EQ(!parseVelocity(c.text, "smallest velocity", x), c.velocityOk);
    }
    std::vector<double> sizes;
    EXPECT_FALSE(parseSizeList("4, 6,8  10\t12,", sizes));
    EXPECT_EQ(sizes, (std::vector<double>{4, 6, 8, 10, 12}));
    for (const char* bad : {"", " , ", "4,-6", "4,0", "4;6", "12in"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(parseSizeList(bad, sizes));
        EXPECT_EQ(sizes.size(), 5u); // a rejected list leaves the old one
    }
    EXPECT_EQ(sizeListText({4, 6, 10.5}), "4, 6, 10.5");
    EXPECT_EQ(sizeListText(defaultSizesInches()).substr(0, 22), "4, 6, 8, 10, 12, 15, 1");
    EXPECT_EQ(defaultSizesInches().size(), 29u);
    Criteria c;
    c.minVelocity = 3;
    c.maxVelocity = 2.5;
    EXPECT_TRUE(checkVelocityRange(c));
    c.maxVelocity = 3;
    EXPECT_FALSE(checkVelocityRange(c));
}

} // namespace
} // namespace runnelex::sizing
