// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include "results/results_log.h"
#include "results/results_text.h"

namespace runnelex {

class FrmResults;
class MessageBoxes;
class SaveDialog;

// The recorded text of the run and the results window that shows it. The text lives as long as
// this object; the window is created on first use, then hidden and shown, and destroyed only
// when the user closes it through its frame (the next use loads it again).
class ModResults final : public ResultsLog {
public:
    ModResults(MessageBoxes& boxes, SaveDialog& dialog);
    ~ModResults() override;
    ModResults(const ModResults&) = delete;
    ModResults& operator=(const ModResults&) = delete;

    void AddResult(const std::string& record) override;
    void showResultsWindow() override;
    void setCloseHandler(std::function<void()> onClose) override;
    void setSystem(UnitSystem system) override;
    std::size_t heldRecords() const override { return text_.recordCount(); }
    UnitSystem heldSystem() const override { return tableSystem_; }
    void saveHeldRecords() override;

    // Empties the held records; the caller refreshes the window.
    void ClearResults();

    const ResultsText& text() const { return text_; }
    // ResultsHeader + ResultsRows.
    QString heldText() const;

    // The loaded results window, or null.
    FrmResults* window() const { return window_.get(); }

    // How a newly loaded window is placed when it is first shown, given the size that shows a
    // whole record line; unset, the window system places it.
    void setPlacement(std::function<void(QWidget& window, QSize preferred)> place) {
        place_ = std::move(place);
    }

    // The window's "Close" hid it.
    void resultsWindowClosed();

private:
    FrmResults& loadWindow();
    // The header of the table: of the records held, or of the next ones when none is held.
    std::string headerLine() const;
    void windowClosedThroughFrame();

    MessageBoxes& boxes_;
    SaveDialog& dialog_;
    ResultsText text_;
    std::unique_ptr<FrmResults> window_;
    // Windows closed through their frame wait for the event loop to delete them.
    std::vector<QPointer<FrmResults>> closedWindows_;
    bool loadedBefore_ = false;
    // Of the calculations recorded now, and of the records held (set by the first of them).
    UnitSystem system_ = UnitSystem::US, tableSystem_ = UnitSystem::US;
    std::function<void()> onClose_;
    std::function<void(QWidget&, QSize)> place_;
    bool placed_ = false; // the loaded window has been placed
};

} // namespace runnelex
