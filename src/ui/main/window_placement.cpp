// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/window_placement.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

namespace runnelex {

namespace {

// The frame's width and height beyond the inside: the window system's once it has framed the
// window, the allowance before.
QSize frameExtra(const QWidget& window) {
    const QSize framed = window.frameGeometry().size() - window.size();
    return {std::max(framed.width(), kBorderAllowance),
            std::max(framed.height(), kTitleBarAllowance)};
}

} // namespace

QSize fittedSize(const QWidget& window, QSize preferred) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return preferred;
    const QSize room = screen->availableGeometry().size() - frameExtra(window);
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    return preferred.boundedTo(room).expandedTo(least.boundedTo(room));
}

void placeBeside(QWidget& window, const QWidget& main, QSize preferred) {
    const QScreen* screen = main.screen();
    const QSize size = fittedSize(window, preferred);
    window.resize(size);
    if (screen == nullptr)
        return;
    const QRect room = screen->availableGeometry();
    const QRect mainFrame = main.frameGeometry();
    const QSize extra = frameExtra(window);
    const int needed = window.minimumSizeHint().width();
    const int right = room.right() - mainFrame.right() - extra.width();
    const int left = mainFrame.left() - room.left() - extra.width();
    int width = size.width();
    int x = room.right() - extra.width() - width + 1;
    if (right >= needed) {
        width = std::min(width, right);
        x = mainFrame.right() + 1;
    } else if (left >= needed) {
        width = std::min(width, left);
        x = mainFrame.left() - extra.width() - width;
    }
    const int y =
        std::clamp(mainFrame.top(), room.top(),
                   std::max(room.top(), room.bottom() - extra.height() - size.height() + 1));
    window.resize(width, size.height());
    window.move(std::max(x, room.left()), y);
}

} // namespace runnelex
