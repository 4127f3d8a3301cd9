// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_window/sheet_tool.h"

#include <QAction>
#include <QMenu>

#include "sheet_window/frm_sheet.h"
#include "ui/main/tool_host.h"
#include "ui/main/window_placement.h"

namespace runnelex {

SheetTool::SheetTool(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog, PrintDialog& print)
    : host_(host), boxes_(boxes), dialog_(dialog), print_(print) {
    // "S" is the Sections item's key already.
    QAction* item = host_.toolsMenu()->addAction(QStringLiteral("&Calculation Sheet..."));
    item->setObjectName(QStringLiteral("mnuSheet"));
    item->setToolTip(QStringLiteral("The calculation on paper, to print, save as PDF or check"));
    connect(item, &QAction::triggered, this, &SheetTool::open);
}

SheetTool::~SheetTool() = default;

FrmSheet* SheetTool::window(const ToolHost& calculator) const {
    for (const auto& [owner, window] : windows_)
        if (owner == &calculator)
            return window.get();
    return nullptr;
}

void SheetTool::openFor(ToolHost& calculator) {
    FrmSheet* shown = window(calculator);
    if (shown == nullptr) {
        auto made = std::make_unique<FrmSheet>(calculator, boxes_, dialog_, print_);
        if (&calculator != &host_)
            made->setObjectName(QStringLiteral("frmSectionSheet"));
        // Beside the calculator, whose results the sheet shows.
        placeBeside(*made, *calculator.hostWindow(), QSize(760, 900));
        shown = made.get();
        windows_.emplace_back(&calculator, std::move(made));
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
}

} // namespace runnelex
