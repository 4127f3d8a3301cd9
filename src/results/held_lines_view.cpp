// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/held_lines_view.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include "results/results_text.h"

namespace runnelex {

HeldLinesView::HeldLinesView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    changeEvent(nullptr); // the line height of the font
}

void HeldLinesView::showHeld(const ResultsText& text) {
    held_ = &text;
    fixed_.clear();
    widest_ = 0;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    tellReaders();
    viewport()->update();
}

void HeldLinesView::showFixed(const QString& text) {
    held_ = nullptr;
    fixed_ = text;
    widest_ = 0;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    tellReaders();
    viewport()->update();
}

void HeldLinesView::linesAdded() {
    const bool follow = showsLastLine();
    updateScrollBars();
    if (follow)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    tellReaders();
    viewport()->update();
}

void HeldLinesView::setTabStopDistance(qreal distance) {
    tabStop_ = distance;
    widest_ = 0;
    viewport()->update();
}

// A screen reader hears what the box holds: the start text, or how many records and the last.
void HeldLinesView::tellReaders() {
    const int records = lineCount() - 1;
    if (!held_)
        setAccessibleName(fixed_);
    else if (records <= 0)
        setAccessibleName(lineText(0));
    else
        setAccessibleName(
            QStringLiteral("%1 records, the last: %2").arg(records).arg(lineText(records)));
}

int HeldLinesView::lineCount() const {
    return held_ ? static_cast<int>(held_->lineCount()) : 1;
}

QString HeldLinesView::lineText(int line) const {
    if (!held_)
        return line == 0 ? fixed_ : QString();
    const std::string_view bytes = held_->line(static_cast<std::size_t>(line));
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString HeldLinesView::text() const {
    return held_ ? QString::fromStdString(held_->fullText()) : fixed_;
}

int HeldLinesView::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

QRect HeldLinesView::lineRect(int line) const {
    // At the very top the margin lies above the first line; scrolled, lines start at the edge.
    const int first = firstVisibleLine();
    const int top = (first == 0 ? kMargin : 0) + (line - first) * lineHeight_;
    return {0, top, viewport()->width(), lineHeight_};
}

int HeldLinesView::fullLinesInSight() const {
    return std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight_);
}

bool HeldLinesView::showsLastLine() const {
    return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void HeldLinesView::updateScrollBars() {
    const int fit = fullLinesInSight();
    QScrollBar* down = verticalScrollBar();
    down->setRange(0, std::max(0, lineCount() - fit));
    down->setPageStep(fit);
    down->setSingleStep(1);
    const int wide = static_cast<int>(std::ceil(widest_)) + 2 * kMargin;
    QScrollBar* across = horizontalScrollBar();
    across->setRange(0, std::max(0, wide - viewport()->width()));
    across->setPageStep(viewport()->width());
    across->setSingleStep(lineHeight_);
}

void HeldLinesView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(tabStop_);
    const QRect dirty = event->rect();
    const int x = kMargin - horizontalScrollBar()->value();
    const qreal widestBefore = widest_;
    for (int line = firstVisibleLine(); line < lineCount(); ++line) {
        const QRect r = lineRect(line);
        if (r.top() > dirty.bottom())
            break;
        if (r.bottom() < dirty.top())
            continue;
        QTextLayout layout(lineText(line), font(), viewport());
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine row = layout.createLine();
        layout.endLayout();
        if (!row.isValid())
            continue;
        widest_ = std::max(widest_, row.naturalTextWidth());
        layout.draw(&painter, QPointF(x, r.top()));
    }
    if (widest_ > widestBefore)
        updateScrollBars();
}

void HeldLinesView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const bool follow = showsLastLine() && verticalScrollBar()->maximum() > 0;
    updateScrollBars();
    if (follow)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void HeldLinesView::changeEvent(QEvent* event) {
    if (event)
        QAbstractScrollArea::changeEvent(event);
    if (event && event->type() != QEvent::FontChange)
        return;
    // The height a text layout gives a line of this font, as a text document stacks them.
    QTextLayout sample(QStringLiteral("0"), font());
    sample.beginLayout();
    const QTextLine row = sample.createLine();
    sample.endLayout();
    lineHeight_ = std::max(1, static_cast<int>(std::ceil(row.height())));
    widest_ = 0;
    updateScrollBars();
    viewport()->update();
}

void HeldLinesView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    default:
        emit interacted(event);
    }
}

void HeldLinesView::mousePressEvent(QMouseEvent* event) {
    emit interacted(event);
}

void HeldLinesView::mouseDoubleClickEvent(QMouseEvent* event) {
    emit interacted(event);
}

void HeldLinesView::contextMenuEvent(QContextMenuEvent* event) {
    emit interacted(event);
}

void HeldLinesView::inputMethodEvent(QInputMethodEvent* event) {
    emit interacted(event);
}

} // namespace runnelex
