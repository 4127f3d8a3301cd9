// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/mod_results.h"

#include "results/frm_results.h"
#include "results/record.h"

#include <stdexcept>

namespace runnelex {

ModResults::ModResults(MessageBoxes& boxes, SaveDialog& dialog) : boxes_(boxes), dialog_(dialog) {}

ModResults::~ModResults() {
    for (const QPointer<FrmResults>& closed : closedWindows_)
        delete closed.data();
}

QString ModResults::heldText() const {
    return QString::fromStdString(text_.fullText());
}

FrmResults& ModResults::loadWindow() {
    if (window_)
        return *window_;
    auto window = std::make_unique<FrmResults>(*this, dialog_, boxes_);
    FrmResults* w = window.get();
    QObject::connect(w, &FrmResults::closedThroughFrame, w, [this] { windowClosedThroughFrame(); });
    text_.setHeader(headerLine());
    w->showHeldText();
    // Only the very first window greets with the start text; a reload shows what is held.
    if (!loadedBefore_)
        w->showStartText();
    loadedBefore_ = true;
    window_ = std::move(window);
    placed_ = false;
    return *w;
}

std::string ModResults::headerLine() const {
    return record::headerLine(text_.recordCount() > 0 ? tableSystem_ : system_);
}

void ModResults::AddResult(const std::string& record) {
    if (text_.recordCount() > 0 && tableSystem_ != system_)
        throw std::runtime_error(
            tableSystem_ == UnitSystem::SI
                ? "the results window holds a table in SI units; save and clear it to record in "
                  "US customary units"
                : "the results window holds a table in US customary units; save and clear it to "
                  "record in SI units");
    if (text_.recordCount() == 0 && tableSystem_ != system_) {
        // The first record of a table in the other system: its header comes with it.
        tableSystem_ = system_;
        if (window_)
            text_.setHeader(headerLine());
    }
    text_.appendRecord(record);
    // The box text becomes ResultsHeader + ResultsRows, what the user typed into it dropped.
    loadWindow().heldRecordAdded();
}

void ModResults::showResultsWindow() {
    FrmResults& w = loadWindow();
    if (!placed_ && place_)
        place_(w, w.wholeLineSize());
    placed_ = true; // shown again, it stays where the user left it
    w.setWindowState(w.windowState() & ~Qt::WindowMinimized); // brought back from the task bar
    w.show();
    w.raise();
    w.activateWindow();
}

void ModResults::setCloseHandler(std::function<void()> onClose) {
    onClose_ = std::move(onClose);
}

void ModResults::ClearResults() {
    text_.clearRows();
    if (window_)
        text_.setHeader(headerLine()); // the system of the next records
}

void ModResults::setSystem(UnitSystem system) {
    system_ = system;
    if (text_.recordCount() > 0 || !window_)
        return;
    // No record held: the header shown names the new system's columns.
    text_.setHeader(headerLine());
    window_->heldTextChanged();
}

void ModResults::saveHeldRecords() {
    showResultsWindow();
    window_->saveAs();
}

void ModResults::resultsWindowClosed() {
    if (onClose_)
        onClose_();
}

void ModResults::windowClosedThroughFrame() {
    // Called from the window's own close event: it can only be deleted once that has returned.
    FrmResults* w = window_.release();
    std::erase_if(closedWindows_, [](const QPointer<FrmResults>& p) { return p.isNull(); });
    closedWindows_.emplace_back(w);
    w->deleteLater();
}

} // namespace runnelex
