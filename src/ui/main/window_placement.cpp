// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/window_placement.h"

#include <algorithm>
#include <optional>

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

// The window's inside, placed in `region` (a free part of the screen) when its least size
// fits there with the frame: as large as `size` allows, against the region's edge `toward`
// the main window (-1 left, 1 right, 0 neither), the top near `top`.
std::optional<QRect> placedIn(const QRect& region, QSize size, QSize least, QSize extra, int toward,
                              int top) {
    const QSize inside = region.size() - extra;
    if (inside.width() < least.width() || inside.height() < least.height())
        return std::nullopt;
    const QSize s = size.boundedTo(inside);
    const int x = toward > 0 ? region.right() - extra.width() - s.width() + 1 : region.left();
    const int y = std::clamp(top, region.top(), region.bottom() - extra.height() - s.height() + 1);
    return QRect(QPoint(x, y), s);
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

QRect resultsArea(const QWidget& main) {
    QRect area;
    for (const char* name : {"fraCapacities", "fraNormal"})
        if (const auto* frame = main.findChild<const QWidget*>(QString::fromLatin1(name)))
            area |= QRect(frame->mapToGlobal(QPoint(0, 0)), frame->size());
    return area.isEmpty() ? main.frameGeometry() : area;
}

void placeBeside(QWidget& window, const QWidget& main, QSize preferred, QSize least) {
    const QScreen* screen = main.screen();
    const QSize size = fittedSize(window, preferred);
    window.resize(size);
    if (screen == nullptr)
        return;
    const QRect room = screen->availableGeometry();
    const QRect mainFrame = main.frameGeometry();
    const QRect results = resultsArea(main);
    const QSize extra = frameExtra(window);
    least =
        least.expandedTo(window.minimumSizeHint().expandedTo(window.minimumSize())).boundedTo(size);
    const int top = mainFrame.top();
    // The main window's sides first, then the sides of its results, then below and above them.
    const struct {
        QRect region;
        int toward;
    } choices[] = {
        {QRect(QPoint(mainFrame.right() + 1, room.top()), room.bottomRight()), -1},
        {QRect(room.topLeft(), QPoint(mainFrame.left() - 1, room.bottom())), 1},
        {QRect(QPoint(results.right() + 1, room.top()), room.bottomRight()), -1},
        {QRect(room.topLeft(), QPoint(results.left() - 1, room.bottom())), 1},
        {QRect(QPoint(room.left(), results.bottom() + 1), room.bottomRight()), 1},
        {QRect(room.topLeft(), QPoint(room.right(), results.top() - 1)), 1},
    };
    for (const auto& choice : choices) {
        if (const auto placed =
                placedIn(choice.region & room, size, least, extra, choice.toward, top)) {
            window.resize(placed->size());
            window.move(placed->topLeft());
            return;
        }
    }
    // Nowhere clear of the results: as narrow as it may be against the screen's right edge,
    // either at the main window's top or at the bottom no taller than it must be, whichever
    // covers less of them.
    const int width = least.width();
    const int x = std::max(room.left(), room.right() - extra.width() - width + 1);
    const int low = std::clamp(room.bottom() - results.bottom() - extra.height(), least.height(),
                               size.height());
    const int highest = std::max(room.top(), room.bottom() - extra.height() - size.height() + 1);
    const QRect atTop(QPoint(x, std::clamp(top, room.top(), highest)),
                      QSize(width, size.height()) + extra);
    const QRect atBottom(QPoint(x, std::max(room.top(), room.bottom() - extra.height() - low + 1)),
                         QSize(width, low) + extra);
    const auto covered = [&results](const QRect& r) {
        const QRect both = r & results;
        return both.isEmpty() ? 0 : both.width() * both.height();
    };
    const QRect& chosen = covered(atBottom) < covered(atTop) ? atBottom : atTop;
    window.resize(chosen.size() - extra);
    window.move(chosen.topLeft());
}

} // namespace runnelex
