// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "picture/picture_model.h"

namespace runnelex::picture {

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix (.png, .svg, .pdf, any case); none otherwise.
std::optional<PictureFormat> pictureFormatFor(const QString& fileName);

// The default size of a saved or printed picture, in pixels (points for PDF).
inline constexpr QSize kDefaultPictureSize{960, 540};

// The picture at `size` as an image, white behind.
QImage pictureImage(const PictureModel& model, QSize size);

struct EncodedPicture {
    QByteArray bytes; // the whole file
    QString error;    // why nothing could be drawn, when bytes is empty
};

// The picture as the bytes of a file of that format. Nothing is written anywhere: the caller
// hands the bytes to the one atomic save.
EncodedPicture encodePicture(const PictureModel& model, PictureFormat format, QSize size);

// Parses "WxH" (each 16 to 10000); none for any other text.
std::optional<QSize> parsePictureSize(const QString& text);

} // namespace runnelex::picture
