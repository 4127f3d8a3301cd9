// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QString>

namespace runnelex {

class ResultsText;

// The results box while the user has not touched it: draws only the lines in sight, read from
// the held text as it grows, so that a record costs no text document, no UTF-16 copy and no
// layout. Lines sit where a QPlainTextEdit of the same font, tab stops and margin puts them.
// Any key, click or context menu asks for the editable box instead (interacted).
class HeldLinesView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The room around the text, as a text document's margin.
    static constexpr int kMargin = 4;

    explicit HeldLinesView(QWidget* parent);

    // Shows the lines of `text`, read again on every paint; it must outlive the view.
    void showHeld(const ResultsText& text);
    // Shows `text` as the only line.
    void showFixed(const QString& text);
    // Lines were added to the held text: the view follows them when the last line was in sight.
    void linesAdded();

    void setTabStopDistance(qreal distance);
    qreal tabStopDistance() const { return tabStop_; }

    int lineCount() const;
    QString lineText(int line) const;
    // All lines joined by LF.
    QString text() const;
    // The line drawn at the top of the viewport.
    int firstVisibleLine() const;
    // Where `line` is drawn, in viewport coordinates (as wide as the viewport).
    QRect lineRect(int line) const;

signals:
    // A key, a click or a context menu the view does not serve; the event is not yet accepted.
    void interacted(QEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void updateScrollBars();
    void tellReaders();
    bool showsLastLine() const;
    int lineHeight() const { return lineHeight_; }
    int fullLinesInSight() const;

    const ResultsText* held_ = nullptr;
    QString fixed_;
    qreal tabStop_ = 80;
    int lineHeight_ = 1;
    // The widest line drawn so far: the sideways scroll grows as wider lines come in sight.
    qreal widest_ = 0;
};

} // namespace runnelex
