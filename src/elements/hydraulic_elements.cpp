// SPDX-License-Identifier: GPL-3.0-or-later
#include "elements/hydraulic_elements.h"

#include <algorithm>
#include <cmath>

#include "engine/arith.h"
#include "friction/law_table.h"
#include "sections/shape_table.h"

namespace runnelex::elements {

using hydraulics::Conduit;

PipeConduit::PipeConduit(const Pipe& pipe)
    : section_(sections::defaultShape().make({pipe.D}, {}, pipe.system)),
      law_(friction::defaultLaw().make(pipe.n, {}, pipe.system)),
      conduit_(*section_, *law_, pipe.S, pipe.system) {}

double flowAtDepth(const Pipe& pipe, double y) {
    return PipeConduit(pipe).conduit().flowAt(y);
}

double velocityAtDepth(const Pipe& pipe, double y) {
    return PipeConduit(pipe).conduit().velocityAt(y);
}

Peak largestFlow(const Conduit& c) {
    const hydraulics::PeakFlow p = c.peakFlow();
    return {p.depth, p.flow};
}

Peak largestVelocity(const Conduit& c) {
    const double D = c.section().rise();
    if (!c.section().peaksBelowCrown())
        return {D, c.law().velocity(hydrocalc::checked::div(c.section().fullArea(),
                                                            c.section().openPerimeterAtCrown()),
                                    c.slope())};
    const hydraulics::PeakFlow v =
        hydraulics::largestOf([&c](double y) { return c.velocityAt(y); }, 0.5 * D, D);
    return {v.depth, v.flow};
}

Peak largestFlow(const Pipe& pipe) {
    return largestFlow(PipeConduit(pipe).conduit());
}

Peak largestVelocity(const Pipe& pipe) {
    return largestVelocity(PipeConduit(pipe).conduit());
}

std::vector<ElementPoint> elementCurve(const Conduit& c, int intervals) {
    intervals = std::max(intervals, 1);
    const double D = c.section().rise();
    const bool peaks = c.section().peaksBelowCrown();
    std::vector<double> ratios;
    ratios.reserve(static_cast<std::size_t>(intervals) + 3);
    for (int i = 0; i <= intervals; ++i)
        ratios.push_back(static_cast<double>(i) / intervals);
    if (peaks) {
        ratios.push_back(largestFlow(c).depth / D);
        ratios.push_back(largestVelocity(c).depth / D);
        std::sort(ratios.begin(), ratios.end());
        ratios.erase(std::unique(ratios.begin(), ratios.end()), ratios.end());
    } else {
        ratios.pop_back(); // the crown comes last, open and then full
    }

    std::vector<ElementPoint> curve;
    curve.reserve(ratios.size() + 2);
    for (double r : ratios) {
        const double y = r == 1.0 ? D : hydrocalc::checked::mul(r, D);
        const double Q = c.flowAt(y);
        if (peaks) {
            curve.push_back({r, Q, c.velocityAt(y)});
        } else {
            const double A = c.section().area(y);
            curve.push_back({r, Q, A > 0.0 ? Q / A : 0.0});
        }
    }
    if (!peaks) {
        // Just under the crown the lid does not touch; at the crown it closes the section.
        const double full = c.section().fullArea();
        const Peak open = largestFlow(c);
        curve.push_back({1.0, open.value, open.value / full});
        const double fullFlow = c.flowAt(D);
        curve.push_back({1.0, fullFlow, fullFlow / full});
    }
    return curve;
}

std::vector<ElementPoint> elementCurve(const Pipe& pipe, int intervals) {
    return elementCurve(PipeConduit(pipe).conduit(), intervals);
}

} // namespace runnelex::elements
