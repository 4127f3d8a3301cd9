// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/pipe_picture_tool.h"

#include <QAction>
#include <QMenu>

#include "picture/frm_pipe_picture.h"
#include "ui/main/tool_host.h"
#include "ui/main/window_placement.h"

namespace runnelex {

PipePictureTool::PipePictureTool(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog)
    : host_(host), boxes_(boxes), dialog_(dialog) {
    QAction* item = host_.toolsMenu()->addAction(QStringLiteral("&Pipe Picture..."));
    item->setObjectName(QStringLiteral("mnuPipePicture"));
    connect(item, &QAction::triggered, this, &PipePictureTool::mnuPipePicture_Click);
}

PipePictureTool::~PipePictureTool() = default;

void PipePictureTool::mnuPipePicture_Click() {
    if (!window_) {
        window_ = std::make_unique<FrmPipePicture>(host_, boxes_, dialog_);
        // Beside the main window, so that the user types there while watching the picture.
        placeBeside(*window_, *host_.hostWindow(), QSize(880, 760));
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace runnelex
