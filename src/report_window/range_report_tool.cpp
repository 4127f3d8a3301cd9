// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_window/range_report_tool.h"

#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QScreen>

#include "calc/calc_session.h"
#include "report_window/frm_range_report.h"
#include "ui/main/tool_host.h"

namespace runnelex {

RangeReportTool::RangeReportTool(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog,
                                 unsigned threads)
    : host_(host), boxes_(boxes), dialog_(dialog), threads_(threads) {
    item_ = host_.toolsMenu()->addAction(QStringLiteral("&Range Report..."));
    item_->setObjectName(QStringLiteral("mnuRangeReport"));
    item_->setToolTip(QStringLiteral("The calculation across ranges of values, a row per point"));
    connect(item_, &QAction::triggered, this, &RangeReportTool::open);
}

RangeReportTool::~RangeReportTool() = default;

void RangeReportTool::open() {
    const bool first = !window_;
    if (first)
        window_ = std::make_unique<FrmRangeReport>(
            boxes_, dialog_, [this] { return host_.session().entry(); }, threads_);
    if (!window_->isVisible()) {
        // A window shown again starts from the main window too; one in view keeps its edits.
        window_->seed(host_.session().entry());
        if (first)
            placeBesideMain();
        window_->show();
    }
    window_->raise();
    window_->activateWindow();
}

void RangeReportTool::placeBesideMain() {
    const QWidget& main = *host_.hostWindow();
    const QScreen* screen = main.screen();
    if (screen == nullptr)
        return;
    // To the right of the main window, else to its left, narrowed to the room there (never
    // below what its controls need); with no room on either side, at the screen's right edge.
    const QRect room = screen->availableGeometry();
    const QRect mainFrame = main.frameGeometry();
    const int extra = window_->frameGeometry().width() - window_->width(); // the frame's edges
    const int needed = window_->minimumSizeHint().width();
    const int right = room.right() - mainFrame.right() - extra;
    const int left = mainFrame.left() - room.left() - extra;
    int width = std::min(window_->width(), room.width() - extra);
    int x = room.right() - extra - width + 1;
    if (right >= needed) {
        width = std::min(width, right);
        x = mainFrame.right() + 1;
    } else if (left >= needed) {
        width = std::min(width, left);
        x = mainFrame.left() - extra - width;
    }
    const int extraHigh = window_->frameGeometry().height() - window_->height();
    const int height = std::min(window_->height(), room.height() - extraHigh);
    const int y = std::clamp(mainFrame.top(), room.top(),
                             std::max(room.top(), room.bottom() - extraHigh - height + 1));
    window_->resize(width, height);
    window_->move(std::max(x, room.left()), y);
}

} // namespace runnelex
