// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/info_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace runnelex {

InfoDialog::InfoDialog(const QString& name, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(name);
    setModal(false);
    setSizeGripEnabled(false);
}

QLabel* InfoDialog::addText(const QString& name, const QString& text, int width) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFixedWidth(width);
    return label;
}

QHBoxLayout* InfoDialog::closeButtonRow() {
    auto* cancelButton = new QPushButton(QStringLiteral("Close"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    cancelButton->setDefault(true);
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("OKButton"));
    okButton->setAutoDefault(false);
    okButton->hide();
    connect(cancelButton, &QPushButton::clicked, this, &InfoDialog::CancelButton_Click);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(okButton);
    row->addWidget(cancelButton);
    return row;
}

void InfoDialog::CancelButton_Click() {
    // A close hides the window and keeps it loaded; as a close it also waits for a message
    // the window may have open.
    close();
}

} // namespace runnelex
