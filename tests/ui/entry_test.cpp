// Typing into the main window: the keystroke filter, the entry checks, focus loss, the unit
// lists and the results they produce.
#include <QApplication>
#include <QClipboard>
#include <QListView>
#include <QMenu>
#include <QtTest>

#include "calc/display_run.h"
#include "window_harness.h"

using runnelex::test::WindowHarness;
using runnelex::test::workedExampleLabels;
using runnelex::test::workedExampleSteps;

class EntryTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->showActive());
    }
    void cleanup() { h.reset(); }

    void sequences_data();
    void sequences();
    void keystrokeFilter_data();
    void keystrokeFilter();
    void pasteKeys_data();
    void pasteKeys();
    void rejected_data();
    void rejected();
    void enterThenTab_data();
    void enterThenTab();
    void focusTakenElsewhere_data();
    void focusTakenElsewhere();
    void unitSwitch_data();
    void unitSwitch();
    void unitFromPopup();
    void unitEditFieldChangesNothing();
    void arithmeticFault_data();
    void arithmeticFault();

private:
    std::unique_ptr<WindowHarness> h;
};

// Steps "box=text" type and Enter; "list#index" chooses a unit. Then labels and messages.
void EntryTest::sequences_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("worked example")
        << workedExampleSteps() << workedExampleLabels() << QStringList{};
    QStringList mgd = workedExampleLabels();
    mgd.replaceInStrings("lblrQ050=1.7814", "lblrQ050=1.1515")
        .replaceInStrings("lblrQ075=3.2488", "lblrQ075=2.1001")
        .replaceInStrings("lblrQ093=3.8307", "lblrQ093=2.4762")
        .replaceInStrings("lblrQ100=3.5628", "lblrQ100=2.303")
        .replaceInStrings("Q (cfs)", "Q (mgd)");
    QTest::newRow("MGD") << QStringList{"cmbUnFlo#1", "txtDiam=12", "txtSlope=0.01",
                                        "txtQinput=1.292824822236587"}
                         << mgd << QStringList{};
    QStringList gpm = workedExampleLabels();
    gpm.replaceInStrings("lblrQ050=1.7814", "lblrQ050=799.67")
        .replaceInStrings("lblrQ075=3.2488", "lblrQ075=1458.4")
        .replaceInStrings("lblrQ093=3.8307", "lblrQ093=1719.59")
        .replaceInStrings("lblrQ100=3.5628", "lblrQ100=1599.33")
        .replaceInStrings("Q (cfs)", "Q (gpm)");
    QTest::newRow("GPM") << QStringList{"cmbUnFlo#2", "txtDiam=12", "txtSlope=0.01",
                                        "txtQinput=897.7950154420744"}
                         << gpm << QStringList{};
    QTest::newRow("surcharged after open channel")
        << (workedExampleSteps() << "txtQinput=4")
        << QStringList{"lblrDnorm=",
                       "lblrVnorm=",
                       "lblrFrNo=",
                       "lblrDcr=",
                       "lblrDoverD=1",
                       "lblrRegime=Surcharged!",
                       "lblrHf=0.0126",
                       "lblrVfull=5.093",
                       "lblrAreaW=0.4285",
                       "lblrPerimW=1.6426",
                       "lblrRh=0.2609",
                       "lblrQ093=3.8307",
                       "lblFullCondition=Flow is flowing full due to:",
                       "lblFullCause=Surcharge!"}
        << QStringList{};
    QTest::newRow("no flow fills only the capacities")
        << QStringList{"txtDiam=12", "txtSlope=0.01"}
        << QStringList{"lblrQ100=3.5628",
                       "lblrV100=4.5363",
                       "lblrDnorm=",
                       "lblrRegime=",
                       "lblFullCondition=If the Pipe were flowing full due to",
                       "lblCapQ=Q(cfs)"}
        << QStringList{};
    QTest::newRow("empty diameter writes nothing")
        << QStringList{"txtSlope=0.01", "txtQinput=2"}
        << QStringList{"lblrQ050=", "lblrDnorm=", "lblCapQ=Q (cfs)"} << QStringList{};
    QTest::newRow("diameter in feet")
        << QStringList{"cmbUnDiam#1", "txtDiam=1", "txtSlope=0.01", "txtQinput=2"}
        << workedExampleLabels() << QStringList{};
    QTest::newRow("slope in percent")
        << QStringList{"cmbUnSlope#1", "txtDiam=12", "txtSlope=1", "txtQinput=2"}
        << workedExampleLabels() << QStringList{};
    QTest::newRow("between full-pipe flow and Qmax")
        << (workedExampleSteps() << "txtQinput=3.7")
        << QStringList{"lblrDoverD=0.8593", "lblrRegime=Subcritical",
                       "lblFullCause=due to tailwater:"}
        << QStringList{};
    QTest::newRow("rejected flow keeps the last results")
        << (workedExampleSteps() << "txtQinput=0") << workedExampleLabels()
        << QStringList{"Q must be a positive real number."};
    QTest::newRow("flow unit first chosen sets the heading")
        << QStringList{"cmbUnFlo#1", "cmbUnFlo#0"} << QStringList{"lblCapQ=Q (cfs)"}
        << QStringList{};
}

