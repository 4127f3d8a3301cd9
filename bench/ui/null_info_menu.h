// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "info/info_menu.h"

namespace runnelex::bench {

// Help items that open nothing: the benchmarks never choose them.
class NullInfoMenu final : public InfoMenu {
public:
    void mnuHelp4Runnelex_Click() override {}
    void mnuAbout_Runnelex_Click() override {}
    void mnuRunnelex_Updates_Click() override {}
    void mnuKelvara_Click() override {}
};

} // namespace runnelex::bench
