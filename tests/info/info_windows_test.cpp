#include <QApplication>
#include <QLabel>
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

QString labelText(QWidget* window, const QString& name) {
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
    QVERIFY(!window->isModal());
    QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->size(), window->minimumSize());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

} // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void aboutLoadsTexts_data();
    void aboutLoadsTexts();
    void aboutButtonsAndPicture();
    void aboutUnloadsAndReloads_data();
    void aboutUnloadsAndReloads();
    void aboutShownTwiceIsOneWindow();
    void aboutSystemInfoUnavailable();
    void notices_data();
    void notices();
    void singleInstanceCloseHides_data();
    void singleInstanceCloseHides();
    void makerPicture();
    void helpRequestIsSilent();
    void windowsGoWithTheirMenu();

private:
    QWidget* owner_ = nullptr;
    FakeRegistry* registry_ = nullptr;
    FakeProgramHost* programs_ = nullptr;
    FakeHelpViewer* help_ = nullptr;
    RecordingMessageBoxes* boxes_ = nullptr;
    InfoWindows* info_ = nullptr;
};

void InfoWindowsTest::init() {
    owner_ = new QWidget;
    owner_->show();
    registry_ = new FakeRegistry;
    programs_ = new FakeProgramHost;
    help_ = new FakeHelpViewer;
    boxes_ = new RecordingMessageBoxes;
    info_ = new InfoWindows(*boxes_, *registry_, *programs_, *help_);
    info_->setOwner(owner_);
}

void InfoWindowsTest::cleanup() {
    delete info_;
    delete owner_;
    delete boxes_;
    delete help_;
    delete programs_;
    delete registry_;
}

void InfoWindowsTest::aboutLoadsTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("lblTitle") << "lblTitle"
                              << "Runnelex";
    QTest::newRow("lblVersion") << "lblVersion"
                                << "Version 1.0.2";
    QTest::newRow("lblDescription")
        << "lblDescription"
        << "Runnelex is a free Manning's \"hydraulic wheel,\" calculating normal flow, capacity, "
           "and surcharge information.  Calculations can be be saved to spreadsheet-ready "
           "tab-delimited text file.  ";
    QTest::newRow("Label1")
        << "Label1"
        << "Warning: ...  Use of any program without personally verifying the validity of its "
           "results is unwise.  Runnelex was designed to automate the iterative calculation for "
           "normal depth.  Please verify design numbers with a spreadsheet or other program "
           "whose numbers you have verified.";
    QTest::newRow("Label2")
        << "Label2"
        << "Runnelex is written and updated by Kelvara, a Civil Engineering Training and "
           "Services company.  Your comments and suggestions for additional features are "
           "appreciated:  runnelex@kelvara.example";
    QTest::newRow("Label3")
        << "Label3"
        << "Please visit https://www.kelvara.example/ for updates and other workflow tools.";
    QTest::newRow("Label4") << "Label4"
                            << "Beta!  Beta!  Beta!";
    QTest::newRow("lblDisclaimer")
        << "lblDisclaimer"
        << "Warning: ...  By clicking any button or pressing any key, the user acknowleges that "
           "this software has not been fully certified and that all numbers are subject to "
           "error.";
}

void InfoWindowsTest::aboutLoadsTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    info_->mnuAbout_Runnelex_Click();
    frmAboutRunnelex* about = info_->aboutWindow();
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("About Runnelex"));
    QCOMPARE(labelText(about, name), text);
}

void InfoWindowsTest::aboutButtonsAndPicture() {
    info_->mnuAbout_Runnelex_Click();
    frmAboutRunnelex* about = info_->aboutWindow();
    QVERIFY(about);
    checkInfoFrame(about, owner_);
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    auto* sysInfo = about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    QVERIFY(ok && sysInfo);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(sysInfo->text(), QStringLiteral("&System Info..."));
    QCOMPARE(about->findChildren<QFrame*>(QStringLiteral("Line1")).size(), 2);
    auto* icon = about->findChild<QLabel*>(QStringLiteral("picIcon"));
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());
    QVERIFY(owner_->isEnabled());
}

void InfoWindowsTest::aboutUnloadsAndReloads_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("OK button") << 0;
    QTest::newRow("Enter on the default button") << 1;
    QTest::newRow("Escape") << 2;
    QTest::newRow("window close") << 3;
}

void InfoWindowsTest::aboutUnloadsAndReloads() {
    QFETCH(int, way);
    info_->mnuAbout_Runnelex_Click();
    QPointer<frmAboutRunnelex> first = info_->aboutWindow();
    QVERIFY(first);
    // Texts changed behind the window's back must not survive an unload.
    first->findChild<QLabel*>(QStringLiteral("lblTitle"))->setText(QStringLiteral("stale"));
    first->findChild<QLabel*>(QStringLiteral("lblVersion"))->setText(QStringLiteral("stale"));
    first->setWindowTitle(QStringLiteral("stale"));

    switch (way) {
    case 0:
        first->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        break;
    case 1:
        QTest::keyClick(first, Qt::Key_Return);
        break;
    case 2:
        QTest::keyClick(first, Qt::Key_Escape);
        break;
    default:
        first->close();
        break;
    }
    flushDeletes();
    QVERIFY(first.isNull());
    QVERIFY(info_->aboutWindow() == nullptr);

    info_->mnuAbout_Runnelex_Click();
    frmAboutRunnelex* second = info_->aboutWindow();
    QVERIFY(second);
    QVERIFY(second->isVisible());
    QCOMPARE(second->windowTitle(), QStringLiteral("About Runnelex"));
    QCOMPARE(labelText(second, QStringLiteral("lblTitle")), QStringLiteral("Runnelex"));
    QCOMPARE(labelText(second, QStringLiteral("lblVersion")), QStringLiteral("Version 1.0.2"));
}

