// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/frm_kelvara.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include "info/info_resources.h"
#include "info/maker.h"

namespace runnelex {

namespace {
constexpr int kTextWidth = 320;
}

frmKelvara::frmKelvara(QWidget* owner) : InfoDialog(QStringLiteral("frmKelvara"), owner) {
    setWindowTitle(QStringLiteral("Dialog Caption"));

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(QPixmap(QString::fromLatin1(kMakerPictureResource)));
    image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* label1 = addText(
        QStringLiteral("Label1"),
        QStringLiteral("Kelvara trains civil engineers and technicians in practical hydraulics: "
                       "storm sewer and culvert design, open-channel flow and the checks a plan "
                       "reviewer expects to see, in short courses held on site or online."),
        kTextWidth);
    auto* label2 =
        addText(QStringLiteral("Label2"),
                QStringLiteral("Kelvara also works for small firms and public works departments: "
                               "drainage studies, pipe capacity reviews and design calculations, "
                               "checked and documented ready for submittal."),
                kTextWidth);
    auto* label3 =
        addText(QStringLiteral("Label3"),
                QStringLiteral("Please visit ") + QString::fromLatin1(maker::kWebAddress) +
                    QStringLiteral(" for more information."),
                kTextWidth);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->addWidget(image1, 0, 0, 3, 1);
    grid->addWidget(label1, 0, 1);
    grid->addWidget(label2, 1, 1);
    grid->addWidget(label3, 2, 1);
    grid->addLayout(closeButtonRow(), 3, 0, 1, 2);
}

} // namespace runnelex
