// SPDX-License-Identifier: GPL-3.0-or-later
// What every row of the shape table must hold, in both unit systems and under every friction
// law: the geometry agrees with itself, the depths are the exact roots, the record text and the
// catalogue read back.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "friction/law_table.h"
#include "hydraulics/conduit.h"
#include "sections/section_text.h"
#include "sections/shape_table.h"
#include "sizing/pipe_sizing.h"

namespace runnelex::sections {
namespace {

struct Sample {
    const ShapeRow* shape;
    UnitSystem system;
    Dimensions dims;                // in the system's base unit
    TextValues texts;               // what its text dimensions read as, lengths in the base unit
    std::vector<std::string> typed; // every dimension's text in the catalogue's unit
    std::string name;
};

// Tests are named by the sample, not by its bytes.
void PrintTo(const Sample& s, std::ostream* os) {
    *os << s.name;
}

// The smallest, a middle and the largest size of each catalogue, in each system.
std::vector<Sample> samples() {
    std::vector<Sample> all;
    for (const ShapeRow& row : shapeTable())
        for (UnitSystem system : {UnitSystem::US, UnitSystem::SI}) {
            const Catalogue c = row.catalogue(system);
            if (c.sizes.empty())
                continue; // a shape of the user's own: its tests give its sections
            const double toBase = system == UnitSystem::SI ? 0.001 : c.inFeet ? 1.0 : 1.0 / 12;
            for (std::size_t i : {std::size_t{0}, c.sizes.size() / 2, c.sizes.size() - 1}) {
                Dimensions d{};
                TextValues t;
                std::vector<std::string> typed;
                for (std::size_t k = 0; k < row.dimensionCount(); ++k) {
                    typed.push_back(row.sizeText(c.sizes[i], k));
                    if (const TextDimension* text = row.dimensions[k].text) {
                        if (!typed.back().empty())
                            t[k] = *text->read(typed.back());
                        for (double& x : t[k])
                            x *= text->lengths ? toBase : 1.0;
                    } else {
                        d[k] = c.sizes[i][k] * toBase;
                    }
                }
                all.push_back({&row, system, d, t, typed,
                               std::string(row.word) + " " + sizing::sizeText(row, c.sizes[i]) +
                                   (system == UnitSystem::SI ? " SI" : " US")});
            }
        }
    return all;
}

// The area of a closed polyline (the shoelace formula).
double polygonArea(const std::vector<OutlinePoint>& p) {
    double twice = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const OutlinePoint &a = p[i], &b = p[(i + 1) % p.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2;
}

class ShapeContract : public ::testing::TestWithParam<Sample> {};

TEST_P(ShapeContract, GeometryAgreesWithItself) {
    const Sample& s = GetParam();
    const auto section = s.shape->make(s.dims, s.texts, s.system);
    const double D = section->rise();
    EXPECT_EQ(section->area(D), section->fullArea());
    EXPECT_GT(section->span(), 0.0);
    // The outline encloses the full area (a circle's polygon to its chords).
    EXPECT_NEAR(polygonArea(section->outline()), section->fullArea(), 1e-4 * section->fullArea());
    double lastA = 0.0, lastP = 0.0;
    for (int i = 1; i < 200; ++i) {
        const double y = D * i / 200;
        const double A = section->area(y), P = section->perimeter(y);
        EXPECT_GE(A, lastA) << "A falls at y " << y;
        EXPECT_GE(P, lastP) << "P falls at y " << y;
        lastA = A;
        lastP = P;
        // The water surface is the rate at which the area grows.
        const double h = 1e-6 * D;
        const double dA = (section->area(y + h) - section->area(y - h)) / (2 * h);
        EXPECT_NEAR(section->topWidth(y), dA, 1e-5 * section->span()) << "T at y " << y;
    }
}

TEST_P(ShapeContract, DepthsAreTheRoots) {
    const Sample& s = GetParam();
    const auto section = s.shape->make(s.dims, s.texts, s.system);
    const double D = section->rise();
    for (const friction::LawRow& row : friction::lawTable()) {
        const auto law = row.make(0.013, {}, s.system);
        const hydraulics::Conduit c(*section, *law, 0.004, s.system);
        for (double share : {1e-4, 0.3, 0.9, 1.0}) {
            const double Q = share * c.flowAt(0.93 * D);
            SCOPED_TRACE(std::string(row.word) + " Q " + std::to_string(Q));
            const double y = c.normalDepth(Q, 0.93 * D);
            if (c.engineRoute()) {
                EXPECT_LE(std::fabs(c.flowAt(y) - Q) / Q, 1e-6); // the engine's tolerance
            } else {
                // The first double at which the flow reaches Q.
                EXPECT_GE(c.flowAt(y), Q);
                EXPECT_LT(c.flowAt(std::nextafter(y, 0.0)), Q);
            }
            const double yc = c.criticalDepth(Q);
            ASSERT_GT(yc, 0.0);
            if (yc >= D)
                continue; // still supercritical at the crown
            if (section->engineCircle()) {
                // The march ends within one step above the root.
                EXPECT_LE(c.froudeNumber(yc, Q), 1.0);
                if (yc > 1e-4 * D) {
                    EXPECT_GT(c.froudeNumber(yc - 1e-4 * D, Q), 1.0);
                }
            } else {
                EXPECT_NEAR(c.froudeNumber(yc, Q), 1.0, 1e-9);
            }
        }
        // The largest open-channel flow is no less than the flow at any depth below the crown.
        const hydraulics::PeakFlow peak = c.peakFlow();
        for (int i = 1; i < 100; ++i)
            EXPECT_LE(c.flowAt(D * i / 100), peak.flow * (1 + 1e-12));
    }
}

TEST_P(ShapeContract, RecordTextReadsBack) {
    const Sample& s = GetParam();
    std::vector<std::string> texts = s.typed;
    for (std::size_t k = 0; k < s.shape->dimensionCount(); ++k)
        if (s.shape->dimensions[k].isLength())
            texts[k] = std::to_string(s.dims[k] * 7);
    const auto read = parseSectionText(sectionText(*s.shape, texts));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->shape, s.shape);
    EXPECT_EQ(read->dimensions, texts);
}

TEST_P(ShapeContract, CatalogueParsesAndIsSorted) {
    const Sample& s = GetParam();
    const Catalogue c = s.shape->catalogue(s.system);
    std::string list;
    double lastArea = 0.0;
    bool texts = false; // a size's texts (an arch's family) are not typed in a size list
    const double toBase = s.system == UnitSystem::SI ? 0.001 : c.inFeet ? 1.0 : 1.0 / 12;
    for (const Dimensions& size : c.sizes) {
        Dimensions lengths{}, base{};
        TextValues t;
        for (std::size_t k = 0; k < s.shape->dimensionCount(); ++k) {
            if (const TextDimension* text = s.shape->dimensions[k].text) {
                texts = true;
                if (size[k] != 0.0)
                    t[k] = *text->read(s.shape->sizeText(size, k));
            } else {
                lengths[k] = size[k];
                base[k] = size[k] * toBase;
            }
        }
        list += s.shape->sizeName(lengths) + ", ";
        const double area = s.shape->make(base, t, s.system)->fullArea();
        EXPECT_GE(area, lastArea) << sizing::sizeText(*s.shape, size);
        lastArea = area;
    }
    std::vector<Dimensions> read;
    ASSERT_EQ(sizing::parseSizeList(list, *s.shape, read, s.system), std::nullopt);
    if (!texts) {
        EXPECT_EQ(read, c.sizes);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryShape, ShapeContract, ::testing::ValuesIn(samples()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// How a record's Diam field is read, whatever the spelling.
TEST(SectionText, ReadsWhatPeopleWrite) {
    const struct {
        const char* field;
        const char* shape; // nothing when refused
        std::vector<std::string> dims;
    } cases[] = {
        {"12", "circle", {"12"}},
        {" 12 ", "circle", {" 12 "}},
        {"SQUARE  4.5 ", "square", {"4.5"}},
        {"Box 6 X 4", "box", {"6", "4"}},
        {"box 6x4x3", "box", {"6", "4x3"}}, // the last dimension takes the rest
        {"box 6", nullptr, {}},
        {"box x4", nullptr, {}},
        {"square", nullptr, {}},
        {"box", nullptr, {}},
    };
    for (const auto& c : cases) {
        const auto s = parseSectionText(c.field);
        ASSERT_EQ(s.has_value(), c.shape != nullptr) << c.field;
        if (!s)
            continue;
        EXPECT_EQ(s->shape, shapeNamed(c.shape)) << c.field;
        EXPECT_EQ(s->dimensions, c.dims) << c.field;
    }
}

} // namespace
} // namespace runnelex::sections
