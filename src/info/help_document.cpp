// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/help_document.h"

#include <QDir>
#include <QFileInfo>

namespace runnelex {

namespace {
bool isInside(const QString& path, const QString& folder) {
    if (folder.isEmpty()) {
        return false;
    }
    const QString relative = QDir(folder).relativeFilePath(path);
    return !relative.startsWith(QLatin1String("..")) && !QDir::isAbsolutePath(relative);
}

bool isFile(const QString& path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isFile();
}
} // namespace

HelpDocumentPlaces helpDocumentPlaces(const QString& applicationDir, const QString& buildRoot,
                                      const QString& sourceDocument) {
    HelpDocumentPlaces places;
    places.installed = QDir::cleanPath(applicationDir + QLatin1Char('/') +
                                       QStringLiteral(RUNNELEX_HELP_FROM_BINDIR));
    if (isInside(QDir::cleanPath(applicationDir), QDir::cleanPath(buildRoot))) {
        places.sourceTree = sourceDocument;
    }
    return places;
}

HelpDocumentPlaces helpDocumentPlaces(const QString& applicationDir) {
    return helpDocumentPlaces(applicationDir, QStringLiteral(RUNNELEX_BUILD_ROOT),
                              QStringLiteral(RUNNELEX_SOURCE_HELP));
}

QString findHelpDocument(const HelpDocumentPlaces& places) {
    if (isFile(places.installed)) {
        return places.installed;
    }
    if (isFile(places.sourceTree)) {
        return places.sourceTree;
    }
    return {};
}

} // namespace runnelex
