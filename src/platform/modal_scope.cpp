// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/modal_scope.h"

#include <QDialog>

#include "platform/window_close_hold.h"

namespace runnelex {

ModalScope::ModalScope(QDialog& modal) : modal_(&modal) {
    for (QWidget* w = modal.parentWidget(); w != nullptr; w = w->parentWidget()) {
        w = w->window();
        WindowCloseHold& hold = WindowCloseHold::of(*w);
        hold.hold(modal);
        holds_.emplace_back(&hold);
    }
}

ModalScope::~ModalScope() {
    // Innermost window first: a window held by its owner closes before the owner does.
    for (const QPointer<WindowCloseHold>& hold : holds_)
        if (hold)
            hold->release(modal_.data());
}

} // namespace runnelex
