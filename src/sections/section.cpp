// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections/section.h"

#include "sections/box_section.h"
#include "sections/circle_section.h"

namespace runnelex::sections {

std::unique_ptr<Section> makeSection(Shape shape, double first, double second) {
    switch (shape) {
    case Shape::Circle:
        return std::make_unique<CircleSection>(first);
    case Shape::Square:
        return std::make_unique<BoxSection>(first, first, true);
    case Shape::Box:
        break;
    }
    return std::make_unique<BoxSection>(first, second);
}

} // namespace runnelex::sections
