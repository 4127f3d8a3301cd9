// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QMenu;
class QWidget;

namespace runnelex {

class CalcSession;

// What a tool window needs of the calculator it works beside: the session it follows, a place
// in the Tools menu, the calculator's window to stand next to, and whether logging is on.
class ToolHost {
public:
    virtual ~ToolHost() = default;
    virtual CalcSession& session() = 0;
    // The menu of the windows added beside the calculator, made on first use.
    virtual QMenu* toolsMenu() = 0;
    virtual QWidget* hostWindow() = 0;
    // Whether logging is on (the calculator's recording controls are enabled), and a call with
    // the new state at every change of it; the returned number takes the call off again.
    virtual bool recordingEnabled() const = 0;
    virtual int addRecordingListener(std::function<void(bool)> onChange) = 0;
    virtual void removeRecordingListener(int id) = 0;
};

} // namespace runnelex
