// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_window/print_dialog.h"

#include <QPointer>
#include <QPrintDialog>
#include <QSettings>

#include "platform/modal_scope.h"

namespace runnelex {

bool QtPrintDialog::choosePrinter(QWidget* parent, QPrinter& printer) {
    // Its "print to file" chooser keeps a history through the user-scope QSettings
    // (QtProject.conf); the program keeps no settings, so they are pointed where nothing can be
    // written, as for the save dialog.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
    // On the heap: a child of its owner, the dialog must never be freed by the owner as well.
    QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, parent);
    int answer = QDialog::Rejected;
    {
        const ModalScope scope(*dialog);
        answer = dialog->exec();
    }
    delete dialog.data();
    return answer == QDialog::Accepted;
}

} // namespace runnelex
