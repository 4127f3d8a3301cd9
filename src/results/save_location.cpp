// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/save_location.h"

#include <QDir>
#include <QStandardPaths>

namespace runnelex {

QString defaultSaveFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

QString saveFailureMessage(const QString& description) {
    return QStringLiteral("Unable to Open File (already open?). Please try a different name. (") +
           description + QLatin1Char(')');
}

} // namespace runnelex
