// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/frm_runnelex_updates.h"

#include <QLabel>
#include <QVBoxLayout>

#include "info/maker.h"

namespace runnelex {

namespace {
constexpr int kTextWidth = 300;
}

frmRunnelexUpdates::frmRunnelexUpdates(QWidget* owner)
    : InfoDialog(QStringLiteral("frmRunnelexUpdates"), owner) {
    setWindowTitle(QStringLiteral("Runnelex Updates"));

    auto* label1 = addText(QStringLiteral("Label1"),
                           QStringLiteral("For free updates to Runnelex, visit"), kTextWidth);
    auto* label3 =
        addText(QStringLiteral("Label3"), QString::fromLatin1(maker::kWebAddress), kTextWidth);
    label3->setIndent(16);
    auto* label2 =
        addText(QStringLiteral("Label2"), QStringLiteral("Pending Enhancements:"), kTextWidth);
    auto* label4 =
        addText(QStringLiteral("Label4"), QStringLiteral("Square Pipe Support"), kTextWidth);
    auto* label5 = addText(QStringLiteral("Label5"),
                           QStringLiteral("Reports across Ranges of Values"), kTextWidth);
    label4->setIndent(16);
    label5->setIndent(16);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label1);
    layout->addWidget(label3);
    layout->addSpacing(12);
    layout->addWidget(label2);
    layout->addWidget(label4);
    layout->addWidget(label5);
    layout->addSpacing(12);
    layout->addLayout(closeButtonRow());
}

} // namespace runnelex
