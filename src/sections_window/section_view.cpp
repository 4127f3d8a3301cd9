// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections_window/section_view.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "calc/display_run.h"
#include "picture/cross_section.h"

namespace runnelex {

namespace {

// What the drawing shows, in a few words: the conduit and the water in it.
QString spoken(const picture::PictureModel& m) {
    std::string text = "Cross-section";
    if (!m.drawable)
        text += ", " + (m.fault ? calcFaultMessage(*m.fault) : std::string("no conduit"));
    else if (m.outcome == Outcome::Surcharged)
        text += " " + m.diameterText + ", flowing full, surcharged";
    else if (m.normalDepth)
        text += " " + m.diameterText + ", water at " + m.normalText + ", " + m.criticalText;
    else
        text += " " + m.diameterText + ", no design flow";
    return QString::fromStdString(text);
}

} // namespace

SectionView::SectionView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picSection"));
    const int line = fontMetrics().height();
    setMinimumSize(14 * line, 16 * line);
    setAccessibleName(spoken(model_));
}

QSize SectionView::sizeHint() const {
    const int line = fontMetrics().height();
    return {18 * line, 20 * line};
}

void SectionView::setModel(picture::PictureModel model) {
    model_ = std::move(model);
    const QString name = spoken(model_);
    if (name != accessibleName()) // a change is told to screen readers
        setAccessibleName(name);
    update();
}

void SectionView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const double pixels = std::clamp(fontInfo().pixelSize() * 1.0, 9.0, 18.0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(std::lround(pixels)));
    const double margin = pixels;
    picture::paintCrossSection(painter, QRectF(rect()).adjusted(margin, margin, -margin, -margin),
                               model_, font);
}

} // namespace runnelex
