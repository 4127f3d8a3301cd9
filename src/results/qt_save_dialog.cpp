// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/qt_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

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

// The extension of a filter's first pattern ("csv" of "values (*.csv)"), or the request's own
// default suffix for a filter of every file.
QString suffixFor(const QString& filter, const QString& fallback) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.(\\w+)[ )]"));
    const QRegularExpressionMatch m = firstPattern.match(filter);
    return m.hasMatch() ? m.captured(1) : fallback;
}
} // namespace

namespace {
// The folder of the last file saved in this run, held in memory only.
QString& lastFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString saveDialogDirectory() {
    if (!lastFolder().isEmpty() && QDir(lastFolder()).exists())
        return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

std::optional<QString> QtSaveDialog::chooseSaveFile(QWidget* parent,
                                                    const SaveDialogRequest& request) {
    const auto choice = chooseSaveFileAndFilter(parent, request);
    if (!choice)
        return std::nullopt;
    return choice->path;
}

std::optional<SaveDialogChoice>
QtSaveDialog::chooseSaveFileAndFilter(QWidget* parent, const SaveDialogRequest& request) {
    keepDialogSettingsNowhere();
    // On the heap: a child of its owner, the dialog must never be freed by the owner as well.
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    // The platform's dialog (GTK, portal) would keep recent-file lists of its own and may
    // ignore the default suffix.
    QFileDialog* const d = dialog.data();
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    d->setDirectory(request.directory);
    d->setNameFilters(request.nameFilters);
    d->selectNameFilter(request.selectedNameFilter);
    d->setDefaultSuffix(suffixFor(request.selectedNameFilter, request.defaultSuffix));
    // A name typed without an extension gets the one of the format chosen.
    const QString fallback = request.defaultSuffix;
    QObject::connect(d, &QFileDialog::filterSelected, d, [d, fallback](const QString& filter) {
        d->setDefaultSuffix(suffixFor(filter, fallback));
    });
    int answer = QDialog::Rejected;
    {
        const ModalScope scope(*d);
        answer = d->exec();
    }
    std::optional<SaveDialogChoice> chosen;
    if (dialog && answer == QDialog::Accepted) {
        const QStringList files = dialog->selectedFiles();
        chosen = SaveDialogChoice{files.isEmpty() ? QString() : files.constFirst(),
                                  dialog->selectedNameFilter()};
        lastFolder() = dialog->directory().absolutePath(); // the next save opens there
    }
    delete dialog.data();
    return chosen;
}

} // namespace runnelex
