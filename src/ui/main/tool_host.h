// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMenu;
class QWidget;

namespace runnelex {

class CalcSession;

// What a tool window needs of the calculator it works beside: the session it follows, a place
// in the Tools menu, and the calculator's window to stand next to.
class ToolHost {
public:
    virtual ~ToolHost() = default;
    virtual CalcSession& session() = 0;
    // The menu of the windows added beside the calculator, made on first use.
    virtual QMenu* toolsMenu() = 0;
    virtual QWidget* hostWindow() = 0;
};

} // namespace runnelex
