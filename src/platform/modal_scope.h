// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QPointer>

class QDialog;

namespace runnelex {

class WindowCloseHold;

// Marks the span of a modal dialog's exec(): as long as it lasts, the window the dialog
// belongs to, and every window that holds that one, cannot be closed or deleted (see
// WindowCloseHold). Every modal dialog of the program runs inside one.
class ModalScope {
public:
    explicit ModalScope(QDialog& modal);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    QPointer<QDialog> modal_;
    std::vector<QPointer<WindowCloseHold>> holds_;
};

} // namespace runnelex
