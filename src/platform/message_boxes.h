// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace runnelex {

// The one seam every message of the program goes through: a modal box with the prompt, a
// single OK button, no icon and the application title as caption; and the one question a tool
// window asks before a long task. Tests put a recorder here.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns when the user has dismissed the box; the answer is never used.
    virtual void show(QWidget* parent, const QString& prompt) = 0;
    // A question: the prompt and its buttons (texts with access keys), the first the default,
    // the last the answer of Esc. The index of the button chosen. A seam that cannot ask shows
    // the prompt as a message and takes the last button, which declines.
    virtual int ask(QWidget* parent, const QString& prompt, const QStringList& buttons) {
        show(parent, prompt);
        return static_cast<int>(buttons.size()) - 1;
    }
    // A question before a long task, with OK and Cancel: true for OK.
    bool confirm(QWidget* parent, const QString& prompt) {
        return ask(parent, prompt, {QStringLiteral("OK"), QStringLiteral("Cancel")}) == 0;
    }
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* parent, const QString& prompt) override;
    int ask(QWidget* parent, const QString& prompt, const QStringList& buttons) override;
};

} // namespace runnelex
