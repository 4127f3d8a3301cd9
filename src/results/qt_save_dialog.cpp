// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/qt_save_dialog.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QSettings>

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
    QFileDialog dialog(parent);
    // The platform's dialog (GTK, portal) would keep recent-file lists of its own and may
    // ignore the default suffix.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(request.directory);
    dialog.setNameFilters(request.nameFilters);
    dialog.selectNameFilter(request.selectedNameFilter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.suffixFollowsFilter) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) {
                             static const QRegularExpression onePattern(
                                 QStringLiteral("\\(\\*\\.([A-Za-z0-9]+)\\)$"));
                             const QRegularExpressionMatch m = onePattern.match(filter);
                             if (m.hasMatch())
                                 dialog.setDefaultSuffix(m.captured(1));
                         });
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.constFirst();
}

} // namespace runnelex
