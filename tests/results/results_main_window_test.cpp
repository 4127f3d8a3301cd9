// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "fakes.h"
#include "info/info_menu.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/qt_save_dialog.h"
#include "results/record.h"
#include "test_files.h"
#include "ui/main/frm_runnelex.h"

namespace runnelex {

using test::filesBelow;

namespace {
const QString kWorked = "\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t"
                        "15.9965\t17.1993"; // the worked example's record after the name
const QStringList kLogControls = {"lblSaveWhen", "cmdSaveNow",     "chkSaveAlways",
                                  "txtPipeID",   "lblLogPipeName", "Label16"};

struct NoInfoMenu final : InfoMenu {
    void mnuHelp4Runnelex_Click() override {}
    void mnuAbout_Runnelex_Click() override {}
    void mnuRunnelex_Updates_Click() override {}
    void mnuKelvara_Click() override {}
};

} // namespace

// The real main window recording into the real results window, saving through the real dialog.
class ResultsMainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir configHome_, folder_;
    test::RecordingMessageBoxes boxes_;
    QtSaveDialog dialog_;
    NoInfoMenu info_;
    std::unique_ptr<ModResults> mod_;
    std::unique_ptr<FrmRunnelex> main_;

    template <typename T = QWidget> T* get(const char* name) {
        T* w = main_->findChild<T*>(QString::fromUtf8(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void click(const char* name) { QTest::mouseClick(get(name), Qt::LeftButton); }
    // As a user would: the main window comes to the front before the typing.
    bool activateMain() {
        main_->activateWindow();
        return QTest::qWaitForWindowActive(main_.get());
    }
    void enterWorkedExample() { // four runs: a unit and three boxes
        QVERIFY(activateMain());
        QTest::keyClick(get<QComboBox>("cmbUnSlope"), Qt::Key_Down);
        for (const auto& [box, typed] :
             {std::pair{"txtDiam", "24"}, {"txtSlope", "0.5"}, {"txtQinput", "10"}}) {
            QTest::keyClicks(get(box), typed);
            QTest::keyClick(get(box), Qt::Key_Return);
        }
    }
    QString resultsText() { return mod_->window()->boxText(); }
    QStringList enabledLogControls() {
        QStringList on;
        for (const QString& name : kLogControls)
            if (get(name.toUtf8().constData())->isEnabled())
                on << name;
        return on;
    }
    void clickInResults(const char* name) {
        mod_->window()->findChild<QPushButton*>(QString::fromUtf8(name))->click();
    }
    // Runs `act` on the file dialog once it is open.
    static void whenOpen(std::function<void(QFileDialog&)> act) {
        QTimer::singleShot(0, qApp, [act] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no file dialog open");
            act(*dialog);
        });
    }

private slots:
    void initTestCase() {
        QVERIFY(configHome_.isValid() && folder_.isValid());
        // Where Qt would keep the dialog's history if nothing stopped it.
        qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit());
    }
    void init() {
        mod_ = std::make_unique<ModResults>(boxes_, dialog_);
        main_ = std::make_unique<FrmRunnelex>(boxes_, *mod_, info_, [] {});
        main_->show();
        QVERIFY(activateMain());
    }
    void cleanup() {
        main_.reset();
        mod_.reset();
        QVERIFY(boxes_.shown.empty());
    }

    void workedExampleRecordedWithNowAndSaved() {
        click("cmdSaveLog");
        QCOMPARE(enabledLogControls(), kLogControls.mid(0, 5));
        enterWorkedExample();
        QTest::keyClicks(get("txtPipeID"), "P1");
        click("cmdSaveNow");
        QCOMPARE(get<QLineEdit>("txtPipeID")->text(), QString());
        const QString saved = QString::fromStdString(record::headerLine()) + "\nP1" + kWorked;
        QCOMPARE(resultsText(), saved);

        whenOpen([](QFileDialog& d) { d.reject(); });
        clickInResults("cmdSaveResults");
        QCOMPARE(filesBelow(folder_.path()), QStringList());

        SaveDialogRequest seen;
        whenOpen([&](QFileDialog& d) {
            seen = {d.directory().absolutePath(), d.nameFilters(), d.selectedNameFilter(),
                    d.defaultSuffix()};
            QVERIFY(d.testOption(QFileDialog::DontUseNativeDialog));
            d.setDirectory(folder_.path());
            d.selectFile("table");
            static_cast<QDialog&>(d).accept();
        });
        clickInResults("cmdSaveResults");
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(seen.directory,
                 QDir(QDir(docs).exists() ? docs : QDir::homePath()).absolutePath());
        QCOMPARE(seen.nameFilters,
                 QStringList({"tab-separated text file (*.txt)", "All files (*)"}));
        QCOMPARE(seen.selectedNameFilter, seen.nameFilters.front());
        QCOMPARE(seen.defaultSuffix, "txt");
        const QString file = QDir(folder_.path()).filePath("table.txt");
        QCOMPARE(filesBelow(folder_.path()), QStringList{file});
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), saved.toUtf8());
        QCOMPARE(filesBelow(configHome_.path()), QStringList()); // the dialog keeps no history
    }

    // Close turns logging off, "&Always" records into the hidden window, Enable shows the
    // same window; a frame close leaves logging on and the next record reloads it hidden.
    void alwaysRecordsIntoTheHiddenWindowAndFrameCloseReloads() {
        click("cmdSaveLog");
        click("chkSaveAlways");
        QPointer<FrmResults> window = mod_->window();
        clickInResults("cmdClose");
        QCOMPARE(enabledLogControls(), QStringList());
        QVERIFY(get<QCheckBox>("chkSaveAlways")->isChecked());
        enterWorkedExample();
        QVERIFY(!window->isVisible());
        QCOMPARE(mod_->text().recordCount(), 4u);
        QCOMPARE(resultsText().section('\n', -1), kWorked);

        click("cmdSaveLog");
        QCOMPARE(mod_->window(), window.data());
        QVERIFY(window->isVisible());
        QCOMPARE(mod_->text().recordCount(), 5u); // leaving the flow box ran one more
        QCOMPARE(resultsText(), mod_->heldText());

        window->close();
        QCOMPARE(mod_->window(), nullptr);
        QCOMPARE(enabledLogControls(), kLogControls.mid(0, 5));
        click("cmdSaveNow");
        QVERIFY(mod_->window() && !mod_->window()->isVisible());
        QCOMPARE(mod_->text().recordCount(), 6u);
        QCOMPARE(resultsText(), mod_->heldText());
        QVERIFY(resultsText().endsWith(kWorked + "\n" + kWorked));
    }

    // The help page says what the test above shows: Close hides the window and disables the
    // controls, but "Always" goes on recording into the hidden window.
    void helpPageTellsWhatCloseDoes_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<bool>("said");
        QTest::newRow("no longer: Close turns recording off") << "and turns recording off" << false;
        QTest::newRow("Close hides and disables")
            << "Close in the results window hides it and disables Now, Always and the Pipe Name "
               "box"
            << true;
        QTest::newRow("Always goes on")
            << "while Always stays checked, every calculation is still recorded into the hidden "
               "window"
            << true;
        QTest::newRow("the frame's close box")
            << "leaves the recording controls as they are" << true;
    }
    void helpPageTellsWhatCloseDoes() {
        QFETCH(QString, phrase);
        QFETCH(bool, said);
        QFile page(QStringLiteral(RUNNELEX_HELP_PAGE));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text =
            QString::fromUtf8(page.readAll()).remove(QRegularExpression("<[^>]*>")).simplified();
        QCOMPARE(text.contains(phrase), said);
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::ResultsMainWindowTest)
#include "results_main_window_test.moc"
