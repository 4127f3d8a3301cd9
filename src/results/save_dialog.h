// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

class QWidget;

namespace runnelex {

// What the results window asks of a save-file dialog.
struct SaveDialogRequest {
    QString directory;          // where the dialog opens
    QStringList nameFilters;    // Qt name filters, "description (patterns)"
    QString selectedNameFilter; // one of nameFilters
    QString defaultSuffix;      // added to a name typed without one
    // When set, choosing a filter of one pattern "*.ext" makes "ext" the default suffix.
    bool suffixFollowsFilter = false;
};

// The save-file dialog seam: the real dialog in the program, a scripted one in tests.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // Shows the dialog modally. The chosen file name, or nothing when the user cancelled.
    virtual std::optional<QString> chooseSaveFile(QWidget* parent,
                                                  const SaveDialogRequest& request) = 0;
};

} // namespace runnelex
