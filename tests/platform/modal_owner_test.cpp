// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program stays in place while a message box or file dialog it shows is in
// its exec(), whatever tries to close it meanwhile; the close is carried out afterwards.
#include <functional>
#include <memory>

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "info/fakes.h"
#include "info/frm_about_runnelex.h"
#include "info/frm_kelvara.h"
#include "info/frm_runnelex_updates.h"
#include "info/info_windows.h"
#include "platform/message_boxes.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/qt_save_dialog.h"
#include "ui/main/frm_runnelex.h"

using namespace runnelex;

namespace {

// How a window is told to close while its modal runs.
void closeWindow(QWidget* window, const QString& way) {
    if (way == "close") {
        window->close(); // a timer or a signal of the program
    } else if (way == "window system") {
        window->windowHandle()->close(); // the title bar's close box
    } else if (way == "deleteLater") {
        window->deleteLater();
    } else { // a button of the window pressed through the accessibility interface
        auto* button = window->findChild<QPushButton*>(way);
        QVERIFY2(button, qPrintable(way));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
        QVERIFY(face && face->actionInterface());
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
}

} // namespace

class ModalOwnerTest : public QObject {
    Q_OBJECT

    test::FakeRegistry registry_;
    test::FakeProgramHost programs_;
    test::FakeHelpViewer help_;
    QtMessageBoxes boxes_;
    QtSaveDialog dialog_;
    std::unique_ptr<ModResults> results_;
    std::unique_ptr<InfoWindows> info_;
    std::unique_ptr<FrmRunnelex> main_;
    int programEnds_ = 0;

    // The window named `owner`, opened as a user opens it.
    QWidget* open(const QString& owner) {
        if (owner == "main")
            return main_.get();
        if (owner == "results") {
            main_->findChild<QPushButton*>("cmdSaveLog")->click();
            return results_->window();
        }
        if (owner == "about") {
            info_->mnuAbout_Runnelex_Click();
            return info_->aboutWindow();
        }
        if (owner == "updates") {
            info_->mnuRunnelex_Updates_Click();
            return info_->updatesWindow();
        }
        info_->mnuKelvara_Click();
        return info_->makerWindow();
    }

    // Opens the window's own modal the way the program does and returns once it has returned.
    void runModal(const QString& owner, QWidget* window) {
        if (owner == "main") {
            auto* diam = main_->findChild<QLineEdit*>("txtDiam");
            diam->setText("0");
            QTest::keyClick(diam, Qt::Key_Return); // "Diameter must be a positive real number."
        } else if (owner == "results") {
            window->findChild<QPushButton*>("cmdSaveResults")->click(); // the file dialog
        } else if (owner == "about") {
            window->findChild<QPushButton*>("cmdSysInfo")->click(); // "... Unavailable ..."
        } else {
            boxes_.show(window, "a message of this window"); // they have none of their own yet
        }
    }

private slots:
    void init() {
        programEnds_ = 0;
        results_ = std::make_unique<ModResults>(boxes_, dialog_);
        info_ = std::make_unique<InfoWindows>(boxes_, registry_, programs_, help_);
        main_ =
            std::make_unique<FrmRunnelex>(boxes_, *results_, *info_, [this] { ++programEnds_; });
        info_->setOwner(main_.get());
        main_->show();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    }
    void cleanup() {
        main_.reset();
        info_.reset();
        results_.reset();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void closedFromInsideItsModal_data() {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("way");
        for (const char* way : {"close", "window system"}) {
            for (const char* owner : {"main", "results", "about", "updates", "maker"})
                QTest::addRow("%s, %s", owner, way) << owner << way;
        }
        QTest::newRow("about, deleteLater") << "about"
                                            << "deleteLater"; // as a reopening does
        QTest::newRow("about, its OK pressed") << "about"
                                               << "cmdOK";
        QTest::newRow("updates, its Close pressed") << "updates"
                                                    << "CancelButton";
        QTest::newRow("maker, its Close pressed") << "maker"
                                                  << "CancelButton";
    }

    void closedFromInsideItsModal() {
        QFETCH(QString, owner);
        QFETCH(QString, way);
        QPointer<QWidget> window = open(owner);
        QVERIFY(window && window->isVisible());
        bool stillThere = false;
        QVERIFY(insideModal([&] { runModal(owner, window); },
                            [&] {
                                closeWindow(window, way);
                                stillThere = window && window->isVisible();
                            }));
        QVERIFY(stillThere);                          // the window waited for its modal
        QTRY_VERIFY(!window || !window->isVisible()); // then the close was carried out
        if (owner == "results" || owner == "about")
            QTRY_VERIFY(!window); // unloaded
        QTRY_COMPARE(programEnds_, owner == "main" ? 1 : 0);
    }

    // Closing a window that holds the one showing the modal also waits: the About window
    // belongs to the main window.
    void ownerOfTheOwnerClosed() {
        QPointer<QWidget> about = open("about");
        bool aboutThere = false;
        QVERIFY(insideModal([&] { runModal("about", about); },
                            [&] {
                                main_->windowHandle()->close();
                                aboutThere = about && about->isVisible() && main_->isVisible();
                            }));
        QVERIFY(aboutThere);
        QTRY_COMPARE(programEnds_, 1);
    }

private:
    // Runs `opener`, which opens a modal and returns after it; `act` runs once from inside the
    // modal's loop. True when the modal opened and something other than this test ended it.
    bool insideModal(const std::function<void()>& opener, const std::function<void()>& act) {
        bool opened = false, answeredByTest = false;
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, this, [&] {
            QWidget* open = QApplication::activeModalWidget();
            if (!open || opened)
                return;
            opened = true;
            act();
            QTimer::singleShot(3000, open, [&answeredByTest, open] {
                answeredByTest = true; // nothing closed the modal
                static_cast<QDialog*>(open)->reject();
            });
        });
        watch.start();
        opener();
        watch.stop();
        if (!opened)
            qWarning("no modal opened");
        if (answeredByTest)
            qWarning("the modal stayed open");
        return opened && !answeredByTest;
    }
};

QTEST_MAIN(ModalOwnerTest)
#include "modal_owner_test.moc"
