// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_boxes.h"

#include <QMessageBox>
#include <QPointer>

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

} // namespace runnelex
