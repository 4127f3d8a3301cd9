// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "common/unit_system.h"

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

    // The unit system of the calculations recorded from now on. A table never mixes the two:
    // held records keep their system until they are cleared, and meanwhile AddResult refuses
    // a record of the other system.
    virtual void setSystem(UnitSystem) {}
    // The records held, and their system.
    virtual std::size_t heldRecords() const { return 0; }
    virtual UnitSystem heldSystem() const { return UnitSystem::US; }
    // Offers the held table to be saved, as the results window's "Save As..." does.
    virtual void saveHeldRecords() {}
};

} // namespace runnelex
