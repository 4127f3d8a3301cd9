// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/qt_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

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

QString saveDialogDirectory() {
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
    QFileDialog dialog(parent);
    // The platform's dialog (GTK, portal) would keep recent-file lists of its own and may
    // ignore the default suffix.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(request.directory);
    dialog.setNameFilters(request.nameFilters);
    dialog.selectNameFilter(request.selectedNameFilter);
    dialog.setDefaultSuffix(suffixFor(request.selectedNameFilter, request.defaultSuffix));
    // A name typed without an extension gets the one of the format chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(suffixFor(filter, request.defaultSuffix));
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    return SaveDialogChoice{files.isEmpty() ? QString() : files.constFirst(),
                            dialog.selectedNameFilter()};
}

} // namespace runnelex
