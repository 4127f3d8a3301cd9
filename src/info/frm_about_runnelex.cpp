// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/frm_about_runnelex.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "info/info_resources.h"
#include "info/maker.h"
#include "info/sys_info_launcher.h"
#include "version/version.h"

namespace runnelex {

namespace {
constexpr int kTextWidth = 400;

QFrame* ruleLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

frmAboutRunnelex::frmAboutRunnelex(SysInfoLauncher& launcher, QWidget* owner)
    : InfoDialog(QStringLiteral("frmAboutRunnelex"), owner), launcher_(launcher) {
    // Closed in any way (OK, Enter, Esc, the title bar), the window is deleted: it unloads.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About Runnelex"));

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QPixmap(QString::fromLatin1(kProgramIconResource))
                           .scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitle_ = addText(QStringLiteral("lblTitle"),
                        QStringLiteral("Runnelex Hydraulic Calculator - Beta"), kTextWidth);
    QFont titleFont = lblTitle_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle_->setFont(titleFont);
    lblVersion_ = addText(
        QStringLiteral("lblVersion"),
        QStringLiteral("Version:  0.7.1 Beta - Warning: not all numbers have been verified!"),
        kTextWidth);

    auto* lblDescription = addText(
        QStringLiteral("lblDescription"),
        QStringLiteral("Runnelex is a free Manning's \"hydraulic wheel,\" calculating normal flow, "
                       "capacity, and surcharge information.  Calculations can be be saved to "
                       "spreadsheet-ready tab-delimited text file.  "),
        kTextWidth);
    auto* label1 = addText(
        QStringLiteral("Label1"),
        QStringLiteral("Warning: ...  Use of any program without personally verifying the "
                       "validity of its results is unwise.  Runnelex was designed to automate "
                       "the iterative calculation for normal depth.  Please verify design "
                       "numbers with a spreadsheet or other program whose numbers you have "
                       "verified."),
        kTextWidth);
    auto* label2 = addText(
        QStringLiteral("Label2"),
        QStringLiteral("Runnelex is written and updated by Kelvara, a Civil Engineering Training "
                       "and Services company.  Your comments and suggestions for additional "
                       "features are appreciated:  ") +
            QString::fromLatin1(maker::kMailAddress),
        kTextWidth);
    auto* label3 =
        addText(QStringLiteral("Label3"),
                QStringLiteral("Please visit ") + QString::fromLatin1(maker::kWebAddress) +
                    QStringLiteral(" for updates and other workflow tools."),
                kTextWidth);
    auto* label4 =
        addText(QStringLiteral("Label4"), QStringLiteral("Beta!  Beta!  Beta!"), kTextWidth);
    auto* lblDisclaimer = addText(
        QStringLiteral("lblDisclaimer"),
        QStringLiteral("Warning: ...  By clicking any button or pressing any key, the user "
                       "acknowleges that this software has not been fully certified and that "
                       "all numbers are subject to error."),
        kTextWidth);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdOK_, &QPushButton::clicked, this, &frmAboutRunnelex::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAboutRunnelex::cmdSysInfo_Click);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picIcon, 0, 0, 2, 1);
    grid->addWidget(lblTitle_, 0, 1);
    grid->addWidget(lblVersion_, 1, 1);
    grid->addWidget(ruleLine(this), 2, 0, 1, 2);
    grid->addWidget(lblDescription, 3, 1);
    grid->addWidget(label1, 4, 1);
    grid->addWidget(ruleLine(this), 5, 0, 1, 2);
    grid->addWidget(label2, 6, 1);
    grid->addWidget(label3, 7, 1);
    grid->addWidget(label4, 8, 1);
    grid->addWidget(lblDisclaimer, 9, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo);
    grid->addLayout(buttons, 10, 0, 1, 2);

    Form_Load();
    cmdOK_->setFocus();
}

void frmAboutRunnelex::Form_Load() {
    const QString title = QString::fromLatin1(version::kAppTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion_->setText(QStringLiteral("Version ") + QString::number(version::kMajor) +
                         QLatin1Char('.') + QString::number(version::kMinor) + QLatin1Char('.') +
                         QString::number(version::kRevision));
    lblTitle_->setText(title);
}

void frmAboutRunnelex::StartSysInfo() {
    launcher_.StartSysInfo(this);
}

void frmAboutRunnelex::cmdOK_Click() {
    close();
}

void frmAboutRunnelex::cmdSysInfo_Click() {
    StartSysInfo();
}

} // namespace runnelex