void EntryTest::sequences() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, messages);
    h->run(steps);
    QVERIFY(h->labelsShow(labels));
    QCOMPARE(h->boxes.prompts, messages);
}

void EntryTest::keystrokeFilter_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits and point") << "txtDiam"
                                      << "1.5"
                                      << "1.5";
    QTest::newRow("signs") << "txtSlope"
                           << "-+1-"
                           << "1";
    QTest::newRow("comma and blank") << "txtQinput"
                                     << "1,5 0"
                                     << "150";
    QTest::newRow("letters and exponent") << "txtM"
                                          << "a1e3Z"
                                          << "0.01313";
    QTest::newRow("other symbols") << "txtDiam"
                                   << "$%/*()=_2"
                                   << "2";
}

void EntryTest::keystrokeFilter() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QTest::keyClicks(h->get(box), typed);
    QCOMPARE(h->text(box), shown);
    // Editing keys that type no character keep working.
    QTest::keyClick(h->get(box), Qt::Key_Home);
    QTest::keyClick(h->get(box), Qt::Key_Delete);
    QCOMPARE(h->text(box), shown.mid(1));
    QVERIFY(h->boxes.prompts.isEmpty());
}

void EntryTest::pasteKeys_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("diamFt");
    QTest::addColumn<QStringList>("messages");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+V pastes nothing")
        << "24" << int(Qt::Key_V) << ctrl << "" << 0.0 << QStringList{};
    QTest::newRow("Shift+Insert pastes, the check accepts")
        << " 1.5e1 " << int(Qt::Key_Insert) << shift << " 1.5e1 " << 1.25 << QStringList{};
    QTest::newRow("Shift+Insert pastes, the check rejects")
        << "-3" << int(Qt::Key_Insert) << shift << "" << 0.0
        << QStringList{"Diameter must be a positive real number."};
    QTest::newRow("pasted comma is not a number")
        << "1,5" << int(Qt::Key_Insert) << shift << "" << 0.0
        << QStringList{"Diameter must be a positive real number."};
}

void EntryTest::pasteKeys() {
    QFETCH(QString, clipboard);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, shown);
    QFETCH(double, diamFt);
    QFETCH(QStringList, messages);
    QApplication::clipboard()->setText(clipboard);
    QWidget* box = h->get("txtDiam");
    QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(h->text("txtDiam"), shown);
    QCOMPARE(h->window->calcInputs().DiamFt, diamFt);
    QCOMPARE(h->boxes.prompts, messages);
    // Undo and cut shortcuts are discarded too.
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    h->get<QLineEdit>("txtDiam")->selectAll();
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(h->text("txtDiam"), shown);
}

void EntryTest::rejected_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const char* const boxes[][2] = {{"txtDiam", "Diameter must be a positive real number."},
                                    {"txtSlope", "Slope must be a positive real number."},
                                    {"txtQinput", "Q must be a positive real number."},
                                    {"txtM", "Manning's n must be a positive real number."}};
    for (const auto& [box, message] : boxes)
        for (const char* typed : {"0", "0.0", ".", "1.2.3"})
            QTest::addRow("%s %s", box, typed) << box << typed << message;
    QTest::newRow("empty n") << "txtM"
                             << "" << boxes[3][1];
    QTest::newRow("n typed as a minus") << "txtM"
                                        << "-" << boxes[3][1];
}