void InfoWindowsTest::aboutShownTwiceIsOneWindow() {
    info_->mnuAbout_Runnelex_Click();
    frmAboutRunnelex* first = info_->aboutWindow();
    info_->mnuAbout_Runnelex_Click();
    QCOMPARE(info_->aboutWindow(), first);
    QCOMPARE(owner_->findChildren<frmAboutRunnelex*>().size(), 1);
}

void InfoWindowsTest::aboutSystemInfoUnavailable() {
    info_->mnuAbout_Runnelex_Click();
    frmAboutRunnelex* about = info_->aboutWindow();
    about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
    QCOMPARE(boxes_->shown.size(), 1u);
    QCOMPARE(boxes_->shown[0].prompt,
             QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(boxes_->shown[0].parent, about);
    QVERIFY(programs_->started.isEmpty());
    flushDeletes();
    QCOMPARE(info_->aboutWindow(), about); // the window stays open
    QVERIFY(about->isVisible());
}

void InfoWindowsTest::notices_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("updates caption") << 0 << ""
                                     << "Runnelex Updates";
    QTest::newRow("updates Label1") << 0 << "Label1"
                                    << "For free updates to Runnelex, visit";
    QTest::newRow("updates Label3") << 0 << "Label3"
                                    << "https://www.kelvara.example/";
    QTest::newRow("updates Label2") << 0 << "Label2"
                                    << "Pending Enhancements:";
    QTest::newRow("updates Label4") << 0 << "Label4"
                                    << "Square Pipe Support";
    QTest::newRow("updates Label5") << 0 << "Label5"
                                    << "Reports across Ranges of Values";
    QTest::newRow("maker caption") << 1 << ""
                                   << "Dialog Caption";
    QTest::newRow("maker Label3")
        << 1 << "Label3"
        << "Please visit https://www.kelvara.example/ for more information.";
}

void InfoWindowsTest::notices() {
    QFETCH(int, window);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QWidget* shown = nullptr;
    if (window == 0) {
        info_->mnuRunnelex_Updates_Click();
        shown = info_->updatesWindow();
    } else {
        info_->mnuKelvara_Click();
        shown = info_->makerWindow();
    }
    QVERIFY(shown);
    QCOMPARE(name.isEmpty() ? shown->windowTitle() : labelText(shown, name), text);
}

void InfoWindowsTest::singleInstanceCloseHides_data() {
    QTest::addColumn<int>("window");
    QTest::newRow("updates") << 0;
    QTest::newRow("maker") << 1;
}

void InfoWindowsTest::singleInstanceCloseHides() {
    QFETCH(int, window);
    const auto open = [&]() -> QWidget* {
        if (window == 0) {
            info_->mnuRunnelex_Updates_Click();
            return info_->updatesWindow();
        }
        info_->mnuKelvara_Click();
        return info_->makerWindow();
    };
    QPointer<QWidget> first = open();
    QVERIFY(first);
    checkInfoFrame(first, owner_);
    QCOMPARE(open(), first.data());
    QCOMPARE(owner_->findChildren<InfoDialog*>().size(), 1);

    auto* ok = first->findChild<QPushButton*>(QStringLiteral("OKButton"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isHidden());
    ok->click();
    QVERIFY(first->isVisible());

    auto* close = first->findChild<QPushButton*>(QStringLiteral("CancelButton"));
    QVERIFY(close);
    QCOMPARE(close->text(), QStringLiteral("Close"));
    close->click();
    flushDeletes();
    QVERIFY(first);
    QVERIFY(!first->isVisible());

    QCOMPARE(open(), first.data());
    QVERIFY(first->isVisible());
    QTest::keyClick(first, Qt::Key_Escape);
    flushDeletes();
    QVERIFY(first);
    QVERIFY(!first->isVisible());
    QCOMPARE(open(), first.data());
    QVERIFY(boxes_->shown.empty());
}

void InfoWindowsTest::makerPicture() {
    info_->mnuKelvara_Click();
    auto* image = info_->makerWindow()->findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(image);
    QCOMPARE(image->pixmap().size(), QSize(240, 180));
    for (const char* name : {"Label1", "Label2"}) {
        QVERIFY(labelText(info_->makerWindow(), QString::fromLatin1(name)).contains("Kelvara"));
    }
}

void InfoWindowsTest::helpRequestIsSilent() {
    info_->mnuHelp4Runnelex_Click();
    QCOMPARE(help_->requests.size(), 1u);
    QCOMPARE(help_->requests[0], owner_);
    QVERIFY(boxes_->shown.empty());
    QVERIFY(info_->aboutWindow() == nullptr);
}

void InfoWindowsTest::windowsGoWithTheirMenu() {
    info_->mnuAbout_Runnelex_Click();
    info_->mnuRunnelex_Updates_Click();
    info_->mnuKelvara_Click();
    QCOMPARE(owner_->findChildren<InfoDialog*>().size(), 3);
    delete info_;
    info_ = nullptr;
    QCOMPARE(owner_->findChildren<InfoDialog*>().size(), 0);
}

QTEST_MAIN(InfoWindowsTest)
#include "info_windows_test.moc"
