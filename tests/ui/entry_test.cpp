// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into the main window: the keystroke filter, the entry checks, focus loss, the unit
// lists and the results they produce, against what runnelex-cli prints for the same entries.
#include "calc/display_run.h"
#include "window_harness.h"

using namespace runnelex::test;

namespace {
const QString kDiamMsg = QStringLiteral("Diameter must be a positive real number.");
const QString kNMsg = QStringLiteral("Manning's n must be a positive real number.");
} // namespace

class EntryTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->showActive());
    }

    void cleanup() { h.reset(); }

    // runnelex-cli options; the window chooses the same units first, then types the boxes in
    // this order, and shows the labels the command line prints.
    void sameAsCli_data() {
        QTest::addColumn<QString>("options");
        QTest::newRow("worked example") << kWorkedOptions;
        QTest::newRow("MGD") << kWorkedOptions + " --flow-unit MGD";
        QTest::newRow("percent") << "--diam 24 --slope 0.5 --slope-unit % --flow 10";
        QTest::newRow("GPM, feet, n") << "--diam 4 --diam-unit ft. --slope 0.08 --flow 90.5 "
                                         "--flow-unit GPM --n 0.011";
        QTest::newRow("between full-pipe flow and Qmax") << "--diam 12 --slope 0.01 --flow 3.7";
        QTest::newRow("surcharged") << "--diam 12 --slope 0.01 --flow 4";
        QTest::newRow("subcritical") << "--diam 36 --slope 0.001 --flow 5 --n 0.024";
        QTest::newRow("tiny flow") << "--diam 8 --slope 0.005 --flow 0.0001";
        QTest::newRow("no flow") << "--diam 12 --slope 0.01";
        QTest::newRow("no diameter") << "--slope 0.01 --flow 2";
    }

    void sameAsCli() {
        QFETCH(QString, options);
        const QStringList words = options.split(u' ');
        for (const QString& pair :
             QStringLiteral("--diam-unit=cmbUnDiam;--slope-unit=cmbUnSlope;"
                            "--flow-unit=cmbUnFlo;--diam=txtDiam;--slope=txtSlope;"
                            "--flow=txtQinput;--n=txtM")
                 .split(u';')) {
            const qsizetype at = words.indexOf(pair.section(u'=', 0, 0));
            const QString control = pair.section(u'=', 1);
            if (at < 0)
                continue;
            const auto* list = qobject_cast<QComboBox*>(h->get(control));
            const int index = list ? list->findText(words[at + 1]) : 0;
            QVERIFY(index >= 0);
            h->run(list ? control + '#' + QString::number(index) : control + '=' + words[at + 1]);
        }
        QVERIFY(h->shows(cliLabels(options)));
        QVERIFY(h->boxes.prompts.isEmpty());
    }

    // Steps as WindowHarness::run takes them, then what shows: the labels of runnelex-cli
    // options ("--..."), or "control=text" pairs.
    void sequences_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown");
        QTest::newRow("keystroke filter")
            << "txtDiam=1.5;txtSlope=-+1-;txtQinput=1,5 0a1e3Z;txtM=$%/*()=_2"
            << "txtDiam=1.5;txtSlope=1;txtQinput=15013;txtM=2";
        QTest::newRow("GPM chosen after the flow re-reads the box")
            << "txtDiam=12;txtSlope=0.01;txtQinput=897.7950154420744;cmbUnFlo#2"
            << "--diam 12 --slope 0.01 --flow 897.7950154420744 --flow-unit GPM";
        // The pipe flows full: its full area, perimeter and radius, not the last run's.
        QTest::newRow("surcharged after open channel")
            << kWorkedSteps + ";txtQinput=4"
            << "lblrDnorm=;lblrVnorm=;lblrFrNo=;lblrDcr=;lblrDoverD=1;lblrRegime=Surcharged!;"
               "lblrHf=0.0126;lblrVfull=5.093;lblrAreaW=0.7854;lblrPerimW=3.1416;lblrRh=0.25;"
               "lblrQ093=3.8307;lblFullCondition=Flow is flowing full due to:;"
               "lblFullCause=Surcharge!";
        // A unit choice re-reads the box in the new unit, without a message even when empty.
        QTest::newRow("diameter in feet")
            << kWorkedSteps + ";cmbUnDiam#1" << kWorkedOptions + " --diam-unit ft.";
        QTest::newRow("slope in percent")
            << "txtDiam=12;txtSlope=1;txtQinput=2;cmbUnSlope#1" << kWorkedOptions;
        QTest::newRow("units with empty boxes") << "cmbUnDiam#1;cmbUnSlope#1;cmbUnFlo#1;cmbUnFlo#0"
                                                << "lblrQ100=;lblCapQ=Q (cfs)";
    }

    void sequences() {
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        h->run(steps);
        QVERIFY(h->shows(shown.startsWith("--") ? cliLabels(shown) : shown));
        QVERIFY(h->boxes.prompts.isEmpty());
    }

    // Only Shift+Insert pastes; the entry check judges the pasted text. Undo and cut do nothing.
    void pasting() {
        QWidget* box = h->get("txtDiam");
        const auto paste = [&](const QString& text, Qt::Key key, Qt::KeyboardModifier modifier) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(box, key, modifier);
            QTest::keyClick(box, Qt::Key_Return);
        };
        paste("24", Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(h->text("txtDiam"), QString());
        paste("1,5", Qt::Key_Insert, Qt::ShiftModifier); // a comma is no decimal point
        QCOMPARE(h->boxes.prompts, QStringList{kDiamMsg});
        QCOMPARE(h->text("txtDiam"), QString());
        paste(" 1.5e1 ", Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(h->window->calcInputs().Dims[0], 1.25);
        QTest::keyClick(box, Qt::Key_Home); // editing keys that type no character still work
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        h->get<QLineEdit>("txtDiam")->selectAll();
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(h->text("txtDiam"), QStringLiteral("1.5e1 "));
        QCOMPARE(h->boxes.prompts.size(), 1);
    }

    // Keys as the X11 platform delivers them (measured under xvfb-run: Delete comes with the text
    // "\x7f", BackSpace with "\b", the keypad's Delete and the cursor keys with none): editing
    // keys edit, only characters are filtered. A key is judged by all it would type, not by its
    // first character alone (keys the fuzzer found typing letters into a numeric box).
    void keys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("left"); // the box text after them, "|" where the cursor is
        const char* const rows[][3] = {
            {"Delete", "Home Delete", "|234"},
            {"BackSpace", "BackSpace", "123|"},
            {"arrows", "Home Right Right Delete Left BackSpace", "|24"},
            {"End after Home", "Home End BackSpace", "123|"},
            {"Ctrl+Delete deletes the word", "Home Ctrl+Delete", "|"},
            {"Shift+Home selects, Delete erases", "Shift+Home Delete", "|"},
            {"keypad Delete and digit", "Home KP_Delete KP_5", "5|234"},
            {"Escape, minus, Ctrl+A and Ctrl+BackSpace change nothing",
             "Escape minus Ctrl+A Ctrl+BackSpace", "1234|"},
            {"digit and letter", "5+x", "1234|"},
            {"digit and line break", "5+CR", "1234|"},
            {"two digits", "5+5", "123455|"},
            {"Ctrl+Alt+Shift+Tab with a letter", "Ctrl+Alt+Shift+Tab+I", "1234|"},
            {"Alt+Tab with a letter", "Alt+Tab+x", "1234|"},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }

    void keys() {
        struct Key {
            Qt::Key key;
            const char* text;
            Qt::KeyboardModifiers modifiers;
        };
        const Qt::KeyboardModifiers ctrlAltShift =
            Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
        const QMap<QString, Key> xcb = {
            {"Delete", {Qt::Key_Delete, "\x7f", Qt::NoModifier}},
            {"BackSpace", {Qt::Key_Backspace, "\b", Qt::NoModifier}},
            {"Left", {Qt::Key_Left, "", Qt::NoModifier}},
            {"Right", {Qt::Key_Right, "", Qt::NoModifier}},
            {"Home", {Qt::Key_Home, "", Qt::NoModifier}},
            {"End", {Qt::Key_End, "", Qt::NoModifier}},
            {"Ctrl+Delete", {Qt::Key_Delete, "\x7f", Qt::ControlModifier}},
            {"Shift+Home", {Qt::Key_Home, "", Qt::ShiftModifier}},
            {"KP_Delete", {Qt::Key_Delete, "", Qt::KeypadModifier}},
            {"KP_5", {Qt::Key_5, "5", Qt::KeypadModifier}},
            {"Escape", {Qt::Key_Escape, "\x1b", Qt::NoModifier}},
            {"minus", {Qt::Key_Minus, "-", Qt::NoModifier}},
            {"Ctrl+A", {Qt::Key_A, "\x01", Qt::ControlModifier}},
            {"Ctrl+BackSpace", {Qt::Key_Backspace, "\b", Qt::ControlModifier}},
            {"5+x", {Qt::Key_5, "5x", Qt::NoModifier}},
            {"5+CR", {Qt::Key_5, "5\r", Qt::NoModifier}},
            {"5+5", {Qt::Key_5, "55", Qt::NoModifier}},
            {"Ctrl+Alt+Shift+Tab+I", {Qt::Key_Backtab, "\xD0\x98", ctrlAltShift}},
            {"Alt+Tab+x", {Qt::Key_Tab, "x", Qt::AltModifier}},
        };
        QFETCH(QString, keys);
        QFETCH(QString, left);
        for (const char* name : {"txtDiam", "txtSlope", "txtQinput", "txtM"}) {
            auto* box = h->get<QLineEdit>(name);
            box->setFocus(Qt::MouseFocusReason);
            box->setText(QStringLiteral("1234"));
            for (const QString& k : keys.split(u' ')) {
                QVERIFY2(xcb.contains(k), qPrintable(k));
                const Key& key = xcb[k];
                QTest::sendKeyEvent(QTest::Click, box, key.key, QString::fromUtf8(key.text),
                                    key.modifiers);
            }
            QString shown = box->text();
            shown.insert(box->cursorPosition(), u'|');
            QCOMPARE(shown, left);
        }
        QVERIFY(h->boxes.prompts.isEmpty());
    }

    void rejected_data() {
        QTest::addColumn<QStringList>("row"); // box, typed, message
        QTest::newRow("zero diameter") << QStringList{"txtDiam", "0", kDiamMsg};
        QTest::newRow("zero slope")
            << QStringList{"txtSlope", "0.0", "Slope must be a positive real number."};
        QTest::newRow("point flow")
            << QStringList{"txtQinput", ".", "Q must be a positive real number."};
        QTest::newRow("two points in n") << QStringList{"txtM", "1.2.3", kNMsg};
        QTest::newRow("empty n") << QStringList{"txtM", "", kNMsg};
        QTest::newRow("n typed as a minus") << QStringList{"txtM", "-", kNMsg};
    }

    // The message comes with the typed text still shown; then the box is emptied and every field
    // and label keeps what it had.
    void rejected() {
        QFETCH(QStringList, row);
        h->run(kWorkedSteps);
        const runnelex::CalcInputs before = h->window->calcInputs();
        QString shownWhenAsked;
        h->boxes.onShow = [&] {
            shownWhenAsked = h->text(row[0]);
        };
        h->enter(row[0], row[1]);
        QCOMPARE(h->boxes.prompts, QStringList{row[2]});
        QCOMPARE(shownWhenAsked, row[1].remove(u'-'));
        QCOMPARE(h->text(row[0]), QString());
        const runnelex::CalcInputs& after = h->window->calcInputs();
        QCOMPARE(after.Dims[0], before.Dims[0]);
        QCOMPARE(after.SlopeFtFt, before.SlopeFtFt);
        QCOMPARE(after.Qcfs, before.Qcfs);
        QCOMPARE(after.ManningN, before.ManningN);
        QVERIFY(h->shows(cliLabels(kWorkedOptions)));
    }

    // Enter checks the entry, leaving with Tab checks it again; with "Always" each run records.
    void enterThenTab_data() {
        QTest::addColumn<QStringList>("row"); // box, typed, number of runs, then the messages
        QTest::newRow("accepted diameter runs twice") << QStringList{"txtDiam", "12", "2"};
        QTest::newRow("rejected, then empty and silent")
            << QStringList{"txtDiam", "0", "0", kDiamMsg};
        QTest::newRow("empty n asks twice") << QStringList{"txtM", "", "0", kNMsg, kNMsg};
        QTest::newRow("empty flow is silent") << QStringList{"txtQinput", "", "0"};
    }

    void enterThenTab() {
        QFETCH(QStringList, row);
        h->enableLoggingAndAlways();
        h->get(row[0])->setFocus(Qt::MouseFocusReason);
        h->enter(row[0], row[1]);
        QTest::keyClick(h->get(row[0]), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != h->get(row[0]));
        QCOMPARE(h->boxes.prompts, row.mid(3));
        QCOMPARE(h->log.records.size(), row[2].toInt());
    }

    // Focus that goes to a message box, a menu or another window is not leaving the box.
    void focusTakenElsewhere_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("the check's own message box") << "message";
        QTest::newRow("another window") << "window";
        QTest::newRow("a menu") << "menu";
    }

    void focusTakenElsewhere() {
        QFETCH(QString, where);
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
            auto* file = h->get<QMenu>("File");
            file->popup(h->window->mapToGlobal(QPoint(10, 10)));
            QTRY_VERIFY(file->isVisible());
            QTest::keyClick(file, Qt::Key_Escape);
            QTRY_VERIFY(!file->isVisible());
        }
        QCOMPARE(QApplication::focusWidget(), diam);
        QCOMPARE(h->boxes.prompts.size(), where == "message" ? 1 : 0);
        // Moving on to another box of the window is leaving it.
        h->boxes.onShow = nullptr;
        QTest::mouseClick(h->get("txtSlope"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), h->get("txtSlope"));
        QCOMPARE(h->boxes.prompts, QStringList{kDiamMsg});
        QCOMPARE(h->text("txtDiam"), QString());
    }

    // Typing into a list's edit field changes nothing; a choice from its popup runs.
    void unitListsOnlyByChoice() {
        h->run(kWorkedSteps);
        h->enableLoggingAndAlways();
        for (const char* list : {"cmbUnDiam", "cmbUnSlope", "cmbUnFlo"}) {
            auto* combo = h->get<QComboBox>(list);
            const QString shown = combo->currentText();
            const int count = combo->count();
            QTest::keyClicks(combo, QStringLiteral("ft.%GPM x"));
            QTest::keyClick(combo, Qt::Key_Backspace);
            QTest::keyClick(combo, Qt::Key_Return);
            QCOMPARE(combo->currentText(), shown);
            QCOMPARE(combo->currentIndex(), 0);
            QCOMPARE(combo->count(), count);
        }
        QVERIFY(h->log.records.isEmpty());
        auto* combo = h->get<QComboBox>("cmbUnDiam");
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        const QRect item = view->visualRect(view->model()->index(1, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(combo->currentText(), QStringLiteral("ft."));
        QCOMPARE(h->window->calcInputs().Dims[0], 12.0);
        QCOMPARE(h->text("lblrQ100"), QStringLiteral("2689.1106"));
        QCOMPARE(h->log.records.size(), 1);
    }

    // A fault keeps what was written before it, records nothing, and the window goes on.
    void arithmeticFault_data() {
        // steps, the faulting step, what shows after it, the input the message names
        QTest::addColumn<QStringList>("row");
        const QString huge = "15" + QString(307, u'0'); // 1.5e308
        QTest::newRow("diameter whose square overflows") << QStringList{
            "txtSlope=0.01;txtQinput=2;cmbUnDiam#1", "txtDiam=1" + QString(200, u'0'),
            "lblrQ050=;lblCapQ=Q (cfs)", "the diameter, 1" + QString(200, u'0') + " ft."};
        QTest::newRow("flow overflowing into cfs")
            << QStringList{"cmbUnFlo#1", "txtQinput=" + huge, "txtQinput=;lblCapQ=Q (mgd)",
                           "the flow, " + huge + " MGD"};
        QTest::newRow("flow unit switch overflowing") << QStringList{
            kWorkedSteps + ";txtQinput<" + huge, "cmbUnFlo#1",
            "lblrV050=4.5363;lblrQ050=1.7814;lblCapQ=Q (cfs)", "the flow, " + huge + " MGD"};
    }

    void arithmeticFault() {
        QFETCH(QStringList, row);
        h->enableLoggingAndAlways();
        h->run(row[0]);
        const qsizetype records = h->log.records.size();
        h->boxes.prompts.clear();
        h->run(row[1]);
        QCOMPARE(h->boxes.prompts, QStringList{QString::fromStdString(runnelex::calcFaultMessage(
                                       "Overflow (caused by " + row[3].toStdString() + ")"))});
        QCOMPARE(h->log.records.size(), records);
        QVERIFY(h->shows(row[2]));
        h->run("txtDiam=;txtSlope=;txtQinput=;cmbUnDiam#0;cmbUnFlo#0;" + kWorkedSteps);
        QVERIFY(h->shows(cliLabels(kWorkedOptions)));
        QCOMPARE(h->boxes.prompts.size(), 1);
        QVERIFY(h->log.records.size() > records);
    }

private:
    std::unique_ptr<WindowHarness> h;
};

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
