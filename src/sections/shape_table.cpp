// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/shape_table.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "common/number_text.h"

#include "common/words.h"
#include "sections/arch_families.h"
#include "sections/arch_geometry.h"
#include "sections/box_section.h"
#include "sections/circle_section.h"
#include "sections/custom_section.h"
#include "sections/egg_section.h"
#include "sections/ellipse_section.h"
#include "sections/engine_circle_section.h"
#include "sections/horseshoe_section.h"
#include "sections/text_dimensions.h"

namespace runnelex::sections {

namespace {

constexpr std::array<DimensionSpec, 1> kCircleDims = {
    {{"diam", "Diameter", "D", "&Diameter:", "Key in Pipe Diameter here",
      "Diameter must be a positive real number."}}};
constexpr std::array<DimensionSpec, 1> kSquareDims = {
    {{"diam", "Side", "Side", "Si&de:", "Key in the square's side here",
      "Side must be a positive real number."}}};
constexpr std::array<DimensionSpec, 2> kBoxDims = {
    {{"span", "Span", "Span", "S&pan:", "Key in the box's span here",
      "Span must be a positive real number."},
     {"rise", "Rise", "Rise", "R&ise:", "Key in the box's rise here",
      "Rise must be a positive real number."}}};

constexpr std::array<DimensionSpec, 1> kEggDims = {
    {{"rise", "Height", "H", "R&ise:", "Key in the egg's height here",
      "Rise must be a positive real number."}}};

constexpr std::array<DimensionSpec, 2> kEllipseDims = {
    {{"span", "Span", "Span", "S&pan:", "Key in the elliptical pipe's span here",
      "Span must be a positive real number."},
     {"rise", "Rise", "Rise", "R&ise:", "Key in the elliptical pipe's rise here",
      "Rise must be a positive real number."}}};

constexpr std::array<DimensionSpec, 1> kHorseshoeDims = {
    {{"diam", "Diameter", "D", "&Diameter:", "Key in the horseshoe's height and width here",
      "Diameter must be a positive real number."}}};

std::unique_ptr<Section> makeCircle(const Dimensions& d, const TextValues&, UnitSystem system) {
    // The US customary circle is the engine's own, so its results keep the engine's digits.
    if (system == UnitSystem::US)
        return std::make_unique<EngineCircleSection>(d[0]);
    return std::make_unique<CircleSection>(d[0]);
}

std::unique_ptr<Section> makeSquare(const Dimensions& d, const TextValues&, UnitSystem) {
    return std::make_unique<BoxSection>(d[0], d[0]);
}

std::unique_ptr<Section> makeBox(const Dimensions& d, const TextValues&, UnitSystem) {
    return std::make_unique<BoxSection>(d[0], d[1]);
}

std::unique_ptr<Section> makeEgg(const Dimensions& d, const TextValues&, UnitSystem) {
    return std::make_unique<EggSection>(d[0]);
}

// Egg heights: 1.5 to 9 ft by 0.5 ft; in SI the common 2:3 sizes, 400/600 to 1400/2100 mm
// (width/height).
Catalogue eggSizes(UnitSystem system) {
    Catalogue c{{}, system == UnitSystem::US, "standard egg heights"};
    if (system == UnitSystem::SI) {
        for (double h : {600, 750, 900, 1050, 1200, 1350, 1500, 1650, 1800, 1950, 2100})
            c.sizes.push_back({h});
        return c;
    }
    for (double h = 1.5; h <= 9.0; h += 0.5)
        c.sizes.push_back({h});
    return c;
}

std::unique_ptr<Section> makeEllipse(const Dimensions& d, const TextValues&, UnitSystem) {
    return std::make_unique<EllipseSection>(d[0], d[1]);
}

std::unique_ptr<Section> makeHorseshoe(const Dimensions& d, const TextValues&, UnitSystem) {
    return std::make_unique<HorseshoeSection>(d[0]);
}

// The 23 elliptical concrete pipes, span x rise in inches (equivalent to the round pipes of
// 18 to 144 in), lying on the span; stood on end they are the same pipes with span and rise
// exchanged. In SI the same pipes in millimetres to the nearest 5 mm.
Catalogue ellipseSizes(UnitSystem system) {
    static constexpr double kSpanRise[][2] = {
        {23, 14},  {30, 19},  {34, 22},  {38, 24},  {42, 27},  {45, 29},   {49, 32},  {53, 34},
        {60, 38},  {68, 43},  {76, 48},  {83, 53},  {91, 58},  {98, 63},   {106, 68}, {113, 72},
        {121, 77}, {128, 82}, {136, 87}, {143, 92}, {151, 97}, {166, 106}, {180, 116}};
    Catalogue c{{}, false, "elliptical pipes"};
    const double scale = system == UnitSystem::SI ? 25.4 / 5.0 : 1.0;
    const double step = system == UnitSystem::SI ? 5.0 : 1.0;
    for (const auto& size : kSpanRise)
        c.sizes.push_back({std::round(size[0] * scale) * step, std::round(size[1] * scale) * step});
    return c;
}

// Horseshoes 4 to 20 ft by 1 ft; in SI 1200 to 6000 mm by 300 mm.
Catalogue horseshoeSizes(UnitSystem system) {
    Catalogue c{{}, system == UnitSystem::US, "horseshoe heights"};
    if (system == UnitSystem::SI) {
        for (double d = 1200; d <= 6000; d += 300)
            c.sizes.push_back({d});
        return c;
    }
    for (double d = 4; d <= 20; d += 1)
        c.sizes.push_back({d});
    return c;
}

Catalogue circleSizes(UnitSystem system) {
    Catalogue c;
    c.caption = "nominal pipe diameters";
    const std::initializer_list<double> us = {4,  6,  8,  10,  12,  15,  18,  21,  24, 27,
                                              30, 33, 36, 42,  48,  54,  60,  66,  72, 78,
                                              84, 90, 96, 102, 108, 114, 120, 132, 144};
    const std::initializer_list<double> si = {100,  150,  225,  300,  375,  450,  525,  600,
                                              675,  750,  825,  900,  1050, 1200, 1350, 1500,
                                              1650, 1800, 1950, 2100, 2250, 2400, 2700, 3000};
    for (double d : system == UnitSystem::SI ? si : us)
        c.sizes.push_back({d});
    return c;
}

// The precast boxes, span x rise: in feet, each span with the rises made for it; in SI, 600 x
// 300 to 3600 x 3600 mm in steps of 300, the rise at most the span.
std::vector<std::pair<double, double>> precastBoxes(UnitSystem system) {
    std::vector<std::pair<double, double>> boxes;
    if (system == UnitSystem::SI) {
        for (double span = 600; span <= 3600; span += 300)
            for (double rise = 300; rise <= span; rise += 300)
                boxes.emplace_back(span, rise);
        return boxes;
    }
    static const std::vector<std::pair<double, std::vector<double>>> catalogue = {
        {3, {2, 3}},
        {4, {2, 3, 4}},
        {5, {3, 4, 5}},
        {6, {3, 4, 5, 6}},
        {7, {4, 5, 6, 7}},
        {8, {4, 5, 6, 7, 8}},
        {9, {5, 6, 7, 8, 9}},
        {10, {5, 6, 7, 8, 9, 10}},
        {11, {4, 6, 8, 10, 11}},
        {12, {4, 6, 8, 10, 12}}};
    for (const auto& [span, rises] : catalogue)
        for (double rise : rises)
            boxes.emplace_back(span, rise);
    return boxes;
}

Catalogue squareSizes(UnitSystem system) {
    Catalogue c{{}, system == UnitSystem::US, "square precast boxes"};
    for (const auto& [span, rise] : precastBoxes(system))
        if (rise == span)
            c.sizes.push_back({span});
    return c;
}

Catalogue boxSizes(UnitSystem system) {
    Catalogue c{{}, system == UnitSystem::US, "precast boxes"};
    for (const auto& [span, rise] : precastBoxes(system))
        c.sizes.push_back({span, rise});
    // Smallest full area first; equal areas, the lower rise first.
    std::stable_sort(c.sizes.begin(), c.sizes.end(), [](const Dimensions& a, const Dimensions& b) {
        const double areaA = a[0] * a[1], areaB = b[0] * b[1];
        return areaA != areaB ? areaA < areaB : a[1] < b[1];
    });
    return c;
}

const std::array<DimensionSpec, 4> kArchDims = {
    {{"span", "Span", "Span", "S&pan:", "Key in the arch's span here",
      "Span must be a positive real number."},
     {"rise", "Rise", "Rise", "R&ise:", "Key in the arch's rise here",
      "Rise must be a positive real number."},
     {"family", "Family", "",
      "&Family:", "Key in the arch's family here: concrete, steel, steel-3x1, plate-18 or plate-31",
      "Family must be concrete, steel, steel-3x1, plate-18 or plate-31.", &kArchFamilyText},
     {"radii", "Radii", "r", "Ra&dii:", "Key in the arch's invert and corner radii here, as RB,RC",
      "Radii must be two positive real numbers, RB,RC.", &kArchRadiiText}}};

const std::array<DimensionSpec, 1> kCustomDims = {
    {{"outline", "Outline", "",
      "&Outline:", "Key in the section's heights and widths here, as \"0 0;0.5 1.2;1 0\"",
      "Outline must be pairs of numbers, a height and a width, separated by semicolons.",
      &kOutlineText}}};

// An arch's base lengths to and from the families' inches.
double inchesPerBase(UnitSystem system) {
    return system == UnitSystem::SI ? 1.0 / 0.0254 : 12.0;
}

// The invert and corner radii of an arch in base lengths: its family's at its rise, or the
// radii given; nothing when its family has no such rise.
std::optional<std::pair<double, double>> archRadii(const Dimensions& d, const TextValues& t,
                                                   UnitSystem system) {
    if (t[3].size() == 2)
        return std::pair{t[3][0], t[3][1]};
    if (t[2].size() != 1)
        return std::nullopt;
    const ArchFamily& family = archFamilies()[static_cast<std::size_t>(t[2][0]) - 1];
    const double perBase = inchesPerBase(system);
    const auto size = familySizeAt(family, d[1] * perBase);
    if (!size)
        return std::nullopt;
    return std::pair{size->Rb / perBase, size->Rc / perBase};
}

std::unique_ptr<Section> makeArch(const Dimensions& d, const TextValues& t, UnitSystem system) {
    const auto radii = archRadii(d, t, system);
    auto pieces = radii ? archPieces(d[0], d[1], radii->first, radii->second) : std::nullopt;
    if (!pieces) // the fault check keeps such an arch from here
        throw std::invalid_argument("no arch of these dimensions");
    return std::make_unique<ArchSection>(*pieces, d[0]);
}

std::string archFault(const Dimensions& d, const TextValues& t, UnitSystem system) {
    if (t[2].size() == 1) {
        const ArchFamily& family = archFamilies()[static_cast<std::size_t>(t[2][0]) - 1];
        const double perBase = inchesPerBase(system);
        if (std::string why = familyFault(family, d[0] * perBase, d[1] * perBase, system);
            !why.empty())
            return why;
    }
    const auto radii = archRadii(d, t, system);
    if (!radii || !archPieces(d[0], d[1], radii->first, radii->second))
        return "No arch of this span and rise has these radii: the invert radius must exceed "
               "half the span, and the corners leave room for a crown.";
    return {};
}

// Every family's sizes, in inches (mm in SI), smallest full area first.
Catalogue archSizes(UnitSystem system) {
    Catalogue c{{}, false, "standard arches and pipe-arches"};
    const double perInch = system == UnitSystem::SI ? 25.4 : 1.0;
    std::vector<std::pair<double, Dimensions>> sized;
    const auto families = archFamilies();
    for (std::size_t f = 0; f < families.size(); ++f)
        for (const ArchSize& s : families[f].sizes) {
            // Two small steel pipe-arches' published radii close no arch: they are left out.
            const auto pieces = archPieces(s.span, s.rise, s.Rb, s.Rc);
            if (!pieces)
                continue;
            const double area = ArchSection(*pieces, s.span).fullArea();
            sized.push_back({area, {s.span * perInch, s.rise * perInch, double(f + 1), 0.0}});
        }
    std::stable_sort(sized.begin(), sized.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [area, size] : sized)
        c.sizes.push_back(size);
    return c;
}

std::unique_ptr<Section> makeCustom(const Dimensions&, const TextValues& t, UnitSystem) {
    if (outlineFault(t[0]) != nullptr) // the fault check keeps such an outline from here
        throw std::invalid_argument("no section of this outline");
    return std::make_unique<CustomSection>(t[0]);
}

std::string customFault(const Dimensions&, const TextValues& t, UnitSystem) {
    const char* why = outlineFault(t[0]);
    return why == nullptr ? std::string() : std::string(why);
}

Catalogue noSizes(UnitSystem) {
    return {{}, false, "no standard sizes"};
}

const std::array<ShapeRow, 8> kShapes = {{
    {"circle", "Circle", kCircleDims, true, makeCircle, circleSizes},
    {"square", "Square", kSquareDims, false, makeSquare, squareSizes},
    {"box", "Box", kBoxDims, false, makeBox, boxSizes},
    {"egg", "Egg", kEggDims, false, makeEgg, eggSizes},
    {"ellipse", "Ellipse", kEllipseDims, false, makeEllipse, ellipseSizes},
    {"horseshoe", "Horseshoe", kHorseshoeDims, false, makeHorseshoe, horseshoeSizes},
    {"arch", "Arch", kArchDims, false, makeArch, archSizes, archFault},
    {"custom", "Custom", kCustomDims, false, makeCustom, noSizes, customFault},
}};

} // namespace

std::size_t ShapeRow::dimensionIndex(std::string_view word) const {
    for (std::size_t i = 0; i < dimensions.size(); ++i)
        if (dimensions[i].word == word)
            return i;
    return dimensions.size();
}

Catalogue ShapeRow::listed(UnitSystem system) const {
    Catalogue c = catalogue(system);
    const std::size_t count = dimensionCount();
    std::stable_sort(c.sizes.begin(), c.sizes.end(),
                     [count](const Dimensions& a, const Dimensions& b) {
                         return std::lexicographical_compare(
                             a.begin(), a.begin() + static_cast<std::ptrdiff_t>(count), b.begin(),
                             b.begin() + static_cast<std::ptrdiff_t>(count));
                     });
    return c;
}

std::string ShapeRow::prompt() const {
    std::string text = "Enter ";
    for (const DimensionSpec& d : dimensions)
        text += words::withArticle(words::lowerCase(d.caption)) + ", ";
    return text.substr(0, text.size() - 2) + ", a slope and n to see the pipe.";
}

std::string ShapeRow::sizeText(const Dimensions& size, std::size_t index) const {
    const DimensionSpec& d = dimensions[index];
    if (d.isLength())
        return generalNumberText(size[index]);
    if (size[index] == 0.0)
        return {};
    return d.text->write(std::span(&size[index], 1));
}

std::string ShapeRow::sizeName(const Dimensions& size, std::string_view unit) const {
    std::string lengths, texts;
    for (std::size_t i = 0; i < dimensionCount(); ++i) {
        const std::string text = sizeText(size, i);
        if (dimensions[i].isLength())
            lengths.append(lengths.empty() ? "" : "x").append(text);
        else if (!text.empty())
            texts.append(" ").append(dimensions[i].text->recordPrefix).append(text);
    }
    if (!unit.empty())
        lengths.append(" ").append(unit);
    return lengths.append(texts);
}

std::string ShapeRow::faultOf(const Dimensions& dims, const TextValues& texts,
                              UnitSystem system) const {
    std::string alternatives;
    int given = 0, count = 0;
    for (std::size_t i = 0; i < dimensionCount(); ++i) {
        const DimensionSpec& d = dimensions[i];
        if (d.isLength() || !d.text->alternative)
            continue;
        alternatives.append(count++ == 0 ? "" : " or ").append(words::lowerCase(d.caption));
        given += texts[i].empty() ? 0 : 1;
    }
    std::string why;
    if (count > 0 && given != 1)
        return why.append("Give the ")
            .append(words::lowerCase(caption))
            .append("'s ")
            .append(alternatives)
            .append(given == 0 ? "." : ", not both.");
    return fault == nullptr ? why : fault(dims, texts, system);
}

std::span<const ShapeRow> shapeTable() {
    return kShapes;
}

const ShapeRow& defaultShape() {
    return kShapes[0];
}

const ShapeRow* shapeNamed(std::string_view word) {
    for (const ShapeRow& row : kShapes)
        if (words::sameWord(words::trimmed(word), row.word))
            return &row;
    return nullptr;
}

const DimensionSpec* firstDimension(std::string_view word) {
    for (const ShapeRow& row : kShapes)
        if (const std::size_t i = row.dimensionIndex(word); i < row.dimensionCount())
            return &row.dimensions[i];
    return nullptr;
}

std::vector<std::string_view> dimensionWords() {
    std::vector<std::string_view> words;
    for (const ShapeRow& row : kShapes)
        for (const DimensionSpec& d : row.dimensions)
            if (std::find(words.begin(), words.end(), d.word) == words.end())
                words.push_back(d.word);
    return words;
}

std::string shapeWordList(std::string_view separator) {
    std::string text;
    for (const ShapeRow& row : kShapes)
        text.append(text.empty() ? "" : separator).append(row.word);
    return text;
}

std::string shapeWordSentence() {
    std::string text;
    for (std::size_t i = 0; i < kShapes.size(); ++i)
        text.append(i == 0 ? "" : i + 1 == kShapes.size() ? " or " : ", ").append(kShapes[i].word);
    return text;
}

} // namespace runnelex::sections
