// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls, start-up state, menus, Tab cycle and access keys, and its side of
// recording against a recording results log.
#include "results/record.h"
#include "ui/main/result_label.h"
#include "window_harness.h"

using namespace runnelex::test;

namespace {

const QStringList kRecordingControls = {"lblSaveWhen", "cmdSaveNow", "chkSaveAlways", "txtPipeID",
                                        "lblLogPipeName"};

// Notes, in order, every enable or disable of the watched controls.
class EnableWatcher : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::EnabledChange)
            changes << (static_cast<QWidget*>(o)->isEnabled() ? "+" : "-") + o->objectName();
        return false;
    }
    QStringList changes;
};

// Every accessible name met walking down from `face`, as a screen reader walks a window.
QStringList heardNames(QAccessibleInterface* face) {
    QStringList names{face->text(QAccessible::Name)};
    for (int i = 0; i < face->childCount(); ++i)
        names << heardNames(face->child(i));
    return names;
}

QStringList prefixed(const QString& sign) {
    return QStringList(kRecordingControls).replaceInStrings(QRegularExpression("^"), sign);
}

// The example record's inputs: 24 in., 0.5 %, n 0.013, 10 cfs.
const QString kP1Steps = QStringLiteral("cmbUnSlope#1;txtDiam=24;txtSlope=0.5;txtQinput=10");
const QString kP1Record = QStringLiteral(
    "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t15.9965\t17.1993");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->showActive());
    }

    void cleanup() { h.reset(); }

    // Every control at start-up: captions, frames, tool tips, unit lists, accessible names, the
    // result labels empty and the recording controls disabled (main_window.controls).
    void startupState() {
        QVERIFY(matchesGoldenFile(controlsText(h->window.get()),
                                  RUNNELEX_TESTS_DIR "/ui/main_window.controls"));
        QCOMPARE(QApplication::focusWidget(), h->get("txtDiam"));
        const runnelex::CalcInputs& in = h->window->calcInputs();
        QCOMPARE(in.ManningN, 0.013);
        QCOMPARE(in.Dims[0], 0.0);
        QCOMPARE(in.Unitflow, std::string("CFS"));
        QVERIFY(!in.DiamInFeet && !in.SlopeInPercent);
        QVERIFY(h->boxes.prompts.isEmpty());
        QVERIFY(h->log.closeHandler);
    }

    // The window keeps its size and layout whatever a run writes; it cannot be maximized. A
    // text longer than its label shows cut with "…", whole in its tool tip; text() and the
    // accessible description keep it whole.
    void fixedWindowAndLongResults() {
        QVERIFY(h->window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(h->window->windowFlags() & Qt::WindowMaximizeButtonHint));
        const auto geometry = [this] {
            QStringList g{
                QStringLiteral("window %1x%2").arg(h->window->width()).arg(h->window->height())};
            for (QWidget* w : h->window->findChildren<QWidget*>())
                if (w->isVisible() && !w->isWindow()) {
                    const QRect r(w->mapTo(h->window.get(), QPoint(0, 0)), w->size());
                    g << QStringLiteral("%1 %2,%3 %4x%5 %6")
                             .arg(w->objectName())
                             .arg(r.x())
                             .arg(r.y())
                             .arg(r.width())
                             .arg(r.height())
                             .arg(h->window->rect().contains(r) ? "" : "outside");
                }
            return g;
        };
        const QStringList before = geometry();
        QCOMPARE(before.filter("outside"), QStringList());
        h->window->resize(h->window->size() * 2);
        QTest::qWait(10);
        QCOMPARE(geometry(), before);
        int cut = 0;
        for (const QString& steps :
             {kWorkedSteps, QStringLiteral("txtSlope!1e40;txtQinput=1.6"),
              QStringLiteral("txtSlope=0.01;txtQinput=4"), QStringLiteral("cmbUnFlo#2")}) {
            h->run(steps);
            QTest::qWait(1);
            QCOMPARE(geometry(), before);
            if (steps.contains("1e40")) // what the record reads
                QCOMPARE(h->text("lblrVnorm"), QStringLiteral("1.63706434476265E+15"));
            for (auto* label : h->window->findChildren<runnelex::ResultLabel*>()) {
                const QString full = label->text();
                QCOMPARE(label->accessibleDescription(), full);
                if (label->fontMetrics().horizontalAdvance(full) <= label->contentsRect().width()) {
                    QCOMPARE(label->shownText(), full);
                    QCOMPARE(label->toolTip(), QString());
                    continue;
                }
                ++cut;
                QVERIFY2(label->shownText().contains(u'…'), qPrintable(label->shownText()));
                QCOMPARE(label->toolTip(), full);
            }
        }
        QVERIFY(cut > 0); // the huge results of a slope of 1e40 do not fit
        QVERIFY(h->window->frameGeometry().width() <= 800);
    }

    // A screen reader hears each box by its caption and each result as its row reads, caption,
    // value and unit, current after every run; walking the window, it meets no lone "=".
    void accessibleNames_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("names");
        QTest::newRow("start") << QString()
                               << "txtDiam=Diameter;txtSlope=Slope;txtQinput=Q (flowrate);txtM=n =;"
                                  "txtPipeID=Pipe Name:;lblrDcr=Dcr, no value;"
                                  "lblrQ050=Q at d/D 0.50, no value";
        QTest::newRow("worked example")
            << kWorkedSteps
            << "lblrVnorm=Vnorm 4.6671 ft/sec;lblrDnorm=Dnorm 0.5359 ft;lblrDoverD=d/D 0.5359;"
               "lblrDcr=Dcr 0.6034 ft;lblrFrNo=Froude# 1.2548;lblrRegime=Regime Supercritical;"
               "lblrAreaW=AreaW 0.4285 sq. ft.;lblrPerimW=PerimW 1.6426 ft.;lblrRh=Rh 0.2609 ft;"
               "lblrQ050=Q at d/D 0.50 1.7814 cfs;lblrV050=V at d/D 0.50 4.5363 ft/sec;"
               "lblrV093=V at d/D 0.93 5.0323 ft/sec;lblrQ100=Q at d/D 1.00 3.5628 cfs;"
               "lblrVfull=V(full) 2.5465 ft/sec;lblrHf=Hydraulic Slope 0.0032 ft/ft";
        QTest::newRow("flow in GPM") << kWorkedSteps + ";cmbUnFlo#2"
                                     << "lblrQ050=Q at d/D 0.50 799.67 gpm;"
                                        "lblrQ100=Q at d/D 1.00 1599.33 gpm";
        QTest::newRow("surcharged") << kWorkedSteps + ";txtQinput=4"
                                    << "lblrDnorm=Dnorm, no value;lblrVnorm=Vnorm, no value;"
                                       "lblrDoverD=d/D 1;lblrRegime=Regime Surcharged!";
    }

    void accessibleNames() {
        QFETCH(QString, steps);
        QFETCH(QString, names);
        h->run(steps);
        for (const QString& pair : names.split(u';')) {
            const QString name = pair.section(u'=', 0, 0);
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(h->get(name));
            QVERIFY2(face, qPrintable(name));
            QCOMPARE(face->text(QAccessible::Name).trimmed(), pair.section(u'=', 1));
        }
        const QStringList heard =
            heardNames(QAccessible::queryAccessibleInterface(h->window.get()));
        QVERIFY(!heard.contains(QStringLiteral("=")));
        for (auto* label : h->window->findChildren<runnelex::ResultLabel*>(
                 QRegularExpression(QStringLiteral("^lblr")))) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
            const QString name = face->text(QAccessible::Name);
            QVERIFY2(heard.contains(name), qPrintable(name));
            QVERIFY2(label->text().isEmpty() ? name.endsWith(", no value")
                                             : name.contains(" " + label->text()),
                     qPrintable(name));
            QCOMPARE(face->role(), QAccessible::StaticText);
            QCOMPARE(face->text(QAccessible::Description), label->text());
        }
    }

    void menus() {
        for (const char* item : {"mnuSaveLogFile", "mnuUnitDefault", "mnuHelp4Runnelex",
                                 "mnuAbout_Runnelex", "mnuRunnelex_Updates", "mnuKelvara"})
            h->get<QAction>(item)->trigger();
        QCOMPARE(h->info.calls, (QStringList{"help", "about", "updates", "kelvara"}));
        QCOMPARE(h->exits, 0);
        // Alt+F, X ends the program at once, asking nothing.
        QTest::keyClick(h->window.get(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(h->get("File")->isVisible());
        QTest::keyClick(h->get("File"), Qt::Key_X);
        QTRY_COMPARE(h->exits, 1);
        QVERIFY(h->boxes.prompts.isEmpty());
    }

    void tabCycle_data() {
        QTest::addColumn<QStringList>("row"); // where the focus starts, then where Tab takes it
        QTest::newRow("forward") << QStringList{"txtDiam", "txtSlope", "txtQinput", "txtM",
                                                "txtDiam"};
        QTest::newRow("backward") << QStringList{"txtDiam", "-txtM", "-txtQinput", "-txtSlope"};
        QTest::newRow("from a unit list") << QStringList{"cmbUnDiam", "txtSlope"};
        QTest::newRow("from the pipe name") << QStringList{"txtPipeID", "txtDiam"};
    }

    void tabCycle() {
        QFETCH(QStringList, row);
        QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton); // enables the pipe name box
        h->get(row[0])->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), h->get(row[0]));
        for (const QString& next : row.mid(1)) {
            const bool back = next.startsWith(u'-');
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(QApplication::focusWidget(), h->get(next.mid(back ? 1 : 0)));
        }
        QVERIFY(h->boxes.prompts.isEmpty()); // empty boxes are silent
    }

    void accessKeys() {
        QTest::keyClicks(h->get("txtDiam"), QStringLiteral("24"));
        for (const auto& [key, list] : {std::pair{Qt::Key_D, "cmbUnDiam"},
                                        {Qt::Key_S, "cmbUnSlope"},
                                        {Qt::Key_Q, "cmbUnFlo"}}) {
            QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), h->get(list));
        }
        // Leaving the box for the list took the diameter in.
        QCOMPARE(h->window->calcInputs().Dims[0], 2.0);
    }

    void loggingSwitch() {
        EnableWatcher watcher;
        for (const QString& name : kRecordingControls + QStringList{"Label16", "cmdSaveLog"})
            h->get(name)->installEventFilter(&watcher);
        h->log.onShow = [&] {
            watcher.changes << "shown";
        };
        // The results window comes first, then the controls in this order.
        QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton);
        QCOMPARE(watcher.changes, QStringList{"shown"} + prefixed("+"));
        // The results window's Close turns logging off in the same order; the check mark stays.
        QTest::mouseClick(h->get("chkSaveAlways"), Qt::LeftButton);
        watcher.changes.clear();
        h->log.closeHandler();
        QCOMPARE(watcher.changes, prefixed("-"));
        QVERIFY(h->get<QCheckBox>("chkSaveAlways")->isChecked());
        // Its access key enables logging again; "(optional)" stays disabled.
        watcher.changes.clear();
        QTest::keyClick(h->window.get(), Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(watcher.changes, QStringList{"shown"} + prefixed("+"));
    }

    // What records, and the pipe name left: keys and clicks after the example's inputs and
    // the name P1; "always" checks "Always" first, "fail" makes the log fail once.
    void recording_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("left");
        const QString p1 = kP1Record, auto1 = kP1Record.mid(2);
        QTest::newRow("Now empties the name") << "now" << QStringList{p1} << "";
        QTest::newRow("Now by its access key") << "alt+w" << QStringList{p1} << "";
        QTest::newRow("Enter keeps the name") << "enter" << QStringList{p1} << "P1";
        QTest::newRow("Enter twice records twice") << "enter enter" << QStringList{p1, p1} << "P1";
        QTest::newRow("keypad Enter") << "keypad" << QStringList{p1} << "P1";
        QTest::newRow("Ctrl+Enter records nothing") << "ctrl+enter" << QStringList{} << "P1";
        // With "Always" each run empties the name, then records, also with the window closed.
        QTest::newRow("Always records each run")
            << "always close run" << QStringList{auto1, auto1} << "";
        QTest::newRow("a rejected entry records nothing")
            << "always reject" << QStringList{} << "P1";
        // A failed append is reported; the window goes on and the next record goes through.
        QTest::newRow("failed append") << "fail enter enter" << QStringList{p1} << "P1";
    }

    void recording() {
        QFETCH(QString, steps);
        h->run(kP1Steps);
        QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton);
        QWidget* name = h->get("txtPipeID");
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClicks(name, QStringLiteral("P1"));
        for (const QString& t : steps.split(u' ')) {
            if (t == "now")
                QTest::mouseClick(h->get("cmdSaveNow"), Qt::LeftButton);
            else if (t == "alt+w")
                QTest::keyClick(name, Qt::Key_W, Qt::AltModifier);
            else if (t == "keypad")
                QTest::keyClick(name, Qt::Key_Enter, Qt::KeypadModifier);
            else if (t == "always")
                QTest::mouseClick(h->get("chkSaveAlways"), Qt::LeftButton);
            else if (t == "close")
                h->log.closeHandler();
            else if (t == "run")
                h->run("txtSlope=0.5;txtQinput=10");
            else if (t == "reject")
                h->run("txtDiam=0");
            else if (t == "fail")
                h->log.failWith = "No space left on device";
            else
                QTest::keyClick(name, Qt::Key_Return,
                                t == "enter" ? Qt::NoModifier : Qt::ControlModifier);
            if (t != "fail")
                h->log.failWith.clear();
        }
        QFETCH(QStringList, records);
        QTRY_COMPARE(h->log.records, records);
        QTEST(h->text("txtPipeID"), "left");
        const bool failed = steps.startsWith("fail"), rejected = steps.contains("reject");
        QCOMPARE(h->boxes.prompts,
                 failed     ? QStringList{"Unable to Append to File  (No space left on device)"}
                 : rejected ? QStringList{"Diameter must be a positive real number."}
                            : QStringList());
    }

    // A right-click in the results opens a menu (the window's own menus stay as they are):
    // Copy gives the value under the pointer, elsewhere every result; Copy Record the record
    // of what is shown, after its header line.
    void copyMenu() {
        h->run(kP1Steps);
        const auto copied = [this](const QString& on, QPoint at, const char* action) {
            QWidget* w = h->get(on);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
            QApplication::sendEvent(w, &event);
            auto* menu = h->window->findChild<QMenu*>("mnuResultCopy");
            if (menu == nullptr)
                return QStringLiteral("no menu");
            menu->findChild<QAction*>(action)->trigger();
            delete menu;
            return QApplication::clipboard()->text();
        };
        const QPoint inside(2, 2);
        QCOMPARE(copied("lblrDnorm", inside, "mnuCopyResult"), QStringLiteral("1.1457"));
        QCOMPARE(copied("lblrQ100", inside, "mnuCopyRecord"),
                 QString::fromStdString(runnelex::record::headerLine()) + u'\n' + kP1Record.mid(2));
        const QString all =
            copied("fraNormal", QPoint(3, h->get("fraNormal")->height() - 3), "mnuCopyResult");
        QVERIFY2(all.contains("Vnorm 5.373 ft/sec\nDnorm 1.1457 ft\n"), qPrintable(all));
    }

private:
    std::unique_ptr<WindowHarness> h;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
