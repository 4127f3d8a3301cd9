// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/result_label.h"

#include <algorithm>

#include <QEvent>
#include <QPainter>
#include <QStyle>

#include "calc/labels.h"

namespace runnelex {

ResultLabel::ResultLabel(QWidget* parent, const QStringList& samples, bool sunken)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    if (sunken)
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
    int width = 0;
    for (const QString& sample : samples)
        width = std::max(width, fontMetrics().horizontalAdvance(sample));
    constexpr int kPadding = 4;
    setFixedSize(width + 2 * frameWidth() + kPadding,
                 fontMetrics().height() + 2 * frameWidth() + kPadding / 2);
}

void ResultLabel::setText(const QString& text) {
    QLabel::setText(text);
    refresh();
    respeak();
}

void ResultLabel::speakAs(const QString& caption, std::function<QString()> unit) {
    caption_ = caption;
    unit_ = std::move(unit);
    respeak();
}

void ResultLabel::respeak() {
    if (caption_.isEmpty())
        return; // a notice or heading: its text is its name
    const QString name = QString::fromStdString(spokenLabel(
        caption_.toStdString(), text().toStdString(), unit_ ? unit_().toStdString() : ""));
    // Only a real change: setAccessibleName tells screen readers (NameChanged) when one listens.
    if (name != accessibleName())
        setAccessibleName(name);
}

QString ResultLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void ResultLabel::refresh() {
    const QString shown = shownText();
    setToolTip(shown == text() ? QString() : text());
    setAccessibleDescription(text());
    QLabel::update();
}

void ResultLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(),
                          QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

void ResultLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        refresh(); // the cut depends on the font
}

} // namespace runnelex
