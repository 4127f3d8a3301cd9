// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/program_host.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace runnelex {

bool QtProgramHost::fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString QtProgramHost::findOnPath(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

bool QtProgramHost::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

} // namespace runnelex
