// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls, start-up state, menus, Tab cycle and access keys, and its side of
// recording against a recording results log.
#include "ui/main/result_label.h"
#include "window_harness.h"

using namespace runnelex::test;

namespace {

// Every control's layout text; then the tool tips, which no other control has.
const QString kTexts = QStringLiteral(
    "fraInput=Required Input;fraDiameter=&Diameter;fraSlope=&Slope;fraQtarget=&Q (flowrate);"
    "fraCapacities=Capacities;fraNormal=Normal Results;fraLogFile=Calculation Log File;"
    "lblM=n = ;txtM=0.013;txtDiam=;cmbUnDiam=in.;txtSlope=;cmbUnSlope=ft/ft;txtQinput=;"
    "cmbUnFlo=CFS;lbldDcap=d/D;lblCapQ=Q(cfs);lblCapV=V(fps);lbldD050=0.50;lbldD075=0.75;"
    "lbldD093=0.93;lbldD100=1.00;lblVnorm=Vnorm;lblrVnormUnits=ft/sec;lblDnorm=Dnorm;"
    "lblrDnormUnit=ft;lblDoverD=d/D;lblDcr=Dcr;lbluDcr=ft;lblFr=Froude#;lblRegime=Regime;"
    "lblAreaW=AreaW;lblrAreaWUnits=sq. ft.;lblPerimW=PerimW;lblrPerimWUnits=ft.;lblRh=Rh;"
    "lblrRhUnits=ft;Label1==;Label2==;Label3==;Label5==;Label6==;Label7==;Label8==;Label9==;"
    "Label10==;Label11==;Label12==;Label4=;lblFullCondition=If the Pipe were flowing full due to;"
    "lblFullCause=tailwater conditions:;lblVfull=V(full);Label13=ft/sec;lblHf=Hydraulic Slope;"
    "Label14=ft/ft;cmdSaveLog=Enable &Logging...;lblSaveWhen=When to Write:;cmdSaveNow=No&w;"
    "chkSaveAlways=&Always;lblLogPipeName=Pipe Name:;txtPipeID=;Label16=(optional);"
    "Label15=This is a Beta Version.  Numbers are not gauranteed.  Please verify all numbers.;"
    "lblKelvara=Visit www.kelvara.example for updates and other free tools.;File=&File;"
    "mnuSaveLogFile=create &Log File...;mnuExit=E&xit;mnuOptions=&Options;"
    "mnuUnitDefault=save &unit settings as default;mnuHelp=&Help;"
    "mnuHelp4Runnelex=Help for &Runnelex...;mnuAbout_Runnelex=&About Runnelex...;"
    "mnuRunnelex_Updates=Runnelex &Updates...;mnuKelvara=&Kelvara...");
const QString kTips = QStringLiteral(
    "fraLogFile=Controls for Log File;txtM=Key in Manning's n here;"
    "txtDiam=Key in Pipe Diameter here;cmbUnDiam=Select Diameter Unit;txtSlope=Key in Slope here;"
    "cmbUnSlope=Select Slope Unit;txtQinput=Key in Flow Rate here;cmbUnFlo=Select Flow Units;"
    "cmdSaveLog=Click here to open the Results Window;"
    "lblSaveWhen=Choose Auto and/or Manual calc recording;"
    "cmdSaveNow=Click Here to write current calc to Results Window;"
    "chkSaveAlways=When checked, EVERY calculation is sent to the Results Window;"
    "txtPipeID=Name (optional) is saved to file when NOW is clicked;"
    "lblKelvara=visit the Kelvara web site, get free updates, tools & tips");
// Some controls of each frame, then the frame; the unit frames sit inside the input frame.
const QString kFrames = QStringLiteral(
    "fraDiameter fraSlope fraQtarget lblM txtM>fraInput;txtDiam cmbUnDiam>fraDiameter;"
    "txtSlope cmbUnSlope>fraSlope;txtQinput cmbUnFlo>fraQtarget;lblrQ093 Line1 Line2>fraCapacities;"
    "lblrRegime lblrVfull lblFullCondition>fraNormal;txtPipeID Label16 cmdSaveLog>fraLogFile");

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

