// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picture_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include "picture/pipe_picture.h"

namespace runnelex::picture {

namespace {

constexpr int kSmallest = 16, kLargest = 10000;

QString pictureTitle(const PictureModel& model) {
    return model.drawable ? QString::fromStdString(model.title) : QStringLiteral("Runnelex");
}

void draw(const PictureModel& model, QPaintDevice& device, QSize size) {
    PipePicture picture;
    picture.setModel(model);
    QPainter painter(&device);
    picture.render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
}

} // namespace

std::optional<PictureFormat> pictureFormatFor(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    if (suffix == QLatin1String("svg"))
        return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

QImage pictureImage(const PictureModel& model, QSize size) {
    QImage image(size, QImage::Format_RGB32); // opaque: the picture has a white ground
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    draw(model, image, size);
    return image;
}

EncodedPicture encodePicture(const PictureModel& model, PictureFormat format, QSize size) {
    EncodedPicture out;
    if (size.width() < kSmallest || size.height() < kSmallest || size.width() > kLargest ||
        size.height() > kLargest) {
        out.error = QStringLiteral("picture size out of range");
        return out;
    }
    QBuffer buffer(&out.bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case PictureFormat::Png: {
        const QImage image = pictureImage(model, size);
        if (image.isNull() || !image.save(&buffer, "PNG"))
            out.error = QStringLiteral("the picture could not be drawn");
        break;
    }
    case PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setResolution(96); // one unit of the picture is one CSS pixel
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(pictureTitle(model));
        svg.setDescription(QString::fromStdString(model.note));
        draw(model, svg, size);
        break;
    }
    case PictureFormat::Pdf: {
        // One page of the picture's size in points, no margins, one unit per point.
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72);
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size), QPageSize::Point),
                                      QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(pictureTitle(model));
        pdf.setCreator(QStringLiteral("Runnelex"));
        draw(model, pdf, size);
        break;
    }
    }
    if (out.error.isEmpty() && out.bytes.isEmpty())
        out.error = QStringLiteral("the picture could not be drawn");
    if (!out.error.isEmpty())
        out.bytes.clear();
    return out;
}

std::optional<QSize> parsePictureSize(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,5})[xX]([0-9]{1,5})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int w = match.captured(1).toInt(), h = match.captured(2).toInt();
    if (w < kSmallest || h < kSmallest || w > kLargest || h > kLargest)
        return std::nullopt;
    return QSize(w, h);
}

} // namespace runnelex::picture
