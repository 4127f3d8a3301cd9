// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "common/unit_system.h"

class QMenu;
class QWidget;

namespace runnelex {

class CalcSession;

// What a tool window needs of the calculator it works beside: the session it follows, a place
// in the Tools menu, the calculator's window to stand next to, whether logging is on, and the
// switches of the unit system.
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
    // A call with the new unit system after every switch of it, once the calculator's session
    // has taken it (its lists re-read, its results recomputed); the returned number takes the
    // call off again.
    virtual int addSystemListener(std::function<void(UnitSystem)> onSwitch) = 0;
    virtual void removeSystemListener(int id) = 0;
};

} // namespace runnelex
