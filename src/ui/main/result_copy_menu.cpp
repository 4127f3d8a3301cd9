// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/result_copy_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "calc/calc_session.h"
#include "results/record.h"

namespace runnelex {

namespace {

void toClipboard(const QString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

// The value label under `pos`, if it shows a text.
const QLabel* valueAt(const QWidget& area, QPoint pos) {
    const auto* label = qobject_cast<const QLabel*>(area.childAt(pos));
    return label != nullptr && label->objectName().startsWith(QStringLiteral("lblr")) &&
                   !label->text().isEmpty()
               ? label
               : nullptr;
}

} // namespace

QString shownResults(const QWidget& area) {
    QStringList lines;
    for (const QLabel* label : area.findChildren<QLabel*>()) {
        const QString heard = label->accessibleName();
        // A value is heard with its caption before its text; units and headings are not.
        if (label->objectName().startsWith(QStringLiteral("lblr")) && !label->text().isEmpty() &&
            heard.size() > label->text().size() && heard.contains(label->text()) &&
            label->isVisibleTo(&area))
            lines << heard;
    }
    return lines.join(u'\n');
}

QString recordWithHeader(const CalcSession& session) {
    return QString::fromStdString(record::headerLine(session.inputs().System) + '\n' +
                                  record::makeRecord(session.recordFields()));
}

QMenu* resultCopyMenu(QWidget& area, QPoint pos, const CalcSession& session) {
    auto* menu = new QMenu(&area);
    menu->setObjectName(QStringLiteral("mnuResultCopy"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QLabel* value = valueAt(area, pos);
    const QString copied = value != nullptr ? value->text() : shownResults(area);
    QAction* copy = menu->addAction(QStringLiteral("&Copy"));
    copy->setObjectName(QStringLiteral("mnuCopyResult"));
    copy->setEnabled(!copied.isEmpty());
    QObject::connect(copy, &QAction::triggered, menu, [copied] { toClipboard(copied); });
    QAction* record = menu->addAction(QStringLiteral("Copy &Record"));
    record->setObjectName(QStringLiteral("mnuCopyRecord"));
    // Read when chosen, so that the record is the one shown then.
    QObject::connect(record, &QAction::triggered, menu,
                     [&session] { toClipboard(recordWithHeader(session)); });
    return menu;
}

void addResultCopyMenu(QWidget& area, const CalcSession& session) {
    area.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&area, &QWidget::customContextMenuRequested, &area,
                     [&area, &session](QPoint pos) {
                         resultCopyMenu(area, pos, session)->popup(area.mapToGlobal(pos));
                     });
}

} // namespace runnelex
