// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace runnelex {

// The one seam every message of the program goes through: a modal box with the prompt, a
// single OK button, no icon and the application title as caption. Tests put a recorder here.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns when the user has dismissed the box; the answer is never used.
    virtual void show(QWidget* parent, const QString& prompt) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* parent, const QString& prompt) override;
};

} // namespace runnelex
