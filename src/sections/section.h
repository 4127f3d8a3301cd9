// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

// Closed conduit sections flowing partly full: the geometry every calculation needs, whatever
// the shape. A new shape is one more class and one more row of the shape table.
namespace runnelex::sections {

// A point of a section's outline: x across from the centre line, y up from the invert.
struct OutlinePoint {
    double x = 0.0, y = 0.0;
};

// The area with the wetted perimeter, or with the water-surface width, at one depth.
struct AreaAnd {
    double area = 0.0;
    double other = 0.0;
};

class Section {
public:
    virtual ~Section() = default;
    // From the invert to the crown: the diameter, the side or the rise.
    virtual double rise() const = 0;
    // The widest width of the section.
    virtual double span() const = 0;
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

    // The boundary as a closed polyline for drawing, counter-clockwise from the invert.
    virtual std::vector<OutlinePoint> outline() const = 0;

    // The engine's own circular section, whose normal depth, Froude number and critical depth
    // are the engine's when the law is the engine's Manning equation.
    virtual bool engineCircle() const { return false; }
    // A depth up to which the width never narrows (the section below any depth under it lies
    // within its width times its depth); 0 when none is known.
    virtual double wideningTo() const { return 0.0; }

    // Area and wetted perimeter, area and top width at depth y: the very values of the calls
    // above, in their order (their faults too), for the searches that need both at every step;
    // a section may share the work the two have in common.
    virtual AreaAnd wetted(double y) const {
        const double A = area(y);
        return {A, perimeter(y)};
    }
    virtual AreaAnd surface(double y) const {
        const double A = area(y);
        return {A, topWidth(y)};
    }

    double fullArea() const { return area(rise()); }
    double fullPerimeter() const { return perimeter(rise()); }
};

} // namespace runnelex::sections
