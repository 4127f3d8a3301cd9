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
    FakeMessageBoxes boxes_;
    std::unique_ptr<InfoWindows> info_;

private slots:
    void init() {
        owner_ = std::make_unique<QWidget>();
        owner_->show();
        boxes_ = {};
        help_.requests.clear();
        info_ = std::make_unique<InfoWindows>(boxes_, registry_, programs_, help_);
        info_->setOwner(owner_.get());
    }
    void cleanup() {
        info_.reset();
        owner_.reset();
    }

    // Its controls and texts (about.controls); a visible window is only brought forward.
    void aboutLoadsItsTexts() {
        info_->mnuAbout_Runnelex_Click();
        frmAboutRunnelex* about = info_->aboutWindow();
        QVERIFY(about);
        checkInfoFrame(about, owner_.get());
        QVERIFY(matchesGoldenFile(controlsText(about), RUNNELEX_TESTS_DIR "/info/about.controls"));
        QVERIFY(about->findChild<QPushButton*>("cmdOK")->isDefault());
        QVERIFY(!about->findChild<QLabel*>("picIcon")->pixmap().isNull());
        info_->mnuAbout_Runnelex_Click();
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
        QVERIFY(matchesGoldenFile(controlsText(second), RUNNELEX_TESTS_DIR "/info/about.controls"));
    }

    // Single instances (updates.controls, maker.controls): "Close" (or Escape) hides, the
    // hidden OK button does nothing.
    void noticesAreSingleAndCloseHides_data() {
        QTest::addColumn<bool>("maker");
        QTest::newRow("updates") << false;
        QTest::newRow("maker") << true;
    }
    void noticesAreSingleAndCloseHides() {
        QFETCH(bool, maker);
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
        QVERIFY(matchesGoldenFile(controlsText(first), RUNNELEX_TESTS_DIR "/info/" +
                                                           QString(maker ? "maker" : "updates") +
                                                           ".controls"));
        if (maker)
            QCOMPARE(first->findChild<QLabel*>("Image1")->pixmap().size(), QSize(240, 180));
        QCOMPARE(open(), first.data());
        QCOMPARE(owner_->findChildren<InfoDialog*>().size(), 1);
        first->findChild<QPushButton*>("OKButton")->click();
        QVERIFY(first->isVisible());
        first->findChild<QPushButton*>("CancelButton")->click();
        flushDeletes();
        QVERIFY(first && !first->isVisible());
        QCOMPARE(open(), first.data());
        QVERIFY(first->isVisible());
        QTest::keyClick(first, Qt::Key_Escape);
        flushDeletes();
        QVERIFY(first && !first->isVisible());
        QCOMPARE(open(), first.data());
        QVERIFY(boxes_.prompts.isEmpty());
    }

    void helpRequestIsSilent() {
        info_->mnuHelp4Runnelex_Click();
        QCOMPARE(help_.requests.size(), 1u);
        QCOMPARE(help_.requests[0], owner_.get());
        QVERIFY(boxes_.prompts.isEmpty());
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
