// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "info/info_dialog.h"

namespace runnelex {

// The updates notice: where updates come from and what is planned. "Close" only hides it.
class frmRunnelexUpdates final : public InfoDialog {
    Q_OBJECT
public:
    explicit frmRunnelexUpdates(QWidget* owner);
};

} // namespace runnelex
