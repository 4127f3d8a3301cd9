// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include <QObject>

class QAction;

namespace runnelex {

class FrmPipePicture;
class FrmSections;
class MessageBoxes;
class ResultsLog;
class SaveDialog;
class SectionHost;
class ToolHost;

// The Tools menu's "Sections..." and the window it opens: made on first use from the main
// window's entry, afterwards only shown and hidden, so it keeps its own calculation. Its
// "Record" follows the main window's logging switch, its units the main window's unit system.
// Its "Picture" and "Size" open a picture window of its own, which follows its section.
class SectionsTool final : public QObject {
    Q_OBJECT
public:
    SectionsTool(ToolHost& host, MessageBoxes& boxes, ResultsLog& results, SaveDialog& dialog);
    ~SectionsTool() override;

    void open();
    FrmSections* window() const { return window_.get(); }
    // The picture of the window's section, made on the first "Picture" or "Size".
    FrmPipePicture* picture() const { return picture_.get(); }
    QAction* menuItem() const { return item_; }
    // What "Calculation Sheet" calls with the window's calculation (the program's sheet tool).
    void setSheetOpener(std::function<void(ToolHost&)> open) { sheetOpener_ = std::move(open); }

private:
    ToolHost& host_;
    MessageBoxes& boxes_;
    ResultsLog& results_;
    SaveDialog& dialog_;
    QAction* item_;
    int recordingListener_ = -1, systemListener_ = -1;
    std::unique_ptr<FrmSections> window_;
    // The picture is torn down before the window whose session it follows.
    std::unique_ptr<SectionHost> pictureHost_;
    std::unique_ptr<FrmPipePicture> picture_;
    std::function<void(ToolHost&)> sheetOpener_;

    void openPicture(bool sizing);
    // The window's calculation, as the picture and the sheet follow it.
    SectionHost& sectionHost();
};

} // namespace runnelex
