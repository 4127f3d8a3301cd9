// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

#include "sections/section.h"

namespace runnelex::sections {

// A symmetric closed section given by its width at a list of heights, from the invert (height
// 0) up to the crown, the wall straight between them: exact as the polygon it describes. A
// width at the invert is a flat floor, a width at the crown a flat lid.
class CustomSection final : public Section {
public:
    // Heights and full widths, alternating (h0 w0 h1 w1 ...), as `outlineFault` accepts them.
    explicit CustomSection(std::span<const double> heightWidthPairs);
    double rise() const override { return h_.back(); }
    double span() const override { return span_; }
    double area(double y) const override;
    double perimeter(double y) const override;
    double topWidth(double y) const override;
    std::optional<double> criticalDepth(double, double) const override { return std::nullopt; }
    // Walls standing straight up under a flat lid carry most just under it, as a box does;
    // any other section may carry most below its crown.
    bool peaksBelowCrown() const override;
    double wideningTo() const override { return widening_; }
    double openPerimeterAtCrown() const override;
    std::vector<OutlinePoint> outline() const override;

private:
    double openPerimeter(double y) const;
    std::vector<double> h_, w_, wall_; // wall_[i]: one wall's length up to h_[i]
    std::vector<double> below_;        // below_[i]: the area up to h_[i], summed from the invert
    double span_ = 0.0;
    double widening_ = 0.0; // the first height above which the outline narrows
};

// Why heights and widths (h0 w0 h1 w1 ...) describe no section, or nothing: at least two
// points, heights from 0 strictly increasing, widths not negative, some width positive.
const char* outlineFault(std::span<const double> heightWidthPairs);

} // namespace runnelex::sections
