// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_boxes.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "platform/modal_scope.h"
#include "version/version.h"

namespace runnelex {

namespace {

int runBox(QWidget* parent, const QString& prompt, QMessageBox::StandardButtons buttons) {
    // On the heap: a child of its owner, the box must never be freed by the owner as well.
    QPointer<QMessageBox> box = new QMessageBox(
        QMessageBox::NoIcon, QString::fromUtf8(version::kAppTitle), prompt, buttons, parent);
    box->setTextFormat(Qt::PlainText);
    int answer = QMessageBox::Cancel;
    {
        const ModalScope scope(*box);
        answer = box->exec();
    }
    delete box.data();
    return answer;
}

} // namespace

void QtMessageBoxes::show(QWidget* parent, const QString& prompt) {
    runBox(parent, prompt, QMessageBox::Ok);
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
