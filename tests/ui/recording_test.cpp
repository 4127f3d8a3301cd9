// The main window's side of recording: the logging switch, the three triggers and the failure
// message, against a recording results log.
#include <QCheckBox>
#include <QtTest>

#include "window_harness.h"

using runnelex::test::WindowHarness;

namespace {

// Notes, in order, every enable or disable of the watched controls.
class EnableWatcher : public QObject {
public:
    explicit EnableWatcher(const QList<QWidget*>& watched) {
        for (QWidget* w : watched)
            w->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::EnabledChange) {
            auto* w = static_cast<QWidget*>(o);
            changes << (w->isEnabled() ? "+" : "-") + w->objectName();
        }
        return false;
    }
    QStringList changes;
};

const QStringList kRecordingControls = {"lblSaveWhen", "cmdSaveNow", "chkSaveAlways", "txtPipeID",
                                        "lblLogPipeName"};

QStringList prefixed(const QString& sign) {
    QStringList out;
    for (const QString& name : kRecordingControls)
        out << sign + name;
    return out;
}

// The inputs of the example record: P1, 10 cfs, 24 in., 0.5 %, n 0.013.
const QStringList kP1Steps = {"cmbUnSlope#1", "txtDiam=24", "txtSlope=0.5", "txtQinput=10"};
const std::string kP1Tail =
    "10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t15.9965\t17.1993";

} // namespace

class RecordingTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->showActive());
    }
    void cleanup() { h.reset(); }

    void loggingSwitch();
    void triggers_data();
    void triggers();
    void automaticRecords_data();
    void automaticRecords();
    void alwaysKeepsRecordingAfterClose();
    void appendFailure();

private:
    QList<QWidget*> watched() const {
        QList<QWidget*> out;
        for (const QString& name : kRecordingControls + QStringList{"Label16", "cmdSaveLog"})
            out << h->get(name);
        return out;
    }
    std::unique_ptr<WindowHarness> h;
};

void RecordingTest::loggingSwitch() {
    EnableWatcher watcher(watched());
    bool disabledWhenShown = false;
    h->log.onShow = [&] {
        disabledWhenShown = !h->get("cmdSaveNow")->isEnabled();
    };
    QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton);
    QCOMPARE(h->log.shows, 1);
    QVERIFY(disabledWhenShown); // the window is shown first, then the controls are enabled
    QCOMPARE(watcher.changes, prefixed("+"));

    // The results window's Close turns logging off in the same order; the check mark stays.
    QTest::mouseClick(h->get("chkSaveAlways"), Qt::LeftButton);
    watcher.changes.clear();
    QVERIFY(h->log.closeHandler);
    h->log.closeHandler();
    QCOMPARE(watcher.changes, prefixed("-"));
    QVERIFY(h->get<QCheckBox>("chkSaveAlways")->isChecked());

    // Enabling again shows the window again.
    watcher.changes.clear();
    QTest::keyClick(h->window.get(), Qt::Key_L, Qt::AltModifier);
    QTRY_COMPARE(h->log.shows, 2); // an access key clicks the button a moment later
    QCOMPARE(watcher.changes, prefixed("+"));
    QVERIFY(!h->get("Label16")->isEnabled());
    QVERIFY(h->get("cmdSaveLog")->isEnabled());
}

void RecordingTest::triggers_data() {
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("nameAfter");
    QTest::newRow("Now empties the name") << "now" << 1 << "";
    QTest::newRow("Now by its access key") << "alt+w" << 1 << "";
    QTest::newRow("Enter keeps the name") << "enter" << 1 << "P1";
    QTest::newRow("Enter twice records twice") << "enter enter" << 2 << "P1";
    QTest::newRow("keypad Enter") << "keypad" << 1 << "P1";
    QTest::newRow("Ctrl+Enter records nothing") << "ctrl+enter" << 0 << "P1";
}

