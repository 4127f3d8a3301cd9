// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QObject>
#include <QPointer>

class QDialog;
class QWidget;

namespace runnelex {

// Keeps a window in place while modal dialogs that depend on it run their exec(): the nested
// event loop runs inside the handler that opened the dialog, on the window's own code. A close
// request (a button pressed through the accessibility bus, the window system, a timer, the
// end of the program) or a deferred deletion that reaches the window meanwhile closes those
// dialogs first and is carried out once the last of them has returned and the event loop
// is back where it was.
class WindowCloseHold final : public QObject {
public:
    // The hold of `window` (a child of it, made on first use).
    static WindowCloseHold& of(QWidget& window);

    // `modal` depends on the window until it is released (or gone).
    void hold(QDialog& modal);
    void release(const QDialog* modal);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowCloseHold(QWidget& window);
    void closeOpenModals();

    QWidget& window_;
    std::vector<QPointer<QDialog>> modals_;
    bool closeHeld_ = false;
    bool deleteHeld_ = false;
};

} // namespace runnelex
