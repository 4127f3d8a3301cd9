// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "picture/picture_model.h"

namespace runnelex {

// The cross-section of the conduit to scale, as the picture of the pipe draws it: a circle or
// the box's rectangle, the water at the normal depth and the critical depth dashed. Screen
// readers hear what it shows.
class SectionView final : public QWidget {
    Q_OBJECT
public:
    explicit SectionView(QWidget* parent = nullptr);
    void setModel(picture::PictureModel model);
    const picture::PictureModel& model() const { return model_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    picture::PictureModel model_;
};

} // namespace runnelex
