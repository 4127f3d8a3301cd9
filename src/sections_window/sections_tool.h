// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QObject>

class QAction;

namespace runnelex {

class FrmSections;
class MessageBoxes;
class ResultsLog;
class ToolHost;

// The Tools menu's "Sections..." and the window it opens: made on first use from the main
// window's entry, afterwards only shown and hidden, so it keeps its own calculation. Its
// "Record" follows the main window's logging switch, its units the main window's unit system.
class SectionsTool final : public QObject {
    Q_OBJECT
public:
    SectionsTool(ToolHost& host, MessageBoxes& boxes, ResultsLog& results);
    ~SectionsTool() override;

    void open();
    FrmSections* window() const { return window_.get(); }
    QAction* menuItem() const { return item_; }

private:
    ToolHost& host_;
    MessageBoxes& boxes_;
    ResultsLog& results_;
    QAction* item_;
    int recordingListener_ = -1, systemListener_ = -1;
    std::unique_ptr<FrmSections> window_;
};

} // namespace runnelex
