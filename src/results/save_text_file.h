// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "common/atomic_file.h"

namespace runnelex {

// Replaces the whole content of the file at `path` with `bytes`, in one step: the bytes go to a
// temporary file beside it, are flushed to the disk, and only then take the file's place, so a
// failure or a crash at any moment leaves either the complete old file or the complete new one.
// The temporary file has no name at all while it is written where the file system allows it,
// else the hidden name ".NAME.runnelex-save", which the next save of the same file removes
// when a crash left it behind. An existing file keeps its permissions; a symbolic link keeps
// pointing to the file it names. Returns the platform's description of a failure.
std::optional<QString> saveTextFile(const QString& path, const QByteArray& bytes,
                                    const SaveSeams& seams = {});

// The hidden name beside `path` that a save uses before the file takes its place.
QString saveTemporaryName(const QString& path);

} // namespace runnelex
