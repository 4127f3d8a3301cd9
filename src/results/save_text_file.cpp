// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/save_text_file.h"

#include <QSaveFile>

namespace runnelex {

std::optional<QString> saveTextFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered, and written until every byte is out: a buffered QSaveFile commits a write
    // that the disk cut short (full disk, size limit) as if it had succeeded.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        // A short write leaves the error to the next call, which reports it.
        const qint64 written = file.write(data, left);
        if (written <= 0) {
            const QString description = file.errorString();
            file.cancelWriting();
            return description;
        }
        data += written;
        left -= written;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace runnelex
