// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picture_view.h"

#include <QPainter>

namespace runnelex {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picPipe"));
    setMinimumSize(320, 180);
    setAttribute(Qt::WA_OpaquePaintEvent); // the picture paints every pixel
    setAccessibleName(QStringLiteral("Picture of the pipe"));
    setAccessibleDescription(QString::fromStdString(picture::describePicture(model())));
}

void PictureView::setModel(const picture::PictureModel& model) {
    picture_.setModel(model);
    // Screen readers read the picture in words.
    setAccessibleDescription(QString::fromStdString(picture::describePicture(model)));
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    picture_.render(painter, QRectF(rect()));
}

} // namespace runnelex
