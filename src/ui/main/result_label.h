// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QLabel>
#include <QStringList>

namespace runnelex {

// A label whose text the calculation writes. Its size is fixed, so no text moves or resizes
// anything: a text wider than the label is shown cut in the middle with "…" (both ends stay,
// an exponent among them), never silently clipped, and the whole text is its tool tip.
// text() always holds the whole text, and so does the accessible description.
class ResultLabel final : public QLabel {
    Q_OBJECT
public:
    // As wide as the widest of `samples`, the texts it is meant to show, and one line high;
    // `sunken` gives it the sunken frame of a value field.
    ResultLabel(QWidget* parent, const QStringList& samples, bool sunken);

    // Replaces QLabel::setText, which would leave the tool tip and the description stale.
    void setText(const QString& text);
    // What the label shows: the text, or the text cut to fit.
    QString shownText() const;

    // Makes it a value that screen readers hear whole, as its row reads on the screen:
    // "caption value unit" ("Vnorm 4.6671 ft/sec"), "caption, no value" while it is empty.
    // `unit` is asked with every text, so that it may follow another label.
    void speakAs(const QString& caption, std::function<QString()> unit);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refresh();
    void respeak();

    QString caption_;
    std::function<QString()> unit_;
};

} // namespace runnelex
