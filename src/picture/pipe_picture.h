// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QRectF>
#include <QStringList>

#include "picture/picture_model.h"

class QFontMetricsF;
class QGraphicsScene;
class QPainter;

namespace runnelex::picture {

class ElementsChart;

// A legend text in lines of at most `width`, broken only at blanks and never inside a unit or
// between a number and its unit; a word wider than `width` has a line of its own.
QStringList legendLines(const QString& text, const QFontMetricsF& metrics, double width);

// The whole picture of the pipe: a title line, the cross-section on the left, the
// hydraulic-elements chart on the right and the note on the depths below. The window, the
// saved files and runnelex-cli all draw it through `render`, so they show the same.
// Needs a QApplication (the chart is a graphics widget).
class PipePicture {
public:
    PipePicture();
    ~PipePicture();
    PipePicture(const PipePicture&) = delete;
    PipePicture& operator=(const PipePicture&) = delete;

    void setModel(const PictureModel& model);
    const PictureModel& model() const { return model_; }
    // Draws the picture into `target` of any paint device (widget, image, SVG, PDF).
    void render(QPainter& painter, const QRectF& target);

private:
    PictureModel model_;
    std::unique_ptr<QGraphicsScene> scene_;
    std::unique_ptr<ElementsChart> chart_;
};

} // namespace runnelex::picture
