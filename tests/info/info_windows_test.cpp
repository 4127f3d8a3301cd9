// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "fakes.h"
#include "info/frm_about_runnelex.h"
#include "info/frm_kelvara.h"
#include "info/frm_runnelex_updates.h"
#include "info/info_windows.h"

using namespace runnelex;
using namespace runnelex::test;

namespace {
QString labelText(QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A fixed-size, modeless dialog of the owner without minimize and maximize buttons.
void checkInfoFrame(QWidget* window, QWidget* owner) {
    QVERIFY(window->isVisible());
    QCOMPARE(window->parentWidget(), owner);
    QCOMPARE(window->windowType(), Qt::Dialog);
    QVERIFY(!window->isModal() && !QApplication::activeModalWidget());
    QVERIFY(
        !(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->size(), window->minimumSize());
}
} // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> owner_;
    FakeRegistry registry_;
    FakeProgramHost programs_;
    FakeHelpViewer help_;
    RecordingMessageBoxes boxes_;
    std::unique_ptr<InfoWindows> info_;

private slots:
    void init() {
        owner_ = std::make_unique<QWidget>();
        owner_->show();
        boxes_.shown.clear();
        help_.requests.clear();
        info_ = std::make_unique<InfoWindows>(boxes_, registry_, programs_, help_);
        info_->setOwner(owner_.get());
    }
    void cleanup() {
        info_.reset();
        owner_.reset();
    }

    void aboutLoadsItsTexts() {
        info_->mnuAbout_Runnelex_Click();
        frmAboutRunnelex* about = info_->aboutWindow();
        QVERIFY(about);
        checkInfoFrame(about, owner_.get());
        QCOMPARE(about->windowTitle(), "About Runnelex");
        const char* texts[][2] = {
            {"lblTitle", "Runnelex"},
            {"lblVersion", "Version 1.0.2"},
            {"lblDescription",
             "Runnelex is a free Manning's \"hydraulic wheel,\" calculating normal flow, capacity, "
             "and surcharge information.  Calculations can be be saved to spreadsheet-ready "
             "tab-delimited text file.  "},
            {"Label1",
             "Warning: ...  Use of any program without personally verifying the validity of its "
             "results is unwise.  Runnelex was designed to automate the iterative calculation for "
             "normal depth.  Please verify design numbers with a spreadsheet or other program "
             "whose numbers you have verified."},
            {"Label2",
             "Runnelex is written and updated by Kelvara, a Civil Engineering Training and "
             "Services company.  Your comments and suggestions for additional features are "
             "appreciated:  runnelex@kelvara.example"},
            {"Label3",
             "Please visit https://www.kelvara.example/ for updates and other workflow tools."},
            {"Label4", "Beta!  Beta!  Beta!"},
            {"lblDisclaimer",
             "Warning: ...  By clicking any button or pressing any key, the user acknowleges that "
             "this software has not been fully certified and that all numbers are subject to "
             "error."}};
        for (const auto& [name, text] : texts)
            QCOMPARE(labelText(about, name), text);
        auto* ok = about->findChild<QPushButton*>("cmdOK");
        QVERIFY(ok && ok->isDefault());
        QCOMPARE(ok->text(), "OK");
        QCOMPARE(about->findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");
        QCOMPARE(about->findChildren<QFrame*>("Line1").size(), 2);
        QVERIFY(!about->findChild<QLabel*>("picIcon")->pixmap().isNull());
        info_->mnuAbout_Runnelex_Click(); // a visible window is only brought forward
        QCOMPARE(info_->aboutWindow(), about);
        QCOMPARE(owner_->findChildren<frmAboutRunnelex*>().size(), 1);
    }

    // Every way out unloads the window; the next opening loads it anew.
    void aboutUnloadsAndReloads_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("OK button") << 0;
        QTest::newRow("Enter on the default button") << 1;
        QTest::newRow("Escape") << 2;
        QTest::newRow("window close") << 3;
    }
    void aboutUnloadsAndReloads() {
        QFETCH(int, way);
        info_->mnuAbout_Runnelex_Click();
        QPointer<frmAboutRunnelex> first = info_->aboutWindow();
        for (const char* name : {"lblTitle", "lblVersion"})
            first->findChild<QLabel*>(name)->setText("stale");
        first->setWindowTitle("stale");
        if (way == 0)
            first->findChild<QPushButton*>("cmdOK")->click();
        else if (way == 3)
            first->close();
        else
            QTest::keyClick(first, way == 1 ? Qt::Key_Return : Qt::Key_Escape);
        flushDeletes();
        QVERIFY(first.isNull() && !info_->aboutWindow());

        info_->mnuAbout_Runnelex_Click();
        frmAboutRunnelex* second = info_->aboutWindow();
        QVERIFY(second && second->isVisible());
        QCOMPARE(second->windowTitle(), "About Runnelex");
        QCOMPARE(labelText(second, "lblTitle"), "Runnelex");
        QCOMPARE(labelText(second, "lblVersion"), "Version 1.0.2");
    }

    void aboutSystemInfoUnavailable() {
        info_->mnuAbout_Runnelex_Click();
        frmAboutRunnelex* about = info_->aboutWindow();
        about->findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(boxes_.shown.size(), 1u);
        QCOMPARE(boxes_.shown[0].second, "System Information Is Unavailable At This Time");
        QCOMPARE(boxes_.shown[0].first, about);
        QVERIFY(programs_.started.isEmpty());
        flushDeletes();
        QCOMPARE(info_->aboutWindow(), about); // the window stays open
        QVERIFY(about->isVisible());
    }

    // Single instances: "Close" (or Escape) hides, the hidden OK button does nothing.
    void noticesAreSingleAndCloseHides_data() {
        QTest::addColumn<bool>("maker");
        QTest::addColumn<QStringList>("texts"); // caption, then name=text
        QTest::newRow("updates") << false
                                 << QStringList{"Runnelex Updates",
                                                "Label1=For free updates to Runnelex, visit",
                                                "Label3=https://www.kelvara.example/",
                                                "Label2=Pending Enhancements:",
                                                "Label4=Square Pipe Support",
                                                "Label5=Reports across Ranges of Values"};
        QTest::newRow("maker")
            << true
            << QStringList{
                   "Dialog Caption",
                   "Label3=Please visit https://www.kelvara.example/ for more information."};
    }
    void noticesAreSingleAndCloseHides() {
        QFETCH(bool, maker);
        QFETCH(QStringList, texts);
        const auto open = [&]() -> QWidget* {
            if (maker) {
                info_->mnuKelvara_Click();
                return info_->makerWindow();
            }
            info_->mnuRunnelex_Updates_Click();
            return info_->updatesWindow();
        };
        QPointer<QWidget> first = open();
        QVERIFY(first);
        checkInfoFrame(first, owner_.get());
        QCOMPARE(first->windowTitle(), texts.takeFirst());
        for (const QString& t : texts)
            QCOMPARE(labelText(first, qPrintable(t.section('=', 0, 0))), t.section('=', 1));
        if (maker) {
            QCOMPARE(first->findChild<QLabel*>("Image1")->pixmap().size(), QSize(240, 180));
            QVERIFY(labelText(first, "Label1").contains("Kelvara"));
            QVERIFY(labelText(first, "Label2").contains("Kelvara"));
        }
        QCOMPARE(open(), first.data());
        QCOMPARE(owner_->findChildren<InfoDialog*>().size(), 1);

        auto* ok = first->findChild<QPushButton*>("OKButton");
        QVERIFY(ok && ok->isHidden());
        QCOMPARE(ok->text(), "OK");
        ok->click();
        QVERIFY(first->isVisible());
        auto* close = first->findChild<QPushButton*>("CancelButton");
        QCOMPARE(close->text(), "Close");
        close->click();
        flushDeletes();
        QVERIFY(first && !first->isVisible());
        QCOMPARE(open(), first.data());
        QVERIFY(first->isVisible());
        QTest::keyClick(first, Qt::Key_Escape);
        flushDeletes();
        QVERIFY(first && !first->isVisible());
        QCOMPARE(open(), first.data());
        QVERIFY(boxes_.shown.empty());
    }

    void helpRequestIsSilent() {
        info_->mnuHelp4Runnelex_Click();
        QCOMPARE(help_.requests.size(), 1u);
        QCOMPARE(help_.requests[0], owner_.get());
        QVERIFY(boxes_.shown.empty());
        QVERIFY(!info_->aboutWindow());
    }

    void windowsGoWithTheirMenu() {
        info_->mnuAbout_Runnelex_Click();
        info_->mnuRunnelex_Updates_Click();
        info_->mnuKelvara_Click();
        QCOMPARE(owner_->findChildren<InfoDialog*>().size(), 3);
        info_.reset();
        QCOMPARE(owner_->findChildren<InfoDialog*>().size(), 0);
    }
};

QTEST_MAIN(InfoWindowsTest)
#include "info_windows_test.moc"
