// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_boxes.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "platform/modal_scope.h"
#include "version/version.h"

namespace runnelex {

void QtMessageBoxes::show(QWidget* parent, const QString& prompt) {
    // On the heap: a child of its owner, the box must never be freed by the owner as well.
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(version::kAppTitle), prompt,
                        QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    {
        const ModalScope scope(*box);
        box->exec();
    }
    delete box.data();
}

int QtMessageBoxes::ask(QWidget* parent, const QString& prompt, const QStringList& buttons) {
    QPointer<QMessageBox> box = new QMessageBox(
        QMessageBox::NoIcon, QString::fromUtf8(version::kAppTitle), prompt, {}, parent);
    box->setTextFormat(Qt::PlainText);
    QList<QAbstractButton*> made;
    for (const QString& text : buttons)
        made.push_back(box->addButton(text, QMessageBox::ActionRole));
    if (!made.isEmpty()) {
        box->setDefaultButton(static_cast<QPushButton*>(made.front()));
        box->setEscapeButton(made.back());
    }
    {
        const ModalScope scope(*box);
        box->exec();
    }
    const int answer = box ? static_cast<int>(made.indexOf(box->clickedButton())) : -1;
    delete box.data();
    return answer < 0 ? static_cast<int>(buttons.size()) - 1 : answer;
}

} // namespace runnelex
