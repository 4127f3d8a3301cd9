// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <QObject>

namespace runnelex {

class FrmSheet;
class MessageBoxes;
class PrintDialog;
class SaveDialog;
class ToolHost;

// The Tools menu's "Calculation Sheet..." and the sheet windows: one for the main window's
// calculation, one for each other calculator that asks (the sections window), each made on
// first use and afterwards only shown and hidden.
class SheetTool final : public QObject {
    Q_OBJECT
public:
    SheetTool(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog, PrintDialog& print);
    ~SheetTool() override;

    // The sheet of the main window's calculation.
    void open() { openFor(host_); }
    // The sheet of another calculator's; `calculator` outlives this tool.
    void openFor(ToolHost& calculator);
    // The window of that calculator's sheet, once opened.
    FrmSheet* window(const ToolHost& calculator) const;
    FrmSheet* window() const { return window(host_); }

private:
    ToolHost& host_;
    MessageBoxes& boxes_;
    SaveDialog& dialog_;
    PrintDialog& print_;
    std::vector<std::pair<const ToolHost*, std::unique_ptr<FrmSheet>>> windows_;
};

} // namespace runnelex
