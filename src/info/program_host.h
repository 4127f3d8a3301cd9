// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace runnelex {

// Files and programs of the system: the file-exists test, the search of the program path and
// starting a program. Programs are started directly, never through a shell.
class ProgramHost {
public:
    virtual ~ProgramHost() = default;
    virtual bool fileExists(const QString& path) = 0;
    // The full path of `name` found on the program search path, or an empty text.
    virtual QString findOnPath(const QString& name) = 0;
    // Starts the program in its own window without waiting for it; false when it cannot start.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

class QtProgramHost final : public ProgramHost {
public:
    bool fileExists(const QString& path) override;
    QString findOnPath(const QString& name) override;
    bool start(const QString& program, const QStringList& arguments) override;
};

} // namespace runnelex
