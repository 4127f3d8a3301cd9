// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_close_hold.h"

#include <algorithm>

#include <QDialog>
#include <QEvent>
#include <QWidget>

namespace runnelex {

namespace {
const char* const kName = "runnelexWindowCloseHold";
} // namespace

WindowCloseHold& WindowCloseHold::of(QWidget& window) {
    for (QObject* child : window.children())
        if (child->objectName() == QLatin1String(kName))
            if (auto* hold = dynamic_cast<WindowCloseHold*>(child))
                return *hold;
    return *new WindowCloseHold(window);
}

WindowCloseHold::WindowCloseHold(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QLatin1String(kName));
    window.installEventFilter(this);
}

void WindowCloseHold::hold(QDialog& modal) {
    modals_.emplace_back(&modal);
}

void WindowCloseHold::release(const QDialog* modal) {
    std::erase_if(modals_,
                  [modal](const QPointer<QDialog>& m) { return m.isNull() || m == modal; });
    if (!modals_.empty())
        return;
    // Queued: the handler that opened the dialog runs to its end first.
    if (closeHeld_) {
        closeHeld_ = false;
        QMetaObject::invokeMethod(
            &window_, [w = &window_] { w->close(); }, Qt::QueuedConnection);
    }
    if (deleteHeld_) {
        deleteHeld_ = false;
        window_.deleteLater();
    }
}

bool WindowCloseHold::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || modals_.empty())
        return false;
    switch (event->type()) {
    case QEvent::Close:
        event->ignore();
        closeHeld_ = true;
        break;
    case QEvent::DeferredDelete:
        deleteHeld_ = true;
        break;
    default:
        return false;
    }
    closeOpenModals();
    return true;
}

void WindowCloseHold::closeOpenModals() {
    // Their answer is dropped with the window they belong to; each exec() returns when its
    // loop runs next.
    for (const QPointer<QDialog>& modal : modals_)
        if (modal)
            modal->reject();
}

} // namespace runnelex
