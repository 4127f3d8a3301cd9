// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/calculation.h"
#include "common/number_text.h"
#include "elements/hydraulic_elements.h"
#include "input/calc_entry.h"
#include "input/calc_inputs.h"

// Everything the picture of the pipe shows, computed from the main window's inputs: the
// cross-section's depths and their captions, and the hydraulic-elements chart in the flow unit
// the main window shows. Free of any window, so the window and runnelex-cli draw the same.
namespace runnelex::picture {

using LabelLine = std::pair<std::string, std::string>; // control name, caption

// What stands in the picture's place while a diameter, slope or n is missing.
inline constexpr const char* kNoPipeText = "Enter a diameter, a slope and n to see the pipe.";

struct PictureModel {
    bool drawable = false;            // diameter, slope and n are given
    std::optional<std::string> fault; // an arithmetic fault cut the model short
    std::optional<Outcome> outcome;
    std::string title; // the pipe's name, the conduit and the flow, one line
    // What stands in the picture's place while the section, the slope or n is missing: the
    // shape's own dimensions named ("Enter a span, a rise, a slope and n to see the pipe.").
    std::string prompt = kNoPipeText;

    // The digits its numbers show, as the calculation's labels show them.
    DigitRule digits = DigitRule::Decimals;
    // The units of the lengths and velocities: "ft" and "ft/sec", in SI "m" and "m/s".
    std::string lengthUnit = "ft", velocityUnit = "ft/sec";

    // Cross-section, in ft (m): its outline, rise (D) and widest width (span).
    std::vector<sections::OutlinePoint> outline;
    double D = 0.0;
    double span = 0.0;
    std::optional<double> normalDepth;   // the depth the main window shows
    std::optional<double> otherDepth;    // the second normal depth, when the flow has two
    std::optional<double> criticalDepth; // as the main window shows it
    // The size in the unit it is typed in, as the title names it ("D = 12 in."); the depths in
    // the result unit ("Dnorm = 0.5359 ft").
    std::string diameterText, normalText, otherText, criticalText;

    // Chart: depth ratio against flow (in the unit shown) and velocity.
    std::string flowUnit;  // "CFS", "MGD" or "GPM"; in SI "m³/s", "L/s" or "ML/d"
    std::string flowTitle; // "Q (cfs)"
    std::vector<elements::ElementPoint> curve;
    double fullFlow = 0.0;       // the 1.00 row
    double qmax = 0.0;           // the 0.93 row, the main window's surcharge limit
    double peakFlow = 0.0;       // the largest open-channel flow
    double peakRatio = 0.0;      // its depth ratio
    double zoneStartRatio = 0.0; // lowest depth ratio of a flow that has two normal depths
    bool twoDepthZone = false;   // a circle has one; a box's flow rises to the crown
    std::optional<double> designFlow, designRatio; // the design point (ratio 1 when surcharged)
    std::optional<double> designVelocity;          // at the normal depth
    std::optional<double> otherRatio;

    // What the window shows beside the picture, in order; the first three are the other
    // normal depth that runnelex-cli prints too.
    std::vector<LabelLine> labels;
    std::string note; // one sentence on the depths, then the capacity notice
    // An open-channel design flow above the full-flow capacity: the slope it needs flowing
    // full beside the conduit's; empty otherwise.
    std::string capacityNotice;
};

// The model for the main window's current inputs (base units). With the entry as the main
// window shows it, the title names the inputs as typed, with their units ("D = 12 in.");
// without it, in base units.
PictureModel buildPictureModel(const CalcInputs& in, const CalcEntry* entry = nullptr);

// The names of the chart's two largest flows, kept apart: the flow at 0.93 of the rise, where
// the calculation calls a flow surcharged, and the true peak of the open-channel flow.
inline constexpr const char* kMaxQName = "Max Q (0.93 D)";
inline constexpr const char* kPeakName = "Peak open-channel flow";

// A number of the model as its captions write it, by the model's digits: "0.5359".
std::string numberText(const PictureModel& m, double value);
// A flow of the chart (in the model's unit) as its captions write it: "3.8307 CFS".
std::string flowText(const PictureModel& m, double shown);

// What the picture shows, in words, for screen readers: the inputs, the depths drawn in the
// cross-section, the design point on the chart, and the note below them.
std::string describePicture(const PictureModel& m);

// The names of the other normal depth's labels: depth, d/D and velocity; their
// captions are empty when the design flow has only one normal depth or none.
inline constexpr const char* kOtherDepthLabels[] = {"lblrDnorm2", "lblrDoverD2", "lblrVnorm2"};

} // namespace runnelex::picture
