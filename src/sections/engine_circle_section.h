// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sections/section.h"

namespace runnelex::sections {

// The circular pipe in US customary units, with the engine's own geometry, so that its results
// keep the engine's digits.
class EngineCircleSection final : public Section {
public:
    explicit EngineCircleSection(double diameter) : D_(diameter) {}
    double rise() const override { return D_; }
    double span() const override { return D_; }
    double area(double y) const override;
    double perimeter(double y) const override;
    double topWidth(double y) const override;
    std::optional<double> criticalDepth(double, double) const override { return std::nullopt; }
    bool peaksBelowCrown() const override { return true; }
    std::vector<OutlinePoint> outline() const override;
    double openPerimeterAtCrown() const override { return perimeter(D_); }
    bool engineCircle() const override { return true; }

private:
    double D_;
};

} // namespace runnelex::sections