void RecordingTest::triggers() {
    QFETCH(QString, trigger);
    QFETCH(int, records);
    QFETCH(QString, nameAfter);
    h->run(kP1Steps);
    QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton);
    QTest::mouseClick(h->get("txtPipeID"), Qt::LeftButton);
    QTest::keyClicks(h->get("txtPipeID"), QStringLiteral("P1"));
    QWidget* name = h->get("txtPipeID");
    for (const QString& t : trigger.split(u' ')) {
        if (t == "now")
            QTest::mouseClick(h->get("cmdSaveNow"), Qt::LeftButton);
        else if (t == "alt+w")
            QTest::keyClick(name, Qt::Key_W, Qt::AltModifier);
        else if (t == "enter")
            QTest::keyClick(name, Qt::Key_Return);
        else if (t == "keypad")
            QTest::keyClick(name, Qt::Key_Enter, Qt::KeypadModifier);
        else if (t == "ctrl+enter")
            QTest::keyClick(name, Qt::Key_Return, Qt::ControlModifier);
    }
    QTRY_COMPARE(int(h->log.records.size()), records);
    for (const std::string& r : h->log.records)
        QCOMPARE(r, "P1\t" + kP1Tail);
    QCOMPARE(h->text("txtPipeID"), nameAfter);
    QVERIFY(h->boxes.prompts.isEmpty());
}

// With "Always" each run empties the name and records.
void RecordingTest::automaticRecords_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("one entry") << kP1Steps << QStringList{"txtM=0.013"}
                               << QStringList{QString::fromStdString("\t" + kP1Tail)};
    QTest::newRow("surcharged leaves result fields empty")
        << QStringList{"txtDiam=12", "txtSlope=0.01"} << QStringList{"txtQinput=4"}
        << QStringList{"\t4\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307"};
    QTest::newRow("inputs missing still record")
        << QStringList{} << QStringList{"cmbUnDiam#1"}
        << QStringList{"\t\tCFS\t\tft.\t\tft/ft\t0.013\t\t\t\t\t\t"};
    QTest::newRow("rejected entry records nothing")
        << QStringList{} << QStringList{"txtM=0"} << QStringList{};
}

void RecordingTest::automaticRecords() {
    QFETCH(QStringList, setup);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, records);
    h->run(setup);
    h->enableLoggingAndAlways();
    h->get<QLineEdit>("txtPipeID")->setText(QStringLiteral("typed name"));
    h->log.records.clear();
    h->run(steps);
    QStringList got;
    for (const std::string& r : h->log.records)
        got << QString::fromStdString(r);
    QCOMPARE(got, records);
    QCOMPARE(h->text("txtPipeID"), records.isEmpty() ? QStringLiteral("typed name") : QString());
}

void RecordingTest::alwaysKeepsRecordingAfterClose() {
    h->enableLoggingAndAlways();
    h->log.closeHandler();
    QVERIFY(!h->get("txtPipeID")->isEnabled());
    h->run({"txtDiam=12", "txtSlope=0.01", "txtQinput=2"});
    QCOMPARE(int(h->log.records.size()), 3);
    QCOMPARE(h->log.records.back(),
             std::string("\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t0.5359\t4.6671\t1.2548\t0.6034"
                         "\t3.5628\t3.8307"));
}

void RecordingTest::appendFailure() {
    h->run(kP1Steps);
    QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton);
    h->get<QLineEdit>("txtPipeID")->setText(QStringLiteral("P1"));
    h->log.failWith = "No space left on device";
    QTest::mouseClick(h->get("cmdSaveNow"), Qt::LeftButton);
    QCOMPARE(h->boxes.prompts, QStringList{"Unable to Append to File  (No space left on device)"});
    QVERIFY(h->log.records.empty());
    // The window stays usable and the next record goes through.
    h->log.failWith.clear();
    h->get<QLineEdit>("txtPipeID")->setText(QStringLiteral("P1"));
    QTest::keyClick(h->get("txtPipeID"), Qt::Key_Return);
    QCOMPARE(h->log.records.size(), std::size_t(1));
}

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"