void EntryTest::rejected() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    h->run(workedExampleSteps());
    const runnelex::CalcInputs before = h->window->calcInputs();
    QString shownWhenAsked;
    h->boxes.onShow = [&] {
        shownWhenAsked = h->text(box);
    };
    h->get<QLineEdit>(box)->clear();
    h->enter(box, typed);
    QCOMPARE(h->boxes.prompts, QStringList{message});
    QCOMPARE(shownWhenAsked, typed.remove(u'-')); // the message comes before the box is emptied
    QCOMPARE(h->text(box), QString());
    const runnelex::CalcInputs& after = h->window->calcInputs();
    QCOMPARE(after.DiamFt, before.DiamFt);
    QCOMPARE(after.SlopeFtFt, before.SlopeFtFt);
    QCOMPARE(after.Qcfs, before.Qcfs);
    QCOMPARE(after.ManningN, before.ManningN);
    QVERIFY(h->labelsShow(workedExampleLabels()));
}

// Enter checks the entry, leaving with Tab checks it again.
void EntryTest::enterThenTab_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("records");
    QTest::newRow("accepted diameter runs twice") << "txtDiam"
                                                  << "12" << QStringList{} << 2;
    QTest::newRow("rejected diameter, then empty and silent")
        << "txtDiam"
        << "0" << QStringList{"Diameter must be a positive real number."} << 0;
    QTest::newRow("empty n asks twice")
        << "txtM"
        << ""
        << QStringList{"Manning's n must be a positive real number.",
                       "Manning's n must be a positive real number."}
        << 0;
    QTest::newRow("empty flow is silent") << "txtQinput"
                                          << "" << QStringList{} << 0;
}

void EntryTest::enterThenTab() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QStringList, messages);
    QFETCH(int, records);
    QVERIFY(h->showActive());
    h->enableLoggingAndAlways();
    h->get<QLineEdit>(box)->clear();
    h->get(box)->setFocus(Qt::MouseFocusReason);
    h->enter(box, typed);
    QTest::keyClick(h->get(box), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != h->get(box));
    QCOMPARE(h->boxes.prompts, messages);
    QCOMPARE(int(h->log.records.size()), records);
}

// Focus that goes to a message box, a menu or another window is not leaving the box.
void EntryTest::focusTakenElsewhere_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("the check's own message box") << "message";
    QTest::newRow("another window") << "window";
    QTest::newRow("a menu") << "menu";
}

void EntryTest::focusTakenElsewhere() {
    QFETCH(QString, where);
    QVERIFY(h->showActive());
    QWidget* diam = h->get("txtDiam");
    QLineEdit other; // stands for a message box or another application's window
    const auto visitOther = [&] {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.hide();
        h->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->window.get()));
    };
    QTest::keyClicks(diam, QStringLiteral("0"));
    if (where == "message") {
        h->boxes.onShow = visitOther;
        QTest::keyClick(diam, Qt::Key_Return); // one message; the box is emptied
    } else if (where == "window") {
        visitOther();
    } else {
        auto* file = h->window->findChild<QMenu*>(QStringLiteral("File"));
        file->popup(h->window->mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(file->isVisible());
        QTest::keyClick(file, Qt::Key_Escape);
        QTRY_VERIFY(!file->isVisible());
    }
    QCOMPARE(QApplication::focusWidget(), diam);
    const int expected = where == "message" ? 1 : 0;
    QCOMPARE(h->boxes.prompts.size(), expected);
    // Moving on to another box of the window is leaving it.
    h->boxes.onShow = nullptr;
    QTest::mouseClick(h->get("txtSlope"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), h->get("txtSlope"));
    QCOMPARE(h->boxes.prompts.size(), 1);
    QCOMPARE(h->text("txtDiam"), QString());
}

void EntryTest::unitSwitch_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("before");
    QTest::addColumn<double>("after");
    QTest::addColumn<QString>("heading");
    QTest::newRow("inches to feet") << "txtDiam"
                                    << "24"
                                    << "cmbUnDiam" << 1 << 2.0 << 24.0 << "Q(cfs)";
    QTest::newRow("empty diameter box") << "txtDiam"
                                        << ""
                                        << "cmbUnDiam" << 1 << 0.0 << 0.0 << "Q(cfs)";
    QTest::newRow("slope in percent") << "txtSlope"
                                      << "5"
                                      << "cmbUnSlope" << 1 << 5.0 << 0.05 << "Q(cfs)";
    QTest::newRow("flow in MGD") << "txtQinput"
                                 << "10"
                                 << "cmbUnFlo" << 1 << 10.0 << 15.469999999999999 << "Q (mgd)";
    QTest::newRow("flow in GPM") << "txtQinput"
                                 << "2"
                                 << "cmbUnFlo" << 2 << 2.0 << 0.004455359999999999 << "Q (gpm)";
}

