// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_window/range_report_tool.h"

#include <QAction>
#include <QMenu>

#include "calc/calc_session.h"
#include "report_window/frm_range_report.h"
#include "ui/main/tool_host.h"
#include "ui/main/window_placement.h"

namespace runnelex {

namespace {
// Room for the inputs beside the first columns of the rows; a smaller screen gets less.
constexpr QSize kPreferredSize(1000, 640);
} // namespace

RangeReportTool::RangeReportTool(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog,
                                 unsigned threads)
    : host_(host), boxes_(boxes), dialog_(dialog), threads_(threads) {
    item_ = host_.toolsMenu()->addAction(QStringLiteral("&Range Report..."));
    item_->setObjectName(QStringLiteral("mnuRangeReport"));
    item_->setToolTip(QStringLiteral("The calculation across ranges of values, a row per point"));
    connect(item_, &QAction::triggered, this, &RangeReportTool::open);
    systemListener_ = host_.addSystemListener([this](UnitSystem system) {
        if (window_)
            window_->setSystem(system);
    });
}

RangeReportTool::~RangeReportTool() {
    host_.removeSystemListener(systemListener_);
}

void RangeReportTool::open() {
    const bool first = !window_;
    if (first)
        window_ = std::make_unique<FrmRangeReport>(
            boxes_, dialog_, [this] { return host_.session().entry(); }, threads_);
    if (!window_->isVisible()) {
        // A window shown again starts from the main window too; one in view keeps its edits.
        window_->seed(host_.session().entry());
        if (first)
            placeBeside(*window_, *host_.hostWindow(), kPreferredSize);
        window_->show();
    }
    window_->raise();
    window_->activateWindow();
}

} // namespace runnelex
