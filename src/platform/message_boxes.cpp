// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_boxes.h"

#include <QMessageBox>

#include "app/version.h"

namespace runnelex {

void QtMessageBoxes::show(QWidget* parent, const QString& prompt) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(version::kAppTitle), prompt,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace runnelex
