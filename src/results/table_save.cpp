// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/table_save.h"

#include <QFileInfo>
#include <QStringList>

namespace runnelex {

const QString& tabTextFilter() {
    static const QString f = QStringLiteral("tab-separated text file (*.txt)");
    return f;
}

const QString& csvFilter() {
    static const QString f = QStringLiteral("comma-separated values (*.csv)");
    return f;
}

bool savesAsCsv(const SaveDialogChoice& choice) {
    const QString suffix = QFileInfo(choice.path).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return true;
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("tsv"))
        return false;
    return choice.nameFilter == csvFilter();
}

QByteArray csvOfTabText(const QString& text) {
    if (text.isEmpty())
        return {};
    QByteArray csv;
    for (const QString& line : text.split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        for (qsizetype i = 0; i < fields.size(); ++i) {
            QByteArray field = fields[i].toUtf8();
            if (field.contains(',') || field.contains('"') || field.contains('\r'))
                field = '"' + field.replace("\"", "\"\"") + '"';
            csv += (i > 0 ? "," : "") + field;
        }
        csv += "\r\n";
    }
    return csv;
}

} // namespace runnelex
