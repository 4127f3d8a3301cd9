// SPDX-License-Identifier: GPL-3.0-or-later
// What the picture shows for each outcome of the main window's calculation.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "input/units.h"
#include "picture/picture_model.h"

namespace runnelex::picture {
namespace {

CalcInputs pipe(double q, const char* unit = "CFS") {
    CalcInputs in;
    in.Dims[0] = 1;
    in.SlopeFtFt = 0.01;
    in.Qcfs = q;
    in.Unitflow = unit;
    return in;
}

std::map<std::string, std::string> labels(const PictureModel& m) {
    return {m.labels.begin(), m.labels.end()};
}

// The flow above the full-flow capacity but still open-channel: the slope it needs flowing
// full beside the conduit's, after the note; no notice in any other case.
TEST(PictureModel, CapacityNoticeOnlyForAnOpenChannelAboveTheFullFlow) {
    CalcInputs box = pipe(16);
    box.Shape = sections::shapeNamed("box");
    box.Dims = {3, 2};
    box.SlopeFtFt = 0.001;
    CalcInputs si = pipe(0.1);
    si.System = UnitSystem::SI;
    si.Unitflow = "m\u00b3/s";
    si.Dims[0] = 0.3;
    const struct {
        const char* name;
        CalcInputs in;
        const char* notice;
    } cases[] = {
        {"a circle between full and Qmax", pipe(3.7),
         "Above the full-flow capacity 3.5628 CFS: flowing full, the design flow needs a slope "
         "of 0.0108 ft/ft, the conduit has 0.01 ft/ft."},
        {"a box between full and Qmax", box,
         "Above the full-flow capacity 15.4286 CFS: flowing full, the design flow needs a slope "
         "of 0.0011 ft/ft, the conduit has 0.001 ft/ft."},
        {"in SI", si,
         "Above the full-flow capacity 0.0967 m\u00b3/s: flowing full, the design flow needs a "
         "slope of 0.0107 m/m, the conduit has 0.01 m/m."},
        {"below the full flow", pipe(3.5), ""},
        {"surcharged", pipe(4), ""},
        {"no design flow", pipe(0), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureModel m = buildPictureModel(c.in);
        EXPECT_EQ(m.capacityNotice, c.notice);
        const std::string tail = c.notice[0] ? std::string(" ") + c.notice : "";
        EXPECT_EQ(m.note.substr(m.note.size() - tail.size()), tail);
    }
}

TEST(PictureModel, EachOutcome) {
    const struct {
        const char* name;
        CalcInputs in;
        bool drawable;
        const char *normal, *critical, *other, *otherRatio, *noteStart;
    } cases[] = {
        {"worked example", pipe(2), true, "Dnorm = 0.5359 ft", "Dcr = 0.6034 ft", "", "",
         "One normal depth"},
        {"between full and Qmax: two depths", pipe(3.7), true, "Dnorm = 0.8593 ft",
         "Dcr = 0.8196 ft", "0.9917", "0.9917", "Two normal depths: 0.8593 ft (shown) and 0.9917"},
        {"between Qmax and the peak: surcharged", pipe(3.832), true, "", "", "", "",
         "Surcharged! The flow is above the flow at 0.93 of the diameter; it would have the "
         "open-channel depths 0.9338 ft and 0.9425 ft"},
        {"above the peak", pipe(4), true, "", "", "", "",
         "Surcharged! The flow is above the peak open-channel flow 3.8325 CFS at d/D 0.9382."},
        {"no design flow", pipe(0), true, "", "", "", "", "No design flow"},
        {"no pipe", pipe(2), false, "", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalcInputs in = c.in;
        if (!c.drawable)
            in.SlopeFtFt = 0;
        const PictureModel m = buildPictureModel(in);
        EXPECT_EQ(m.drawable, c.drawable);
        EXPECT_FALSE(m.fault);
        EXPECT_EQ(m.normalText, c.normal);
        EXPECT_EQ(m.criticalText, c.critical);
        EXPECT_EQ(m.note.substr(0, std::string(c.noteStart).size()), c.noteStart);
        if (!c.drawable)
            continue;
        auto shown = labels(m);
        EXPECT_EQ(shown["lblrDnorm2"], c.other);
        EXPECT_EQ(shown["lblrDoverD2"], c.otherRatio);
        EXPECT_EQ(shown["lblrVnorm2"].empty(), std::string(c.other).empty());
        EXPECT_EQ(shown["lblrQpeak"], "3.8325 CFS");
        EXPECT_EQ(shown["lblrDoverDpeak"], "0.9382");
        EXPECT_NEAR(m.peakRatio, 0.93818, 1e-5);
        EXPECT_NEAR(m.zoneStartRatio, 0.81963, 1e-5);
        EXPECT_NEAR(m.qmax, 3.8306994, 1e-7);
        EXPECT_NEAR(m.fullFlow, 3.5628047, 1e-7);
        EXPECT_EQ(m.diameterText, "D = 12 in.");
        // The design point: at its normal depth, at the crown when surcharged, none without flow.
        EXPECT_EQ(m.designRatio.has_value(), in.Qcfs > 0);
        if (m.outcome == Outcome::Surcharged) {
            EXPECT_EQ(*m.designRatio, 1.0);
        }
    }
}

TEST(PictureModel, FlowsInTheUnitShown) {
    const struct {
        const char* unit;
        double factor;
        const char *title, *peak, *titleEnd;
    } cases[] = {
        {"CFS", 1, "Q (cfs)", "3.8325 CFS", "Q = 3.7 CFS"},
        {"MGD", units::kMgdPerCfs, "Q (mgd)", "2.4774 MGD", "Q = 2.3917 MGD"},
        {"GPM", units::kGpmPerCfs, "Q (gpm)", "1720.41 GPM", "Q = 1660.92 GPM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        const PictureModel cfs = buildPictureModel(pipe(3.7));
        const PictureModel m = buildPictureModel(pipe(3.7, c.unit));
        EXPECT_EQ(m.flowTitle, c.title);
        EXPECT_EQ(labels(m)["lblrQpeak"], c.peak);
        EXPECT_EQ(m.title, std::string("D = 12 in.   S = 0.01 ft/ft   n = 0.013   ") + c.titleEnd);
        EXPECT_DOUBLE_EQ(m.fullFlow, cfs.fullFlow * c.factor);
        EXPECT_DOUBLE_EQ(*m.designFlow, 3.7 * c.factor);
        ASSERT_EQ(m.curve.size(), cfs.curve.size());
        EXPECT_DOUBLE_EQ(m.curve[150].Q, cfs.curve[150].Q * c.factor);
        EXPECT_EQ(m.curve[150].V, cfs.curve[150].V); // velocities stay in ft/s
        // The other depth does not depend on the unit the flow is shown in.
        EXPECT_EQ(labels(m)["lblrDnorm2"], "0.9917");
        EXPECT_EQ(labels(m)["lblrVnorm2"], "4.717");
    }
}

TEST(PictureModel, TitleNamesTheInputsAsTyped) {
    // Whole strings: GCC 12 warns falsely (-Wrestrict) of a short literal assigned in place.
    CalcEntry entry;
    entry.dimensions.set("diam", "12");
    entry.slope = std::string("1");
    entry.slopeUnit = 1;
    entry.flow = std::string("897.8");
    entry.flowUnit = 2;
    CalcInputs in = pipe(897.8 / units::kGpmPerCfs, "GPM");
    EXPECT_EQ(buildPictureModel(in, &entry).title,
              "D = 12 in.   S = 1 %   n = 0.013   Q = 897.8 GPM");
    in.Qcfs = 0;
    entry.flow.clear();
    EXPECT_EQ(buildPictureModel(in, &entry).title, "D = 12 in.   S = 1 %   n = 0.013   Q = none");
    // The pipe is named when it has a name; a box by its span and rise as typed.
    entry.pipe = std::string("MH 4-5");
    entry.shape = sections::shapeNamed("box");
    entry.dimensions.set("span", "6");
    entry.dimensions.set("rise", "4");
    entry.diamUnit = 1;
    in.Shape = entry.shape;
    in.Dims = {6, 4};
    EXPECT_EQ(buildPictureModel(in, &entry).title,
              "Pipe MH 4-5   Span x rise = 6 x 4 ft.   S = 1 %   n = 0.013   Q = none");
    // The size under the section is the title's, in the unit typed.
    entry.diamUnit = 0;
    in.Dims = {8.0 / 12, 4.0 / 12};
    EXPECT_EQ(buildPictureModel(in, &entry).diameterText, "Span x rise = 8 x 4 in.");
    // While the section is not given, the picture asks for the shape's own dimensions.
    in.Dims = {};
    EXPECT_EQ(buildPictureModel(in, &entry).prompt,
              "Enter a span, a rise, a slope and n to see the pipe.");
    in.Shape = &sections::defaultShape();
    EXPECT_EQ(buildPictureModel(in, &entry).prompt, kNoPipeText);
}

// A square or a box from its own geometry: the flow rises to the crown (the lid not touching),
// then drops to the full-flow capacity at d/D 1; one normal depth, so no zone and no other depth.
TEST(PictureModel, SquaresAndBoxes) {
    const struct {
        const char* name;
        const char* shape;
        double span, rise, q;
        double peakOverFull; // worked out from the section factor A R^(2/3)
        const char *size, *noteStart;
    } cases[] = {
        {"square", "square", 4, 4, 60, 1.211, "Side = 4 ft.",
         "One normal depth: the flow rises to the crown (Peak open-channel flow "},
        {"box twice as wide", "box", 6, 3, 0, 1.310, "Span x rise = 6 x 3 ft.", "No design flow"},
        {"box twice as high", "box", 3, 6, 400, 1.129, "Span x rise = 3 x 6 ft.",
         "Surcharged! The flow is above the flow at 0.93 of the rise; Peak open-channel flow "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalcInputs in = pipe(c.q);
        in.Shape = sections::shapeNamed(c.shape);
        in.Dims = {c.span, c.rise}; // a square takes its side alone
        in.DiamInFeet = true;
        in.SlopeFtFt = 0.005;
        const PictureModel m = buildPictureModel(in);
        ASSERT_TRUE(m.drawable);
        EXPECT_EQ(m.diameterText, c.size);
        EXPECT_EQ(m.note.substr(0, std::string(c.noteStart).size()), c.noteStart);
        EXPECT_FALSE(m.twoDepthZone);
        EXPECT_FALSE(m.otherDepth);
        EXPECT_EQ(labels(m)["lblrDnorm2"], "");
        EXPECT_EQ(labels(m)["lblrDoverDpeak"], "1");
        EXPECT_NEAR(m.peakFlow / m.fullFlow, c.peakOverFull, 0.0005);
        // The curve rises to the peak at the crown, then drops to the full flow there.
        ASSERT_GE(m.curve.size(), 3u);
        const auto& end = m.curve;
        EXPECT_EQ(end[end.size() - 2].ratio, 1.0);
        EXPECT_EQ(end[end.size() - 2].Q, m.peakFlow);
        EXPECT_EQ(end.back().ratio, 1.0);
        EXPECT_EQ(end.back().Q, m.fullFlow);
        for (std::size_t i = 1; i + 1 < end.size(); ++i)
            EXPECT_GT(end[i].Q, end[i - 1].Q) << "at d/D " << end[i].ratio;
        EXPECT_LT(m.qmax, m.peakFlow);
    }
}

TEST(PictureModel, FaultIsReportedNotThrown) {
    // A flow so small that the solver drives the depth ratio below what the engine resolves.
    const PictureModel m = buildPictureModel(pipe(1e-300));
    EXPECT_TRUE(m.fault);
    EXPECT_FALSE(m.drawable);
}

} // namespace
} // namespace runnelex::picture
