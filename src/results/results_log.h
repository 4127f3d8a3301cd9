// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace runnelex {

// What the main window needs of the recorded text and the results window.
class ResultsLog {
public:
    virtual ~ResultsLog() = default;
    // Appends the record and refreshes the results window (created hidden when needed).
    // A failure throws std::exception; what was already done stays done.
    virtual void AddResult(const std::string& record) = 0;
    // Creates the results window when needed and shows it (modeless, no owner).
    virtual void showResultsWindow() = 0;
    // The results window's "Close" calls this after hiding the window.
    virtual void setCloseHandler(std::function<void()> onClose) = 0;
};

} // namespace runnelex
