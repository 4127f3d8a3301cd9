// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QObject>

class QAction;

namespace runnelex {

class FrmPipePicture;
class MessageBoxes;
class SaveDialog;
class ToolHost;

// The Tools menu's "Pipe Picture..." and the picture window it opens: created on first use,
// afterwards only shown and hidden, so its sizing criteria last as long as the program.
class PipePictureTool : public QObject {
    Q_OBJECT
public:
    PipePictureTool(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog);
    ~PipePictureTool() override;

    void mnuPipePicture_Click();
    FrmPipePicture* window() const { return window_.get(); }

private:
    ToolHost& host_;
    MessageBoxes& boxes_;
    SaveDialog& dialog_;
    std::unique_ptr<FrmPipePicture> window_;
};

} // namespace runnelex
