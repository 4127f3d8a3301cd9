// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calculation.h"
#include "sections/section.h"

namespace runnelex::sections {

// The calculation by the same rules as the circular pipe's, on any section and
// in any system of units, with exact depths: the capacity table at 0.50, 0.75, 0.93 and 1.00
// of the rise (1.00 with the lid), surcharged above the flow at 0.93 of the rise, else the
// normal depth, its results, the Froude number and the critical depth, and the full-conduit
// velocity and hydraulic slope. Never throws: an arithmetic fault ends it where it happened.
CalcResults computeSectionCalculation(const Section& s, const Hydraulics& h, double S, double n,
                                      double Q);

} // namespace runnelex::sections
