// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace runnelex {

// Replaces the whole content of the file at `path` with `bytes`, in one step: the bytes go to a
// temporary file beside it that takes the file's place only when fully written, so a failure
// leaves an existing file as it was. Returns the platform's description of a failure.
std::optional<QString> saveTextFile(const QString& path, const QByteArray& bytes);

} // namespace runnelex
