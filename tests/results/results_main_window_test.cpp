#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "fake_save_dialog.h"
#include "recording_message_boxes.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/record.h"
#include "ui/main/frm_runnelex.h"
#include "ui/main/info_menu.h"

namespace runnelex {

namespace {
const QString kHeader = QString::fromStdString(record::headerLine());
const QString kWorkedRecord = "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t"
                              "15.9965\t17.1993";
const QStringList kRecordingControls = {"lblSaveWhen", "cmdSaveNow", "chkSaveAlways", "txtPipeID",
                                        "lblLogPipeName"};

class NoInfoMenu final : public InfoMenu {
public:
    void mnuHelp4Runnelex_Click() override {}
    void mnuAbout_Runnelex_Click() override {}
    void mnuRunnelex_Updates_Click() override {}
    void mnuKelvara_Click() override {}
};

// Notes, in order, which watched controls changed their enabled state.
class EnabledOrder final : public QObject {
public:
    QStringList changes;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange)
            changes << watched->objectName();
        return false;
    }
};
} // namespace

// The main window recording into the real results window.
class ResultsMainWindowTest : public QObject {
    Q_OBJECT

    test::RecordingMessageBoxes boxes_;
    test::FakeSaveDialog dialog_;
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
    void enter(const char* box, const QString& typed) {
        auto* w = get<QLineEdit>(box);
        w->clear();
        QTest::keyClicks(w, typed);
        QTest::keyClick(w, Qt::Key_Return);
    }
    void enterWorkedExample() {
        auto* slopeUnit = get<QComboBox>("cmbUnSlope");
        while (slopeUnit->currentIndex() < 1)
            QTest::keyClick(slopeUnit, Qt::Key_Down);
        enter("txtDiam", "24");
        enter("txtSlope", "0.5");
        enter("txtQinput", "10");
    }
    QString resultsText() {
        return mod_->window()
            ->findChild<QPlainTextEdit*>(QStringLiteral("RichTextResults"))
            ->toPlainText();
    }
    QStringList enabledRecordingControls() {
        QStringList on;
        for (const QString& name : kRecordingControls + QStringList{"Label16"})
            if (get(name.toUtf8().constData())->isEnabled())
                on << name;
        return on;
    }

private slots:
    void init() {
        boxes_.shown.clear();
        mod_ = std::make_unique<ModResults>(boxes_, dialog_);
        main_ = std::make_unique<FrmRunnelex>(boxes_, *mod_, info_, [] {});
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    void cleanup() {
        main_.reset();
        mod_.reset();
        QVERIFY(boxes_.shown.empty());
    }

    void loggingSwitchShowsTheWindowAndEnablesInOrder() {
        EnabledOrder order;
        for (const QString& name : kRecordingControls)
            get(name.toUtf8().constData())->installEventFilter(&order);
        QCOMPARE(enabledRecordingControls(), QStringList());
        click("cmdSaveLog");
        QVERIFY(mod_->window() && mod_->window()->isVisible());
        QCOMPARE(resultsText(), FrmResults::startText());
        QCOMPARE(order.changes, kRecordingControls);
        QCOMPARE(enabledRecordingControls(), kRecordingControls);

        order.changes.clear();
        mod_->window()->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
        QVERIFY(!mod_->window()->isVisible());
        QCOMPARE(order.changes, kRecordingControls);
        QCOMPARE(enabledRecordingControls(), QStringList());
    }

    void workedExampleRecordedWithNowAndSaved() {
        click("cmdSaveLog");
        enterWorkedExample();
        QTest::keyClicks(get<QLineEdit>("txtPipeID"), "P1");
        click("cmdSaveNow");
        QCOMPARE(get<QLineEdit>("txtPipeID")->text(), QString());
        QCOMPARE(resultsText(), kHeader + "\n" + kWorkedRecord);

        QTemporaryDir dir;
        dialog_.answers.push_back({dir.filePath("table.txt")});
        mod_->window()->findChild<QPushButton*>(QStringLiteral("cmdSaveResults"))->click();
        QFile file(dir.filePath("table.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), (kHeader + "\n" + kWorkedRecord).toUtf8());
    }

    void enterInThePipeNameRecordsAndKeepsTheName() {
        click("cmdSaveLog");
        enterWorkedExample();
        enter("txtPipeID", "P1");
        QCOMPARE(get<QLineEdit>("txtPipeID")->text(), QStringLiteral("P1"));
        QTest::keyClick(get<QLineEdit>("txtPipeID"), Qt::Key_Return);
        QCOMPARE(resultsText(), kHeader + "\n" + kWorkedRecord + "\n" + kWorkedRecord);
    }

    void alwaysRecordsIntoTheHiddenWindow() {
        click("cmdSaveLog");
        click("chkSaveAlways");
        FrmResults* window = mod_->window();
        window->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
        QVERIFY(get<QCheckBox>("chkSaveAlways")->isChecked());
        enterWorkedExample(); // four runs (a unit, three boxes), each recorded without a name
        QVERIFY(!window->isVisible());
        QCOMPARE(mod_->text().recordCount(), 4u);
        const QString last = resultsText().section('\n', -1);
        QCOMPARE(last, kWorkedRecord.mid(2));

        click("cmdSaveLog");
        QCOMPARE(mod_->window(), window);
        QVERIFY(window->isVisible());
        // Leaving the flow box for the button ran one more calculation.
        QCOMPARE(mod_->text().recordCount(), 5u);
        QCOMPARE(resultsText(), QString::fromStdString(mod_->text().fullText()));
    }

    void frameCloseLeavesLoggingOnAndTheNextRecordReloadsHidden() {
        click("cmdSaveLog");
        enterWorkedExample();
        click("cmdSaveNow");
        mod_->window()->close();
        QCOMPARE(mod_->window(), nullptr);
        QCOMPARE(enabledRecordingControls(), kRecordingControls);
        click("cmdSaveNow");
        QVERIFY(mod_->window() && !mod_->window()->isVisible());
        const QString record = kWorkedRecord.mid(2);
        QCOMPARE(resultsText(), kHeader + "\n" + record + "\n" + record);
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::ResultsMainWindowTest)
#include "results_main_window_test.moc"
