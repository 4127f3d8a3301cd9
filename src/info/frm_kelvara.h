// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "info/info_dialog.h"

namespace runnelex {

// The maker's notice: a picture, what the maker offers and where to find it. "Close" only
// hides it.
class frmKelvara final : public InfoDialog {
    Q_OBJECT
public:
    explicit frmKelvara(QWidget* owner);
};

} // namespace runnelex
