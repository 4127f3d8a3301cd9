// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "picture/pipe_picture.h"

namespace runnelex {

// Shows the picture of the pipe at the widget's size.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    // Takes the model and asks for a repaint; the painting itself happens later.
    void setModel(const picture::PictureModel& model);
    const picture::PictureModel& model() const { return picture_.model(); }
    QSize sizeHint() const override { return {800, 450}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    picture::PipePicture picture_;
};

} // namespace runnelex
