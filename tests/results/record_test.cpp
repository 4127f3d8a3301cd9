// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "calc/display_run.h"
#include "results/record.h"

namespace runnelex {
namespace {

TEST(Record, HeaderNamesTheFourteenColumns) {
    EXPECT_EQ(record::headerLine(), "Pipe ID\tQ\tQunit\tDiam\tunit\tSlope\tunit\tn\tDepth (ft)\t"
                                    "Vel. (fps)\tFr. #\tDcrit(ft)\tCapacity\tMax Q");
}

// The record "No&w" (or "&Always", with no name) makes after a calculation of these inputs.
TEST(Record, TypedInputsUnitsThenResultCaptions) {
    struct Case {
        const char *pipe, *diam, *slope;
        bool inFeet, inPercent;
        double diamFt, slopeFtFt;
        const char* line;
    };
    const Case cases[] = {
        {"P1", "24", "0.5", false, true, 2, 0.005,
         "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t15.9965\t17.1993"},
        {"", "2", "0.005", true, false, 2, 0.005, // automatic records start with a TAB
         "\t10\tCFS\t2\tft.\t0.005\tft/ft\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t15.9965\t17.1993"},
        {"S", "12", "0.01", false, false, 1, 0.01, // surcharged: result fields stay empty
         "S\t10\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307"},
    };
    for (const Case& c : cases) {
        CalcInputs in;
        in.DiamFt = c.diamFt;
        in.SlopeFtFt = c.slopeFtFt;
        in.Qcfs = 10;
        LabelTexts labels = startupLabelTexts();
        applyDisplayRun(displayRun(in), labels);
        const auto l = [&labels](const char* name) {
            return labels[*labelNamed(name)];
        };
        const record::RecordFields f{c.pipe,         "10",           "CFS",         c.diam,
                                     c.inFeet,       c.slope,        c.inPercent,   "0.013",
                                     l("lblrDnorm"), l("lblrVnorm"), l("lblrFrNo"), l("lblrDcr"),
                                     l("lblrQ100"),  l("lblrQ093")};
        EXPECT_EQ(record::makeRecord(f), c.line);
    }
}

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