static double fieldOf(const runnelex::CalcInputs& in, const QString& box) {
    return box == "txtDiam" ? in.DiamFt : box == "txtSlope" ? in.SlopeFtFt : in.Qcfs;
}

void EntryTest::unitSwitch() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, list);
    QFETCH(int, index);
    QFETCH(double, before);
    QFETCH(double, after);
    QFETCH(QString, heading);
    h->enter(box, typed);
    QCOMPARE(fieldOf(h->window->calcInputs(), box), before);
    h->enableLoggingAndAlways(); // each run now leaves a record
    h->choose(list, index);
    QCOMPARE(h->text(box), typed);
    QCOMPARE(fieldOf(h->window->calcInputs(), box), after);
    QCOMPARE(h->label("lblCapQ"), heading);
    QCOMPARE(int(h->log.records.size()), index); // one run per step of the list
    QVERIFY(h->boxes.prompts.isEmpty());
}

void EntryTest::unitFromPopup() {
    QVERIFY(h->showActive());
    h->run(workedExampleSteps());
    auto* combo = h->get<QComboBox>("cmbUnDiam");
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QRect item = view->visualRect(view->model()->index(1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->currentText(), QStringLiteral("ft."));
    QCOMPARE(h->window->calcInputs().DiamFt, 12.0);
    QCOMPARE(h->label("lblrQ100"), QStringLiteral("2689.1106"));
}

void EntryTest::unitEditFieldChangesNothing() {
    h->run(workedExampleSteps());
    h->enableLoggingAndAlways();
    for (const char* list : {"cmbUnDiam", "cmbUnSlope", "cmbUnFlo"}) {
        auto* combo = h->get<QComboBox>(list);
        const QString shown = combo->currentText();
        QTest::keyClicks(combo, QStringLiteral("ft.%GPM x"));
        QTest::keyClick(combo, Qt::Key_Backspace);
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(combo->currentText(), shown);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->count(), list == QStringLiteral("cmbUnFlo") ? 3 : 2);
    }
    QVERIFY(h->log.records.empty()); // no run
    QCOMPARE(h->window->calcInputs().DiamFt, 1.0);
    QVERIFY(h->labelsShow(workedExampleLabels()));
}

void EntryTest::arithmeticFault_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("faultStep");
    QTest::addColumn<QStringList>("kept");
    const QString huge = QStringLiteral("15") + QString(307, u'0'); // 1.5e308
    QTest::newRow("diameter whose square overflows")
        << QStringList{"txtSlope=0.01", "txtQinput=2", "cmbUnDiam#1"}
        << "txtDiam=1" + QString(200, u'0') << QStringList{"lblrQ050=", "lblCapQ=Q (cfs)"};
    QTest::newRow("flow overflowing into cfs") << QStringList{"cmbUnFlo#1"} << "txtQinput=" + huge
                                               << QStringList{"txtQinput=", "lblCapQ=Q (mgd)"};
    QTest::newRow("flow unit switch overflowing")
        << QStringList{"txtDiam=12", "txtSlope=0.01", "txtQinput=2", "txtQinput<" + huge}
        << "cmbUnFlo#1" << QStringList{"lblrV050=4.5363", "lblrQ050=1.7814", "lblCapQ=Q (cfs)"};
}

void EntryTest::arithmeticFault() {
    QFETCH(QStringList, steps);
    QFETCH(QString, faultStep);
    QFETCH(QStringList, kept);
    h->enableLoggingAndAlways();
    h->run(steps);
    const std::size_t records = h->log.records.size();
    h->boxes.prompts.clear();
    h->run({faultStep});
    const QString fault = QString::fromStdString(runnelex::calcFaultMessage("Overflow"));
    QCOMPARE(h->boxes.prompts, QStringList{fault});
    QCOMPARE(h->log.records.size(), records); // no recording after a fault
    for (const QString& pair : kept) {
        const QString name = pair.section(u'=', 0, 0), want = pair.section(u'=', 1);
        QCOMPARE(name.startsWith("txt") ? h->text(name) : h->label(name), want);
    }
    // The window goes on: the worked example still comes out right.
    h->run({"txtDiam=", "txtSlope=", "txtQinput=", "cmbUnDiam#0", "cmbUnFlo#0"});
    h->boxes.prompts.clear();
    h->run(workedExampleSteps());
    QVERIFY(h->labelsShow(workedExampleLabels()));
    QVERIFY(h->boxes.prompts.isEmpty());
    QVERIFY(h->log.records.size() > records);
}

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
