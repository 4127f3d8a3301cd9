// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QLineEdit>

class QKeyEvent;

namespace runnelex {

// The character code a key press hands the keystroke check, or nothing for a key that types
// no character (arrows, Home, Delete, Shift+Insert...), which keeps its ordinary editing
// whatever text the platform sends with it.
std::optional<int> characterCode(const QKeyEvent& event);

// A numeric input box of the main window. Typed characters go through the keystroke filter;
// a commit key raises `committed` before the box sees it; leaving the box for another control
// of the same window raises `left`, except the move made by the Tab that just committed.
class NumericBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericBox(QWidget* parent = nullptr);
    // A box for a text rather than a number (an arch's family, an outline): every printable
    // character is typed; the commit keys still commit.
    void takeAnyText() { anyText_ = true; }

signals:
    void committed();
    void left();

protected:
    bool event(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool tabbing_ = false;
    bool anyText_ = false;
};

} // namespace runnelex
