// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "sheet_render/sheet_layout.h"

// The faces of a sheet and their measures, in points. Fonts are made at eight times their size
// and painted at an eighth: the widths measured then hold on every device, whatever its
// resolution or the rounding of its font hinting.
namespace runnelex::sheet {

inline constexpr double kUnitsPerPoint = 8.0;

// The font of a face, sized in units of kUnitsPerPoint per point.
QFont sheetFont(SheetFace face);
// The distance from one line of the face to the next, in points.
double lineHeight(SheetFace face);
double textWidth(const QString& text, SheetFace face);

// The text in lines no wider than `width` points, broken after a blank where one is, else
// between characters; every character is kept, the blank at a break ending its line.
QStringList wrapText(const QString& text, SheetFace face, double width);

} // namespace runnelex::sheet
