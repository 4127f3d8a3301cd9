// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_boxes.h"

#include <QMessageBox>
#include <QPointer>

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

bool QtMessageBoxes::confirm(QWidget* parent, const QString& prompt) {
    return runBox(parent, prompt, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

} // namespace runnelex
