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
};

// Where the program's save dialogs open: the user's documents folder, or the home folder where
// there is none.
QString saveDialogDirectory();

// A file name chosen in the dialog, and the name filter selected when it was chosen.
struct SaveDialogChoice {
    QString path;
    QString nameFilter;
};

// The save-file dialog seam: the real dialog in the program, a scripted one in tests.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // Shows the dialog modally. The chosen file name, or nothing when the user cancelled.
    virtual std::optional<QString> chooseSaveFile(QWidget* parent,
                                                  const SaveDialogRequest& request) = 0;
    // The same, also telling the filter the user left selected (a save that offers several
    // formats writes the one chosen). A dialog that cannot tell answers with the filter it
    // opened with.
    virtual std::optional<SaveDialogChoice>
    chooseSaveFileAndFilter(QWidget* parent, const SaveDialogRequest& request) {
        const std::optional<QString> path = chooseSaveFile(parent, request);
        if (!path)
            return std::nullopt;
        return SaveDialogChoice{*path, request.selectedNameFilter};
    }
};

} // namespace runnelex
