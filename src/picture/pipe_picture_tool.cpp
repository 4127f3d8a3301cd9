// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/pipe_picture_tool.h"

#include <QAction>
#include <QMenu>

#include "picture/frm_pipe_picture.h"
#include "ui/main/frm_runnelex.h"

namespace runnelex {

PipePictureTool::PipePictureTool(FrmRunnelex& main, MessageBoxes& boxes, SaveDialog& dialog)
    : main_(main), boxes_(boxes), dialog_(dialog) {
    QAction* item = main_.toolsMenu()->addAction(QStringLiteral("&Pipe Picture..."));
    item->setObjectName(QStringLiteral("mnuPipePicture"));
    connect(item, &QAction::triggered, this, &PipePictureTool::mnuPipePicture_Click);
}

PipePictureTool::~PipePictureTool() = default;

void PipePictureTool::mnuPipePicture_Click() {
    if (!window_)
        window_ = std::make_unique<FrmPipePicture>(main_, boxes_, dialog_);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace runnelex
