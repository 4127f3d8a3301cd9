// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/pipe_picture.h"

#include <algorithm>
#include <cmath>

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QPainter>

#include "picture/cross_section.h"
#include "picture/elements_chart.h"

namespace runnelex::picture {

namespace {

QFont pixelFont(double pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

} // namespace

PipePicture::PipePicture()
    : scene_(std::make_unique<QGraphicsScene>()), chart_(std::make_unique<ElementsChart>()) {
    scene_->addItem(chart_->chart()); // the scene owns the chart from here on
}

PipePicture::~PipePicture() = default;

void PipePicture::setModel(const PictureModel& model) {
    model_ = model;
    chart_->show(model_);
}

void PipePicture::render(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.fillRect(target, Qt::white);
    // Text grows with the picture, within readable bounds.
    const double pixels =
        std::clamp(std::min(target.height() / 30, target.width() / 55), 7.0, 28.0);
    const QFont text = pixelFont(pixels), title = pixelFont(pixels * 1.15, true);
    const double line = QFontMetricsF(text).height();

    const QRectF titleRect(target.left() + line / 2, target.top() + line / 4, target.width() - line,
                           QFontMetricsF(title).height() * 1.3);
    const QRectF noteRect(target.left() + line / 2, target.bottom() - 2.4 * line,
                          target.width() - line, 2.2 * line);
    const QRectF middle(target.left(), titleRect.bottom(), target.width(),
                        noteRect.top() - titleRect.bottom());
    const QRectF section(middle.left(), middle.top(), middle.width() * 0.40, middle.height());
    const QRectF chartRect(section.right(), middle.top(), middle.right() - section.right(),
                           middle.height());

    painter.setPen(QColor(38, 50, 56));
    painter.setFont(title);
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
                     model_.drawable ? QString::fromStdString(model_.title)
                                     : QStringLiteral("Runnelex"));
    paintCrossSection(painter, section.adjusted(line / 2, line / 2, 0, -line / 2), model_,
                      pixelFont(pixels * 0.9));
    painter.setFont(text);
    painter.setPen(QColor(38, 50, 56));
    painter.drawText(noteRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QString::fromStdString(model_.note));

    if (model_.drawable && chartRect.width() > 1 && chartRect.height() > 1) {
        chart_->fit(chartRect.size(), pixels);
        QChart* chart = chart_->chart();
        scene_->setSceneRect(chart->geometry());
        scene_->render(&painter, chartRect, chart->geometry());
    }
    painter.restore();
}

} // namespace runnelex::picture
