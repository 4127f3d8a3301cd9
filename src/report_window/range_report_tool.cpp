// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_window/range_report_tool.h"

#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QScreen>

#include "report_window/frm_range_report.h"
#include "ui/main/frm_runnelex.h"

namespace runnelex {

RangeReportTool::RangeReportTool(FrmRunnelex& main, MessageBoxes& boxes, SaveDialog& dialog,
                                 unsigned threads)
    : main_(main), boxes_(boxes), dialog_(dialog), threads_(threads) {
    item_ = main_.toolsMenu()->addAction(QStringLiteral("&Range Report..."));
    item_->setObjectName(QStringLiteral("mnuRangeReport"));
    item_->setToolTip(QStringLiteral("The calculation across ranges of values, a row per point"));
    connect(item_, &QAction::triggered, this, &RangeReportTool::open);
}

RangeReportTool::~RangeReportTool() = default;

void RangeReportTool::open() {
    const bool first = !window_;
    if (first)
        window_ = std::make_unique<FrmRangeReport>(
            boxes_, dialog_, [this] { return main_.currentEntry(); }, threads_);
    if (!window_->isVisible()) {
        // A window shown again starts from the main window too; one in view keeps its edits.
        window_->seed(main_.currentEntry());
        if (first)
            placeBesideMain();
        window_->show();
    }
    window_->raise();
    window_->activateWindow();
}

void RangeReportTool::placeBesideMain() {
    const QRect mainFrame = main_.frameGeometry();
    QPoint at(mainFrame.right() + 1, mainFrame.top());
    if (const QScreen* screen = main_.screen()) {
        // Kept on the main window's screen: to the left of it when the right has no room.
        const QRect room = screen->availableGeometry();
        if (at.x() + window_->width() > room.right())
            at.setX(std::max(room.left(), mainFrame.left() - window_->width() - 1));
        at.setY(std::clamp(at.y(), room.top(),
                           std::max(room.top(), room.bottom() - window_->height())));
    }
    window_->move(at);
}

} // namespace runnelex
