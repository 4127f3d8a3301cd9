// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program icon (SVG and PNG sizes) and the maker picture into the data folder.
// Run once after a change of design and commit the results:
//   cmake --build <build> --target runnelex_artwork
//   QT_QPA_PLATFORM=offscreen <build>/data/artwork/runnelex_artwork data
// The SVG and the PNGs come from the same shapes below, so they always show the same icon.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

// The icon on a 256 x 256 canvas: a pipe section, partly full, with the water-surface mark.
constexpr double kTileInset = 16.0;
constexpr double kTileRadius = 44.0;
constexpr double kPipeX = 128.0;
constexpr double kPipeY = 140.0;
constexpr double kWallRadius = 84.0; // centre line of the wall
constexpr double kWallWidth = 16.0;
constexpr double kBoreRadius = kWallRadius - kWallWidth / 2.0;
constexpr double kDepthRatio = 0.62;
const QColor kTile(0xe3, 0xf2, 0xfd);
const QColor kWall(0x37, 0x47, 0x4f);
const QColor kBore(0xff, 0xff, 0xff);
const QColor kWater(0x1e, 0x88, 0xe5);
const QColor kMark(0x0d, 0x47, 0xa1);
const QPolygonF kSurfaceMark({QPointF(110, 94), QPointF(146, 94), QPointF(128, 121)});

double surfaceY() {
    return kPipeY + kBoreRadius - kDepthRatio * 2.0 * kBoreRadius;
}

double halfChord() {
    const double dy = surfaceY() - kPipeY;
    return std::sqrt(kBoreRadius * kBoreRadius - dy * dy);
}

QString num(double v) {
    return QString::number(v, 'f', 3);
}

QString iconSvg() {
    const double y = surfaceY();
    const double h = halfChord();
    const double tile = 256.0 - 2.0 * kTileInset;
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n"
        << "  <rect x=\"" << num(kTileInset) << "\" y=\"" << num(kTileInset) << "\" width=\""
        << num(tile) << "\" height=\"" << num(tile) << "\" rx=\"" << num(kTileRadius)
        << "\" fill=\"" << kTile.name() << "\"/>\n"
        << "  <circle cx=\"" << num(kPipeX) << "\" cy=\"" << num(kPipeY) << "\" r=\""
        << num(kWallRadius) << "\" fill=\"" << kBore.name()
        << "\"/>\n"
        // The water: the bore below the surface, drawn as the larger arc through the invert.
        << "  <path d=\"M " << num(kPipeX - h) << ' ' << num(y) << " A " << num(kBoreRadius) << ' '
        << num(kBoreRadius) << " 0 1 0 " << num(kPipeX + h) << ' ' << num(y) << " Z\" fill=\""
        << kWater.name() << "\"/>\n"
        << "  <circle cx=\"" << num(kPipeX) << "\" cy=\"" << num(kPipeY) << "\" r=\""
        << num(kWallRadius) << "\" fill=\"none\" stroke=\"" << kWall.name() << "\" stroke-width=\""
        << num(kWallWidth) << "\"/>\n"
        << "  <polygon points=\"";
    for (qsizetype i = 0; i < kSurfaceMark.size(); ++i) {
        out << (i ? " " : "") << num(kSurfaceMark[i].x()) << ',' << num(kSurfaceMark[i].y());
    }
    out << "\" fill=\"" << kMark.name() << "\"/>\n"
        << "</svg>\n";
    return svg;
}

QImage iconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    p.setPen(Qt::NoPen);
    const double tile = 256.0 - 2.0 * kTileInset;
    p.setBrush(kTile);
    p.drawRoundedRect(QRectF(kTileInset, kTileInset, tile, tile), kTileRadius, kTileRadius);
    p.setBrush(kBore);
    p.drawEllipse(QPointF(kPipeX, kPipeY), kWallRadius, kWallRadius);
    QPainterPath bore;
    bore.addEllipse(QPointF(kPipeX, kPipeY), kBoreRadius, kBoreRadius);
    QPainterPath below;
    below.addRect(QRectF(0, surfaceY(), 256, 256));
    p.setBrush(kWater);
    p.drawPath(bore.intersected(below));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kWall, kWallWidth));
    p.drawEllipse(QPointF(kPipeX, kPipeY), kWallRadius, kWallRadius);
    p.setPen(Qt::NoPen);
    p.setBrush(kMark);
    p.drawPolygon(kSurfaceMark);
    return image;
}

// The maker picture: a culvert under a road embankment and the maker's name.
QImage makerImage() {
    QImage image(240, 180, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, 120);
    sky.setColorAt(0, QColor(0xe1, 0xf5, 0xfe));
    sky.setColorAt(1, QColor(0xfa, 0xfa, 0xf5));
    p.fillRect(image.rect(), sky);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa1, 0x88, 0x7f));
    p.drawPolygon(
        QPolygonF({QPointF(10, 150), QPointF(75, 96), QPointF(165, 96), QPointF(230, 150)}));
    p.setBrush(QColor(0x45, 0x5a, 0x64));
    p.drawRect(QRectF(72, 92, 96, 6));
    p.setBrush(QColor(0xa5, 0xd6, 0xa7));
    p.drawRect(QRectF(0, 150, 240, 30));
    p.setBrush(QColor(0x64, 0xb5, 0xf6));
    p.drawRect(QRectF(0, 146, 240, 10));

    const QPointF pipe(120, 134);
    const double r = 16;
    p.setBrush(Qt::white);
    p.drawEllipse(pipe, r, r);
    QPainterPath bore;
    bore.addEllipse(pipe, r - 2, r - 2);
    QPainterPath below;
    below.addRect(QRectF(0, pipe.y() + 2, 240, 60));
    p.setBrush(kWater);
    p.drawPath(bore.intersected(below));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kWall, 4));
    p.drawEllipse(pipe, r, r);

    p.setPen(kWall);
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(30);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(name);
    p.drawText(QRectF(0, 12, 240, 40), Qt::AlignCenter, QStringLiteral("KELVARA"));
    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(11);
    p.setFont(line);
    p.drawText(QRectF(0, 50, 240, 18), Qt::AlignCenter,
               QStringLiteral("Civil Engineering Training"));
    p.drawText(QRectF(0, 66, 240, 18), Qt::AlignCenter, QStringLiteral("and Services"));
    return image;
}

bool writeText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(text.toUtf8()) >= 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: runnelex_artwork DATA_DIR\n");
        return 2;
    }
    const QDir data(QString::fromLocal8Bit(argv[1]));
    const QString id = QStringLiteral("example.kelvara.runnelex");
    bool ok = true;
    const QString scalable = data.filePath(QStringLiteral("icons/hicolor/scalable/apps"));
    ok = QDir().mkpath(scalable) && writeText(scalable + '/' + id + ".svg", iconSvg()) && ok;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = data.filePath(QStringLiteral("icons/hicolor/%1x%1/apps").arg(size));
        ok = QDir().mkpath(dir) && iconImage(size).save(dir + '/' + id + ".png", "PNG") && ok;
    }
    const QString images = data.filePath(QStringLiteral("images"));
    ok = QDir().mkpath(images) && makerImage().save(images + "/kelvara.jpg", "JPEG", 90) && ok;
    if (!ok) {
        std::fprintf(stderr, "runnelex_artwork: could not write every file\n");
        return 1;
    }
    return 0;
}
