// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include "common/unit_system.h"
#include "friction/friction_law.h"
#include "hydraulics/conduit.h"
#include "sections/section.h"

// The hydraulic elements of a conduit: flow and velocity of uniform flow at every depth, and
// the depths where they peak, from the same geometry and friction law as the calculation (the
// engine's own for the US customary circle). Faults throw hydrocalc::ArithmeticError.
namespace runnelex::elements {

// A circular pipe under Manning's equation.
struct Pipe {
    double D = 0.0; // diameter, ft (m)
    double S = 0.0; // slope, ft/ft (m/m)
    double n = 0.0; // Manning's n
    UnitSystem system = UnitSystem::US;
};

// A pipe's section and law, held together with the conduit they make.
class PipeConduit {
public:
    explicit PipeConduit(const Pipe& pipe);
    const hydraulics::Conduit& conduit() const { return conduit_; }

private:
    std::unique_ptr<sections::Section> section_;
    std::unique_ptr<friction::FrictionLaw> law_;
    hydraulics::Conduit conduit_;
};

struct Peak {
    double depth = 0.0; // ft (m)
    double value = 0.0; // the flow or the velocity there
};

// Uniform flow (cfs, m3/s) and velocity (ft/s, m/s) at depth y; a depth at or above the crown is
// the full conduit, at or below the invert no flow.
double flowAtDepth(const Pipe& pipe, double y);
double velocityAtDepth(const Pipe& pipe, double y);

// The largest open-channel flow and the depth that carries it (about 0.938 D for a circle),
// and the same for the velocity (about 0.813 D).
Peak largestFlow(const hydraulics::Conduit& c);
Peak largestVelocity(const hydraulics::Conduit& c);
Peak largestFlow(const Pipe& pipe);
Peak largestVelocity(const Pipe& pipe);

struct ElementPoint {
    double ratio = 0.0; // d/D
    double Q = 0.0;     // cfs (m3/s)
    double V = 0.0;     // ft/s (m/s)
};

// The curve at `intervals` + 1 evenly spaced depth ratios from 0 to 1, with the two peaks
// inserted in ratio order so that a chart drawn through the points reaches them. A conduit
// whose flow rises to the crown ends with the flow just under the crown and then the full
// flow, both at ratio 1.
std::vector<ElementPoint> elementCurve(const hydraulics::Conduit& c, int intervals);
std::vector<ElementPoint> elementCurve(const Pipe& pipe, int intervals);

} // namespace runnelex::elements
