#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/display_run.h"
#include "results/record.h"
#include "results/results_text.h"

namespace runnelex {
namespace {

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The record "No&w" makes after the given inputs were entered and calculated.
record::RecordFields fieldsAfterRun(const CalcInputs& in, std::string pipe, std::string flow,
                                    std::string diam, std::string slope, std::string n) {
    LabelTexts labels = startupLabelTexts();
    applyDisplayRun(displayRun(in), labels);
    record::RecordFields f;
    f.pipeName = std::move(pipe);
    f.flowText = std::move(flow);
    f.unitflow = in.Unitflow;
    f.diamText = std::move(diam);
    f.diamInFeet = in.DiamInFeet;
    f.slopeText = std::move(slope);
    f.slopeInPercent = in.SlopeInPercent;
    f.nText = std::move(n);
    f.dnorm = labels.at("lblrDnorm");
    f.vnorm = labels.at("lblrVnorm");
    f.frNo = labels.at("lblrFrNo");
    f.dcr = labels.at("lblrDcr");
    f.q100 = labels.at("lblrQ100");
    f.q093 = labels.at("lblrQ093");
    return f;
}

CalcInputs workedExample() {
    CalcInputs in;
    in.DiamFt = 2;
    in.SlopeFtFt = 0.005;
    in.Qcfs = 10;
    in.SlopeInPercent = true;
    return in;
}

TEST(Record, HeaderNamesTheFourteenColumns) {
    EXPECT_EQ(record::headerLine(), "Pipe ID\tQ\tQunit\tDiam\tunit\tSlope\tunit\tn\tDepth (ft)\t"
                                    "Vel. (fps)\tFr. #\tDcrit(ft)\tCapacity\tMax Q");
}

TEST(Record, WorkedExampleGivesTypedInputsUnitsThenCaptions) {
    const std::string line =
        record::makeRecord(fieldsAfterRun(workedExample(), "P1", "10", "24", "0.5", "0.013"));
    const std::vector<std::string> f = fieldsOf(line);
    ASSERT_EQ(f.size(), 14u);
    EXPECT_EQ(std::vector<std::string>(f.begin(), f.begin() + 8),
              (std::vector<std::string>{"P1", "10", "CFS", "24", "in.", "0.5", "%", "0.013"}));
    EXPECT_EQ(line, "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t15.9965\t"
                    "17.1993");
}

TEST(Record, UnitFieldsFollowTheUnitLists) {
    struct Case {
        bool diamInFeet, slopeInPercent;
        const char *diamWord, *slopeWord;
    };
    for (const Case& c : {Case{false, false, "in.", "ft/ft"}, Case{false, true, "in.", "%"},
                          Case{true, false, "ft.", "ft/ft"}, Case{true, true, "ft.", "%"}}) {
        record::RecordFields in;
        in.diamInFeet = c.diamInFeet;
        in.slopeInPercent = c.slopeInPercent;
        const std::vector<std::string> f = fieldsOf(record::makeRecord(in));
        ASSERT_EQ(f.size(), 14u);
        EXPECT_EQ(f[4], c.diamWord);
        EXPECT_EQ(f[6], c.slopeWord);
    }
}

TEST(Record, AutomaticRecordStartsWithATab) {
    const std::string line =
        record::makeRecord(fieldsAfterRun(workedExample(), "", "10", "24", "0.5", "0.013"));
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.substr(0, 4), "\t10\t");
}

TEST(Record, SurchargedRecordHoldsEmptyResultFieldsAndTheCapacities) {
    CalcInputs in; // 12 in. at 0.01 ft/ft carries about 3.8 cfs at 0.93 of the diameter
    in.DiamFt = 1;
    in.SlopeFtFt = 0.01;
    in.Qcfs = 10;
    const std::string line =
        record::makeRecord(fieldsAfterRun(in, "S", "10", "12", "0.01", "0.013"));
    const std::vector<std::string> f = fieldsOf(line);
    ASSERT_EQ(f.size(), 14u);
    for (int i = 8; i < 12; ++i)
        EXPECT_EQ(f[i], "") << "field " << i + 1;
    EXPECT_EQ(f[12], "3.5628");
    EXPECT_EQ(f[13], "3.8307");
    EXPECT_NE(line.find("0.013\t\t\t\t\t3.5628"), std::string::npos);
}

// A pasted TAB or line break would split the saved table's columns or rows.
TEST(Record, SeparatorsInTypedTextsBecomeBlanks) {
    struct Case {
        const char *typed, *recorded;
    };
    for (const Case& c : {Case{"A\tB", "A B"}, Case{"\tP", " P"}, Case{"P\n2", "P 2"},
                          Case{"P\r\n2", "P  2"}, Case{"Rohr \xC3\x84 1", "Rohr \xC3\x84 1"}}) {
        record::RecordFields in;
        in.pipeName = c.typed;
        in.flowText = c.typed;
        in.diamText = c.typed;
        in.slopeText = c.typed;
        in.nText = c.typed;
        in.dnorm = "1.5";
        const std::vector<std::string> f = fieldsOf(record::makeRecord(in));
        ASSERT_EQ(f.size(), 14u) << c.typed;
        for (int i : {0, 1, 3, 5, 7})
            EXPECT_EQ(f[i], c.recorded) << "field " << i + 1;
        EXPECT_EQ(f[8], "1.5");
    }
}

TEST(ResultsText, RecordsFollowTheHeaderEachAfterALineFeed) {
    ResultsText text;
    text.setHeader("H");
    EXPECT_EQ(text.fullText(), "H");
    text.appendRecord("r1");
    text.appendRecord("r2");
    EXPECT_EQ(text.ResultsRows(), "\nr1\nr2");
    EXPECT_EQ(text.fullText(), "H\nr1\nr2");
    EXPECT_EQ(text.recordCount(), 2u);
    text.appendRecord("r2"); // the same line twice is two records
    EXPECT_EQ(text.fullText(), "H\nr1\nr2\nr2");
}

TEST(ResultsText, ClearKeepsTheHeaderAndTheNextRecordFollowsIt) {
    ResultsText text;
    text.setHeader("H");
    text.appendRecord("r1");
    text.clearRows();
    EXPECT_EQ(text.fullText(), "H");
    EXPECT_EQ(text.recordCount(), 0u);
    text.appendRecord("\tr2");
    EXPECT_EQ(text.fullText(), "H\n\tr2");
}

} // namespace
} // namespace runnelex
