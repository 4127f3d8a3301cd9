// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QTimer>
#include <QWidget>

#include "sheet/sheet_document.h"

class QComboBox;
class QLineEdit;
class QVBoxLayout;

namespace runnelex {

class MessageBoxes;
class PrintDialog;
class SaveDialog;
class ToolHost;

// The calculation sheet of a calculator, as it will be printed: the title block typed here (the
// date today's), the paper, and the pages painted as the PDF and the printer get them. It reads
// the calculator's session each time it is shown, a field changes or the calculation runs, and
// keeps nothing between runs of the program. "Save As..." writes a PDF or the text form
// through the one atomic save; "Print..." goes to the printer the print dialog chooses.
class FrmSheet final : public QWidget {
    Q_OBJECT
public:
    FrmSheet(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog, PrintDialog& print);
    ~FrmSheet() override;

    sheet::SheetTitle title() const;
    sheet::Paper paper() const;
    // The pages the preview shows, and how many times it has been painted.
    int pageCount() const { return pages_; }
    int refreshCount() const { return refreshes_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    sheet::SheetDocument document() const; // built now, from the session as it stands
    void scheduleRefresh();
    void refresh();
    void respeak();
    void cmdSaveSheet_Click();
    void cmdPrintSheet_Click();

    ToolHost& host_;
    MessageBoxes& boxes_;
    SaveDialog& dialog_;
    PrintDialog& print_;
    int shownListener_ = -1;
    QTimer refreshTimer_;
    bool stale_ = true;
    int refreshes_ = 0, pages_ = 0;
    // The system the paper was last chosen for: a switch of systems chooses its paper again.
    std::optional<UnitSystem> paperSystem_;
    QLineEdit *txtProject_, *txtReach_, *txtEngineer_, *txtChecker_, *txtDate_;
    QComboBox* cmbPaper_;
    QWidget* pagesBox_;
    QVBoxLayout* pagesLayout_;
};

} // namespace runnelex
