// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/save_text_file.h"

#include <QFile>

namespace runnelex {

QString saveTemporaryName(const QString& path) {
    return QFile::decodeName(atomicTemporaryName(QFile::encodeName(path).toStdString()).c_str());
}

std::optional<QString> saveTextFile(const QString& path, const QByteArray& bytes,
                                    const SaveSeams& seams) {
    AtomicFile file(QFile::encodeName(path).toStdString(), seams);
    if (file.open() &&
        file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))) &&
        file.commit())
        return std::nullopt;
    return QString::fromLocal8Bit(file.error().c_str());
}

} // namespace runnelex
