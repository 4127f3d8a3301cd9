// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QObject>

class QAction;

namespace runnelex {

class FrmRangeReport;
class MessageBoxes;
class SaveDialog;
class ToolHost;

// The "Range Report..." item of the main window's Tools menu and the one window it opens,
// made on first use. The window opens beside the main window with the texts and units the
// main window shows; open again while it shows, it only comes to the front. Its unit lists
// follow the main window's unit system.
class RangeReportTool final : public QObject {
    Q_OBJECT
public:
    RangeReportTool(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog, unsigned threads = 0);
    ~RangeReportTool() override;

    void open();
    FrmRangeReport* window() const { return window_.get(); }
    QAction* menuItem() const { return item_; }

private:
    ToolHost& host_;
    MessageBoxes& boxes_;
    SaveDialog& dialog_;
    unsigned threads_;
    QAction* item_;
    int systemListener_ = -1;
    std::unique_ptr<FrmRangeReport> window_;
};

} // namespace runnelex
