// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRectF>

#include "picture/picture_model.h"

class QPainter;

namespace runnelex::picture {

// The conduit's cross-section to scale inside `area`, a circle or a rectangle of the box's span
// and rise: the water filled to the normal depth, the critical depth dashed, the other normal
// depth dotted, each labelled with its value and unit; a surcharged conduit drawn full,
// outlined in red and marked "Surcharged!".
void paintCrossSection(QPainter& painter, const QRectF& area, const PictureModel& model,
                       const QFont& font);

} // namespace runnelex::picture
