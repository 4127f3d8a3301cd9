// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/arch_families.h"

#include <array>
#include <cmath>

#include "common/number_text.h"
#include "common/words.h"

namespace runnelex::sections {

namespace {

constexpr std::array<ArchSize, 17> kConcrete = {{
    {11, 18, 22.875, 4.0313},
    {13.5, 22, 27.5, 5.25},
    {15.5, 26, 35.5, 5.25},
    {18, 28.5, 40.6875, 4.5938},
    {22.5, 36.25, 51, 6.0313},
    {26.625, 43.75, 62, 6.375},
    {31.3125, 51.125, 73, 7.5625},
    {36, 58.5, 84, 8.75},
    {40, 65, 92.5, 9.8125},
    {45, 73, 105, 11.2188},
    {54, 88, 126, 12.5625},
    {62, 102, 162.5, 13.9688},
    {72, 115, 183, 19.2813},
    {77.25, 122, 218, 20.0625},
    {87.125, 138, 269, 22.375},
    {96.875, 154, 301.375, 24},
    {106.5, 168.75, 329, 26.875},
}};

constexpr std::array<ArchSize, 12> kSteel = {{
    {13, 17, 25.625, 3.5},
    {15, 21, 33.125, 4.125},
    {18, 24, 34.625, 4.875},
    {20, 28, 42.25, 5.5},
    {24, 35, 55.125, 6.875},
    {29, 42, 66.125, 8.25},
    {33, 49, 77.25, 9.625},
    {38, 57, 88.25, 11},
    {43, 64, 99.25, 12.375},
    {47, 71, 110.25, 13.75},
    {52, 77, 121.25, 15.125},
    {57, 83, 132.25, 16.5},
}};

constexpr std::array<ArchSize, 15> kSteel3x1 = {{
    {32.75, 38.5, 31.375, 12.5},
    {38, 45, 36.625, 14.5},
    {43.25, 51.75, 43.75, 16.625},
    {48.5, 58.5, 51.125, 18.75},
    {54, 65, 56.25, 20.75},
    {58.25, 72.5, 63.75, 22.875},
    {62.5, 79, 82.625, 20.875},
    {67.25, 86.5, 92.25, 22.625},
    {71.75, 93.5, 100.25, 24.375},
    {76, 101.5, 111.625, 26.125},
    {80.5, 108.5, 120.25, 27.75},
    {84.75, 116.5, 131.75, 29.5},
    {89.25, 123.5, 139.75, 31.25},
    {93.75, 131, 149.5, 33},
    {98, 138.5, 162.375, 34.75},
}};

constexpr std::array<ArchSize, 34> kPlate18 = {{
    {55, 73, 76.32, 18},    {57, 76, 83.52, 18},    {59, 81, 83.52, 18},    {61, 84, 104.16, 18},
    {63, 87, 136.2, 18},    {65, 92, 109.8, 18},    {67, 95, 137.88, 18},   {69, 98, 182.88, 18},
    {71, 103, 141, 18},     {73, 106, 178.68, 18},  {75, 112, 144.6, 18},   {77, 114, 177.48, 18},
    {79, 117, 227.76, 18},  {81, 123, 178.32, 18},  {83, 128, 153.24, 18},  {85, 131, 180.36, 18},
    {87, 137, 157.92, 18},  {89, 139, 183.24, 18},  {91, 142, 216.36, 18},  {93, 148, 186.48, 18},
    {95, 150, 216.84, 18},  {97, 152, 257.4, 18},   {100, 154, 314.76, 18}, {101, 161, 254.76, 18},
    {103, 167, 220.68, 18}, {105, 169, 254.16, 18}, {107, 171, 297.6, 18},  {109, 178, 254.28, 18},
    {111, 184, 226.8, 18},  {113, 186, 255.72, 18}, {115, 188, 291.48, 18}, {118, 190, 338.16, 18},
    {119, 197, 290.88, 18}, {121, 199, 332.76, 18},
}};

constexpr std::array<ArchSize, 24> kPlate31 = {{
    {112, 159, 192.6, 31},  {114, 162, 219.96, 31}, {116, 168, 197.88, 31}, {118, 170, 222.6, 31},
    {120, 173, 256.56, 31}, {122, 179, 227.76, 31}, {124, 184, 208.56, 31}, {126, 187, 232.08, 31},
    {128, 190, 260.64, 31}, {130, 195, 236.04, 31}, {132, 198, 263.16, 31}, {134, 204, 240.96, 31},
    {136, 206, 266.76, 31}, {138, 209, 297.96, 31}, {140, 215, 270.6, 31},  {142, 217, 299.76, 31},
    {144, 223, 274.56, 31}, {146, 225, 302.28, 31}, {148, 231, 278.64, 31}, {150, 234, 305.16, 31},
    {152, 236, 336.48, 31}, {154, 239, 374.28, 31}, {156, 245, 338.16, 31}, {158, 247, 373.56, 31},
}};

constexpr std::array<ArchFamily, 5> kFamilies = {{
    {"concrete", "reinforced concrete arch", kConcrete},
    {"steel", "corrugated steel pipe-arch, 2-2/3 x 1/2 in. corrugation", kSteel},
    {"steel-3x1", "corrugated steel pipe-arch, 3 x 1 in. corrugation", kSteel3x1},
    {"plate-18", "structural plate pipe-arch, 18-in. corners", kPlate18},
    {"plate-31", "structural plate pipe-arch, 31-in. corners", kPlate31},
}};

// A rise within a part in 1e9 of a standard one is that one: a size typed in mm or ft. comes
// back to inches with a rounding error.
bool sameLength(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

} // namespace

std::span<const ArchFamily> archFamilies() {
    return kFamilies;
}

const ArchFamily* archFamilyNamed(std::string_view word) {
    for (const ArchFamily& f : kFamilies)
        if (words::sameWord(words::trimmed(word), f.word))
            return &f;
    return nullptr;
}

std::optional<ArchSize> familySizeAt(const ArchFamily& family, double riseInches) {
    const auto sizes = family.sizes;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (sameLength(riseInches, sizes[i].rise))
            return sizes[i];
        if (i + 1 < sizes.size() && riseInches > sizes[i].rise && riseInches < sizes[i + 1].rise) {
            const ArchSize& a = sizes[i];
            const ArchSize& b = sizes[i + 1];
            const double t = (riseInches - a.rise) / (b.rise - a.rise);
            const auto lerp = [t](double u, double v) {
                return u + t * (v - u);
            };
            return ArchSize{riseInches, lerp(a.span, b.span), lerp(a.Rb, b.Rb), lerp(a.Rc, b.Rc)};
        }
    }
    return std::nullopt;
}

std::string familyFault(const ArchFamily& family, double spanInches, double riseInches,
                        UnitSystem system) {
    const double perInch = system == UnitSystem::SI ? 25.4 : 1.0;
    const std::string unit = system == UnitSystem::SI ? " mm" : " in.";
    // An interpolated length to a hundredth of the unit, as a person would quote it.
    const auto text = [&](double inches) {
        return generalNumberText(std::round(inches * perInch * 100.0) / 100.0) + unit;
    };
    const auto size = familySizeAt(family, riseInches);
    std::string why = "The ";
    why.append(family.word);
    if (!size)
        return why.append(" arches' rises run from ")
            .append(text(family.sizes.front().rise))
            .append(" to ")
            .append(text(family.sizes.back().rise))
            .append(": ")
            .append(text(riseInches))
            .append(" is outside them");
    if (std::abs(spanInches - size->span) > 0.02 * size->span)
        return why.append(" arch of rise ")
            .append(text(riseInches))
            .append(" has a span of ")
            .append(text(size->span))
            .append(": ")
            .append(text(spanInches))
            .append(" is more than 2 % off");
    return {};
}

} // namespace runnelex::sections
