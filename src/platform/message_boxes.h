// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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
    // A question before a long task: the prompt with OK and Cancel; true for OK. A seam that
    // cannot ask shows the prompt as a message and declines.
    virtual bool confirm(QWidget* parent, const QString& prompt) {
        show(parent, prompt);
        return false;
    }
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* parent, const QString& prompt) override;
    bool confirm(QWidget* parent, const QString& prompt) override;
};

} // namespace runnelex
