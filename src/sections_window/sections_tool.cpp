// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections_window/sections_tool.h"

#include <QAction>
#include <QMenu>

#include "calc/calc_session.h"
#include "picture/frm_pipe_picture.h"
#include "sections_window/frm_sections.h"
#include "sections_window/section_host.h"
#include "ui/main/tool_host.h"
#include "ui/main/window_placement.h"

namespace runnelex {

SectionsTool::SectionsTool(ToolHost& host, MessageBoxes& boxes, ResultsLog& results,
                           SaveDialog& dialog)
    : host_(host), boxes_(boxes), results_(results), dialog_(dialog) {
    item_ = host_.toolsMenu()->addAction(QStringLiteral("&Sections..."));
    item_->setObjectName(QStringLiteral("mnuSections"));
    item_->setToolTip(QStringLiteral("The calculation for circular pipes, squares and boxes"));
    connect(item_, &QAction::triggered, this, &SectionsTool::open);
    recordingListener_ = host_.addRecordingListener([this](bool on) {
        if (window_)
            window_->setRecordingEnabled(on);
    });
    systemListener_ = host_.addSystemListener([this](UnitSystem system) {
        if (window_)
            window_->setSystem(system);
    });
}

SectionsTool::~SectionsTool() {
    picture_.reset();
    host_.removeRecordingListener(recordingListener_);
    host_.removeSystemListener(systemListener_);
}

void SectionsTool::open() {
    if (!window_) {
        const CalcSession& main = host_.session();
        window_ = std::make_unique<FrmSections>(main.inputs(), main.entry(),
                                                main.label(Label::CapQ), boxes_, results_);
        window_->setRecordingEnabled(host_.recordingEnabled());
        placeBeside(*window_, *host_.hostWindow(), window_->sizeHint());
        connect(window_.get(), &FrmSections::pictureRequested, this,
                [this] { openPicture(false); });
        connect(window_.get(), &FrmSections::sizingRequested, this, [this] { openPicture(true); });
        connect(window_.get(), &FrmSections::sheetRequested, this, [this] {
            if (sheetOpener_)
                sheetOpener_(sectionHost());
        });
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

SectionHost& SectionsTool::sectionHost() {
    if (!pictureHost_)
        pictureHost_ = std::make_unique<SectionHost>(host_, *window_);
    return *pictureHost_;
}

void SectionsTool::openPicture(bool sizing) {
    if (!picture_) {
        picture_ = std::make_unique<FrmPipePicture>(sectionHost(), boxes_, dialog_);
        picture_->setObjectName(QStringLiteral("frmSectionPicture"));
        picture_->setWindowTitle(QStringLiteral("Runnelex Section Picture"));
        placeBeside(*picture_, *window_, QSize(880, 760));
    }
    picture_->show();
    picture_->raise();
    picture_->activateWindow();
    if (sizing)
        picture_->showSizing();
}

} // namespace runnelex