    void catalogue() {
        QVERIFY(h->shows(kTexts));
        QStringList tipped;
        for (const QString& pair : kTips.split(u';')) {
            tipped << pair.section(u'=', 0, 0);
            QCOMPARE(h->get(tipped.back())->toolTip(), pair.section(u'=', 1));
        }
        for (const QString& pair : kTexts.split(u';'))
            if (auto* w = qobject_cast<QWidget*>(h->get<QObject>(pair.section(u'=', 0, 0))))
                QVERIFY2(tipped.contains(w->objectName()) || w->toolTip().isEmpty(),
                         qPrintable(w->objectName()));
        for (const QString& frame : kFrames.split(u';'))
            for (const QString& name : frame.section(u'>', 0, 0).split(u' ')) {
                QWidget* w = h->get(name)->parentWidget();
                while (w != nullptr && qobject_cast<QGroupBox*>(w) == nullptr)
                    w = w->parentWidget();
                QVERIFY2(w != nullptr && w->objectName() == frame.section(u'>', 1),
                         qPrintable(name));
            }
    }

    void startupState() {
        QCOMPARE(QApplication::focusWidget(), h->get("txtDiam"));
        // No calculation at start: every result is empty.
        QVERIFY(
            h->shows("lblrDnorm=;lblrAreaW=;lblrPerimW=;lblrRh=;lblrVnorm=;lblrDoverD=;lblrFrNo=;"
                     "lblrDcr=;lblrRegime=;lblrQ050=;lblrQ075=;lblrQ093=;lblrQ100=;lblrV050=;"
                     "lblrV075=;lblrV093=;lblrV100=;lblrHf=;lblrVfull="));
        const runnelex::CalcInputs& in = h->window->calcInputs();
        QCOMPARE(in.ManningN, 0.013);
        QCOMPARE(in.DiamFt, 0.0);
        QCOMPARE(in.Unitflow, std::string("CFS"));
        QVERIFY(!in.DiamInFeet && !in.SlopeInPercent);
        QVERIFY(h->get("cmdSaveLog")->isEnabled());
        for (const QString& off : kRecordingControls + QStringList{"Label16"})
            QVERIFY2(!h->get(off)->isEnabled(), qPrintable(off));
        QVERIFY(!h->get<QCheckBox>("chkSaveAlways")->isChecked());
        QVERIFY(h->boxes.prompts.isEmpty());
        QVERIFY(h->log.closeHandler);
    }

    void windowFrame() {
        QCOMPARE(h->window->objectName(), QStringLiteral("frmRunnelex"));
        QCOMPARE(h->window->windowTitle(), QStringLiteral("Runnelex"));
        QVERIFY(h->window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(h->window->windowFlags() & Qt::WindowMaximizeButtonHint));
        const QRect before = h->get("lblrVfull")->geometry();
        const QSize size = h->window->size();
        h->window->resize(size * 2);
        QTest::qWait(10);
        QCOMPARE(h->window->size(), size);
        QCOMPARE(h->get("lblrVfull")->geometry(), before);
        for (QWidget* w : h->window->findChildren<QWidget*>()) {
            const QRect r(w->mapTo(h->window.get(), QPoint(0, 0)), w->size());
            QVERIFY2(!w->isVisible() || w->isWindow() || h->window->rect().contains(r),
                     qPrintable(w->objectName()));
        }
    }

