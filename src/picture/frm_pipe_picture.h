// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

#include <QTimer>
#include <QWidget>

#include "picture/picture_model.h"

class QLabel;
class QSplitter;

namespace runnelex {

class ToolHost;
class MessageBoxes;
class PictureView;
class SaveDialog;
class SizingPanel;

// The picture of the pipe beside the main window: the cross-section and the
// hydraulic-elements chart of the current pipe, the other normal depth, and pipe sizing for
// the current slope, n and flow. It follows every calculation run of the main window, but
// never inside the run: runs only mark it stale, and one refresh follows once the event loop
// is free, however many runs came before it.
class FrmPipePicture : public QWidget {
    Q_OBJECT
public:
    FrmPipePicture(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog);
    ~FrmPipePicture() override;

    const picture::PictureModel& model() const;
    // Brings the sizing table forward: its pane opened to its height, the focus in it.
    void showSizing();
    // How many refreshes have been made since the window was created.
    int refreshCount() const { return refreshes_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scheduleRefresh();
    void refresh();
    void cmdSavePicture_Click();
    void cmdCopyPicture_Click();
    QSize pictureSize() const;

    ToolHost& host_;
    int shownListener_ = -1, systemListener_ = -1;
    MessageBoxes& boxes_;
    SaveDialog& dialog_;
    QTimer refreshTimer_;
    bool stale_ = true;
    int refreshes_ = 0;
    PictureView* view_;
    SizingPanel* sizing_;
    QSplitter* splitter_;
    std::map<std::string, QLabel*> labels_;
    std::map<std::string, QLabel*> units_; // the unit beside each value, of the model's system
};

} // namespace runnelex
