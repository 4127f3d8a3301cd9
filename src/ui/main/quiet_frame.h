// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QList>

class QGroupBox;

namespace runnelex {

// What screen readers see of a frame that holds decorations, such as the "=" between a
// result's caption and its value: the frame, named by its title, and every child but the
// decorations, so that nobody walking the window lands on a lone "=". On the screen the
// decorations stay ordinary labels.
class QuietFrame final : public QAccessibleWidget {
public:
    // A frame titled `title` that leaves its decorations out. Qt makes a frame's accessible
    // side when the frame gets its title, so the frame is marked before that.
    static QGroupBox* create(QWidget* parent, const QString& title);
    // Makes `child`, a child of such a frame, one of its decorations.
    static void hideDecoration(QWidget* child);

    explicit QuietFrame(QGroupBox* frame);
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QWidget*> heardChildren() const;
};

} // namespace runnelex