    // No text a run writes moves or resizes anything. A text longer than its label shows cut
    // with "…", whole in its tool tip; text() and the accessible description keep it whole.
    void longResultsMoveNothing() {
        const auto geometry = [this] {
            QStringList g{
                QStringLiteral("window %1x%2").arg(h->window->width()).arg(h->window->height())};
            for (QWidget* w : h->window->findChildren<QWidget*>())
                if (w->isVisible() && !w->isWindow())
                    g << QStringLiteral("%1 %2,%3 %4x%5")
                             .arg(w->objectName())
                             .arg(w->mapTo(h->window.get(), QPoint(0, 0)).x())
                             .arg(w->mapTo(h->window.get(), QPoint(0, 0)).y())
                             .arg(w->width())
                             .arg(w->height());
            return g;
        };
        const QStringList before = geometry();
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
        QVERIFY(!h->get<QAction>("mnuSaveLogFile")->isEnabled());
        QVERIFY(!h->get<QAction>("mnuUnitDefault")->isEnabled());
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
        QCOMPARE(h->window->calcInputs().DiamFt, 2.0);
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

    void triggers_data() {
        QTest::addColumn<QStringList>("row"); // the keys or clicks, the records, the name left
        QTest::newRow("Now empties the name") << QStringList{"now", "1", ""};
        QTest::newRow("Now by its access key") << QStringList{"alt+w", "1", ""};
        QTest::newRow("Enter keeps the name") << QStringList{"enter", "1", "P1"};
        QTest::newRow("Enter twice records twice") << QStringList{"enter enter", "2", "P1"};
        QTest::newRow("keypad Enter") << QStringList{"keypad", "1", "P1"};
        QTest::newRow("Ctrl+Enter records nothing") << QStringList{"ctrl+enter", "0", "P1"};
    }

    void triggers() {
        QFETCH(QStringList, row);
        h->run(kP1Steps);
        QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton);
        QWidget* name = h->get("txtPipeID");
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClicks(name, QStringLiteral("P1"));
        for (const QString& t : row[0].split(u' ')) {
            if (t == "now")
                QTest::mouseClick(h->get("cmdSaveNow"), Qt::LeftButton);
            else if (t == "alt+w")
                QTest::keyClick(name, Qt::Key_W, Qt::AltModifier);
            else if (t == "keypad")
                QTest::keyClick(name, Qt::Key_Enter, Qt::KeypadModifier);
            else
                QTest::keyClick(name, Qt::Key_Return,
                                t == "enter" ? Qt::NoModifier : Qt::ControlModifier);
        }
        QTRY_COMPARE(h->log.records.size(), row[1].toInt());
        QCOMPARE(h->log.records, QStringList(row[1].toInt(), kP1Record));
        QCOMPARE(h->text("txtPipeID"), row[2]);
        QVERIFY(h->boxes.prompts.isEmpty());
    }

    // With "Always" each run empties the name, then records, even after the results window closed.
    void alwaysRecords() {
        h->enableLoggingAndAlways();
        h->log.closeHandler();
        h->get<QLineEdit>("txtPipeID")->setText(QStringLiteral("typed name"));
        h->run("txtDiam=0"); // rejected: no run
        QVERIFY(h->log.records.isEmpty());
        QCOMPARE(h->text("txtPipeID"), QStringLiteral("typed name"));
        h->run(kWorkedSteps);
        QCOMPARE(h->log.records.size(), 3);
        QVERIFY(h->log.records.front().startsWith(u'\t'));
        QCOMPARE(h->log.records.back(),
                 "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t0.5359\t4.6671\t1.2548"
                 "\t0.6034\t3.5628\t3.8307");
        QCOMPARE(h->text("txtPipeID"), QString());
    }

    void appendFailure() {
        h->run(kP1Steps);
        QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton);
        h->log.failWith = "No space left on device";
        QTest::mouseClick(h->get("cmdSaveNow"), Qt::LeftButton);
        QCOMPARE(h->boxes.prompts,
                 QStringList{"Unable to Append to File  (No space left on device)"});
        QVERIFY(h->log.records.isEmpty());
        // The window stays usable and the next record goes through.
        h->log.failWith.clear();
        h->get<QLineEdit>("txtPipeID")->setText(QStringLiteral("P1"));
        QTest::keyClick(h->get("txtPipeID"), Qt::Key_Return);
        QCOMPARE(h->log.records, QStringList{kP1Record});
    }

private:
    std::unique_ptr<WindowHarness> h;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
