// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace runnelex {

// The Help menu's four actions; the information windows implement them.
class InfoMenu {
public:
    virtual ~InfoMenu() = default;
    virtual void mnuHelp4Runnelex_Click() = 0;
    virtual void mnuAbout_Runnelex_Click() = 0;
    virtual void mnuRunnelex_Updates_Click() = 0;
    virtual void mnuKelvara_Click() = 0;
};

} // namespace runnelex
