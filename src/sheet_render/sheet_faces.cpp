// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_render/sheet_faces.h"

#include <cmath>

#include <QFontMetricsF>

namespace runnelex::sheet {

namespace {

struct FaceParameters {
    double points;
    bool bold;
    bool fixed;
};

FaceParameters parametersOf(SheetFace face) {
    switch (face) {
    case SheetFace::Heading:
        return {16.0, true, false};
    case SheetFace::Subject:
        return {10.0, false, false};
    case SheetFace::BlockHeading:
        return {11.0, true, false};
    case SheetFace::Body:
        return {9.0, false, false};
    case SheetFace::Bold:
        return {9.0, true, false};
    case SheetFace::Mono:
        return {8.5, false, true};
    case SheetFace::Footer:
        break;
    }
    return {8.0, false, false};
}

} // namespace

QFont sheetFont(SheetFace face) {
    const FaceParameters p = parametersOf(face);
    QFont font(p.fixed ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(p.fixed ? QFont::Monospace : QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(p.points * kUnitsPerPoint)));
    font.setBold(p.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false); // widths add up character by character, as wrapping counts them
    return font;
}

double lineHeight(SheetFace face) {
    return QFontMetricsF(sheetFont(face)).lineSpacing() / kUnitsPerPoint;
}

double textWidth(const QString& text, SheetFace face) {
    return QFontMetricsF(sheetFont(face)).horizontalAdvance(text) / kUnitsPerPoint;
}

QStringList wrapText(const QString& text, SheetFace face, double width) {
    const QFontMetricsF metrics(sheetFont(face));
    const double room = width * kUnitsPerPoint;
    QStringList lines;
    QString rest = text;
    while (metrics.horizontalAdvance(rest) > room && rest.size() > 1) {
        // The longest start that fits, then back to the last blank inside it.
        qsizetype fits = 1;
        while (fits < rest.size() && metrics.horizontalAdvance(rest.left(fits + 1)) <= room)
            ++fits;
        const qsizetype blank = rest.left(fits + 1).lastIndexOf(u' ');
        const qsizetype cut = blank > 0 ? blank + 1 : fits;
        lines << rest.left(cut);
        rest = rest.mid(cut);
    }
    lines << rest;
    return lines;
}

} // namespace runnelex::sheet
