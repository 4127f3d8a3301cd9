// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/save_dialog.h"

namespace runnelex {

// Qt's own save dialog. It keeps no history: the program writes no file but the one saved.
class QtSaveDialog final : public SaveDialog {
public:
    std::optional<QString> chooseSaveFile(QWidget* parent,
                                          const SaveDialogRequest& request) override;
    std::optional<SaveDialogChoice>
    chooseSaveFileAndFilter(QWidget* parent, const SaveDialogRequest& request) override;
};

} // namespace runnelex
