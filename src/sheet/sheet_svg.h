// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "picture/picture_model.h"

// The sheet's drawings as inline SVG elements for the HTML form, drawn as the window's picture
// draws them: the same colours, dash styles and captions. No element refers to anything (no
// namespace address, no url(), no id), so that any number of sheets share one file; an HTML
// parser gives the elements their namespace.
namespace runnelex::sheet {

// The cross-section to scale: its outline, the water filled to the normal depth, the critical
// depth dashed and the other normal depth dotted, each with a sample of its line and caption
// below the size; a surcharged conduit drawn full, outlined in red and marked "Surcharged!".
// A model that cannot be drawn gives its prompt (or the fault that cut it short) as text.
std::string crossSectionSvg(const picture::PictureModel& model);

// The chart of the depth ratio against flow (below) and velocity (above), with their ticks,
// the two-depth zone, the full-flow, Max Q and peak markers, the design point and the legend
// beside it. Empty for a model that cannot be drawn.
std::string elementsChartSvg(const picture::PictureModel& model);

} // namespace runnelex::sheet
