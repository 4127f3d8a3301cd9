// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>

// Closed conduit sections flowing partly full: the geometry every calculation needs, whatever
// the shape. A new shape is one more class and one more case of makeSection().
namespace runnelex::sections {

enum class Shape { Circle, Square, Box };

// The constants of Manning's equation and of the Froude number in one system of units.
struct Hydraulics {
    double manningK; // 1.486 in ft and s, 1 in m and s
    double gravity;  // ft/s^2 or m/s^2
};
// US customary: the program's g of the Froude number, so Fr is 1 at the critical depth.
inline constexpr Hydraulics kUsCustomary{1.486, 32.2};
inline constexpr Hydraulics kMetric{1.0, 9.80665};

class Section {
public:
    virtual ~Section() = default;
    virtual Shape shape() const = 0;
    // From the invert to the crown: the diameter, the side or the rise.
    virtual double rise() const = 0;
    // Flow area, wetted perimeter and water-surface width at depth y. At or above the crown the
    // conduit runs full: the lid is wetted and there is no free surface.
    virtual double area(double y) const = 0;
    virtual double perimeter(double y) const = 0;
    virtual double topWidth(double y) const = 0;
    // The critical depth where it has a closed form; nothing where it must be searched.
    virtual std::optional<double> criticalDepth(double Q, double g) const = 0;
    // The depth ratio of the largest open-channel flow when it lies below the crown; nothing
    // when the flow rises all the way to the crown (found just under it, the lid not touching).
    virtual bool peaksBelowCrown() const = 0;
    // The wetted perimeter just under the crown, the lid not touching.
    virtual double openPerimeterAtCrown() const = 0;

    double fullArea() const { return area(rise()); }
    double fullPerimeter() const { return perimeter(rise()); }
};

// A section of the shape with its dimensions: a circle's diameter, a square's side, a box's span
// and rise (`second`). Dimensions must be positive.
std::unique_ptr<Section> makeSection(Shape shape, double first, double second = 0.0);

} // namespace runnelex::sections
