// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/qt_save_dialog.h"

#include <QFileDialog>
#include <QPointer>
#include <QSettings>

#include "platform/modal_scope.h"

namespace runnelex {

namespace {
// QFileDialog reads and, when destroyed, writes its history and last folder through the
// user-scope QSettings "QtProject" (~/.config/QtProject.conf). The program uses no user-scope
// settings of its own, so they are pointed below /dev/null: that can never be a folder, so
// reading finds nothing and writing fails quietly, for any user, root included.
void keepDialogSettingsNowhere() {
    static const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}
} // namespace

std::optional<QString> QtSaveDialog::chooseSaveFile(QWidget* parent,
                                                    const SaveDialogRequest& request) {
    keepDialogSettingsNowhere();
    // On the heap: a child of its owner, the dialog must never be freed by the owner as well.
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    // The platform's dialog (GTK, portal) would keep recent-file lists of its own and may
    // ignore the default suffix.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDirectory(request.directory);
    dialog->setNameFilters(request.nameFilters);
    dialog->selectNameFilter(request.selectedNameFilter);
    dialog->setDefaultSuffix(request.defaultSuffix);
    int answer = QDialog::Rejected;
    {
        const ModalScope scope(*dialog);
        answer = dialog->exec();
    }
    std::optional<QString> chosen;
    if (dialog && answer == QDialog::Accepted) {
        const QStringList files = dialog->selectedFiles();
        chosen = files.isEmpty() ? QString() : files.constFirst();
    }
    delete dialog.data();
    return chosen;
}

} // namespace runnelex
