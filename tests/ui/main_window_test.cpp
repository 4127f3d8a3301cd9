// The main window's controls, start-up state, menus, Tab cycle and access keys.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "window_harness.h"

using runnelex::test::WindowHarness;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->showActive());
    }
    void cleanup() { h.reset(); }

    void catalogue_data();
    void catalogue();
    void nesting_data();
    void nesting();
    void startupState();
    void windowFrame();
    void menuItems_data();
    void menuItems();
    void exitThroughKeyboard();
    void tabCycle_data();
    void tabCycle();
    void accessKeys_data();
    void accessKeys();

private:
    std::unique_ptr<WindowHarness> h;
};

void MainWindowTest::catalogue_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    const auto row = [](const char* name, const char* text, const char* tip = "") {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text)
                            << QString::fromUtf8(tip);
    };
    row("fraInput", "Required Input");
    row("fraDiameter", "&Diameter");
    row("fraSlope", "&Slope");
    row("fraQtarget", "&Q (flowrate)");
    row("fraCapacities", "Capacities");
    row("fraNormal", "Normal Results");
    row("fraLogFile", "Calculation Log File", "Controls for Log File");
    row("lblM", "n = ");
    row("txtM", "0.013", "Key in Manning's n here");
    row("txtDiam", "", "Key in Pipe Diameter here");
    row("cmbUnDiam", "in.", "Select Diameter Unit");
    row("txtSlope", "", "Key in Slope here");
    row("cmbUnSlope", "ft/ft", "Select Slope Unit");
    row("txtQinput", "", "Key in Flow Rate here");
    row("cmbUnFlo", "CFS", "Select Flow Units");
    row("lbldDcap", "d/D");
    row("lblCapQ", "Q(cfs)");
    row("lblCapV", "V(fps)");
    row("lbldD050", "0.50");
    row("lbldD075", "0.75");
    row("lbldD093", "0.93");
    row("lbldD100", "1.00");
    row("lblVnorm", "Vnorm");
    row("lblrVnormUnits", "ft/sec");
    row("lblDnorm", "Dnorm");
    row("lblrDnormUnit", "ft");
    row("lblDoverD", "d/D");
    row("lblDcr", "Dcr");
    row("lbluDcr", "ft");
    row("lblFr", "Froude#");
    row("lblRegime", "Regime");
    row("lblAreaW", "AreaW");
    row("lblrAreaWUnits", "sq. ft.");
    row("lblPerimW", "PerimW");
    row("lblrPerimWUnits", "ft.");
    row("lblRh", "Rh");
    row("lblrRhUnits", "ft");
    for (const char* eq : {"Label1", "Label2", "Label3", "Label5", "Label6", "Label7", "Label8",
                           "Label9", "Label10", "Label11", "Label12"})
        row(eq, "=");
    row("Label4", "");
    row("lblFullCondition", "If the Pipe were flowing full due to");
    row("lblFullCause", "tailwater conditions:");
    row("lblVfull", "V(full)");
    row("Label13", "ft/sec");
    row("lblHf", "Hydraulic Slope");
    row("Label14", "ft/ft");
    row("cmdSaveLog", "Enable &Logging...", "Click here to open the Results Window");
    row("lblSaveWhen", "When to Write:", "Choose Auto and/or Manual calc recording");
    row("cmdSaveNow", "No&w", "Click Here to write current calc to Results Window");
    row("chkSaveAlways", "&Always",
        "When checked, EVERY calculation is sent to the Results Window");
    row("lblLogPipeName", "Pipe Name:");
    row("txtPipeID", "", "Name (optional) is saved to file when NOW is clicked");
    row("Label16", "(optional)");
    row("Label15",
        "This is a Beta Version.  Numbers are not gauranteed.  Please verify all numbers.");
    row("lblKelvara", "Visit www.kelvara.example for updates and other free tools.",
        "visit the Kelvara web site, get free updates, tools & tips");
    row("File", "&File");
    row("mnuSaveLogFile", "create &Log File...");
    row("mnuExit", "E&xit");
    row("mnuOptions", "&Options");
    row("mnuUnitDefault", "save &unit settings as default");
    row("mnuHelp", "&Help");
    row("mnuHelp4Runnelex", "Help for &Runnelex...");
    row("mnuAbout_Runnelex", "&About Runnelex...");
    row("mnuRunnelex_Updates", "Runnelex &Updates...");
    row("mnuKelvara", "&Kelvara...");
}

// The text a control shows, whatever its kind.
static QString shownText(QObject* o) {
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(o))
        return e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(o))
        return g->title();
    if (auto* c = qobject_cast<QComboBox*>(o))
        return c->currentText();
    if (auto* m = qobject_cast<QMenu*>(o))
        return m->title();
    if (auto* a = qobject_cast<QAction*>(o))
        return a->text();
    return QStringLiteral("<no text>");
}

void MainWindowTest::catalogue() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    QObject* o = h->window->findChild<QObject*>(name);
    QVERIFY2(o != nullptr, qPrintable(name));
    QCOMPARE(shownText(o), text);
    if (auto* w = qobject_cast<QWidget*>(o); w != nullptr && !qobject_cast<QMenu*>(o))
        QCOMPARE(w->toolTip(), tip);
}

void MainWindowTest::nesting_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("frame");
    const char* const rows[][2] = {{"fraDiameter", "fraInput"},
                                   {"fraSlope", "fraInput"},
                                   {"fraQtarget", "fraInput"},
                                   {"lblM", "fraInput"},
                                   {"txtM", "fraInput"},
                                   {"txtDiam", "fraDiameter"},
                                   {"cmbUnDiam", "fraDiameter"},
                                   {"txtSlope", "fraSlope"},
                                   {"cmbUnSlope", "fraSlope"},
                                   {"txtQinput", "fraQtarget"},
                                   {"cmbUnFlo", "fraQtarget"},
                                   {"lblrQ093", "fraCapacities"},
                                   {"Line1", "fraCapacities"},
                                   {"Line2", "fraCapacities"},
                                   {"lblrRegime", "fraNormal"},
                                   {"lblrVfull", "fraNormal"},
                                   {"lblFullCondition", "fraNormal"},
                                   {"txtPipeID", "fraLogFile"},
                                   {"Label16", "fraLogFile"},
                                   {"cmdSaveLog", "fraLogFile"}};
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
}

void MainWindowTest::nesting() {
    QFETCH(QString, control);
    QFETCH(QString, frame);
    QWidget* w = h->get(control)->parentWidget();
    while (w != nullptr && qobject_cast<QGroupBox*>(w) == nullptr)
        w = w->parentWidget();
    QVERIFY(w != nullptr);
    QCOMPARE(w->objectName(), frame);
}

void MainWindowTest::startupState() {
    QVERIFY(h->showActive());
    QCOMPARE(QApplication::focusWidget(), h->get("txtDiam"));
    for (const char* list : {"cmbUnDiam", "cmbUnSlope", "cmbUnFlo"})
        QCOMPARE(h->get<QComboBox>(list)->currentIndex(), 0);
    QCOMPARE(h->get<QComboBox>("cmbUnFlo")->count(), 3);
    QCOMPARE(h->get<QComboBox>("cmbUnFlo")->itemText(2), QStringLiteral("GPM"));
    QCOMPARE(h->get<QComboBox>("cmbUnDiam")->itemText(1), QStringLiteral("ft."));
    QCOMPARE(h->get<QComboBox>("cmbUnSlope")->itemText(1), QStringLiteral("%"));
    for (const char* value :
         {"lblrDnorm", "lblrAreaW", "lblrPerimW", "lblrRh", "lblrVnorm", "lblrDoverD", "lblrFrNo",
          "lblrDcr", "lblrRegime", "lblrQ050", "lblrQ075", "lblrQ093", "lblrQ100", "lblrV050",
          "lblrV075", "lblrV093", "lblrV100", "lblrHf", "lblrVfull"})
        QVERIFY2(h->label(value).isEmpty(), value);
    const runnelex::CalcInputs& in = h->window->calcInputs();
    QCOMPARE(in.ManningN, 0.013);
    QCOMPARE(in.DiamFt, 0.0);
    QCOMPARE(in.Unitflow, std::string("CFS"));
    QVERIFY(!in.DiamInFeet && !in.SlopeInPercent);
    QVERIFY(h->get("cmdSaveLog")->isEnabled());
    for (const char* off :
         {"lblSaveWhen", "cmdSaveNow", "chkSaveAlways", "lblLogPipeName", "txtPipeID", "Label16"})
        QVERIFY2(!h->get(off)->isEnabled(), off);
    QVERIFY(!h->get<QCheckBox>("chkSaveAlways")->isChecked());
    QVERIFY(h->boxes.prompts.isEmpty());
    QVERIFY(h->log.closeHandler);
}

void MainWindowTest::windowFrame() {
    QVERIFY(h->showActive());
    QCOMPARE(h->window->objectName(), QStringLiteral("frmRunnelex"));
    QCOMPARE(h->window->windowTitle(), QStringLiteral("Runnelex"));
    const Qt::WindowFlags flags = h->window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(h->window->minimumSize(), h->window->maximumSize());
    const QRect before = h->get("lblrVfull")->geometry();
    const QSize size = h->window->size();
    h->window->resize(size * 2);
    QTest::qWait(10);
    QCOMPARE(h->window->size(), size);
    QCOMPARE(h->get("lblrVfull")->geometry(), before);
    // Every control fits inside the window at its fixed size.
    for (QWidget* w : h->window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow())
            continue;
        const QRect r(w->mapTo(h->window.get(), QPoint(0, 0)), w->size());
        QVERIFY2(h->window->rect().contains(r), qPrintable(w->objectName()));
    }
}

void MainWindowTest::menuItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("exits");
    QTest::newRow("create log file") << "mnuSaveLogFile" << false << "" << 0;
    QTest::newRow("unit defaults") << "mnuUnitDefault" << false << "" << 0;
    QTest::newRow("exit") << "mnuExit" << true << "" << 1;
    QTest::newRow("help") << "mnuHelp4Runnelex" << true << "help" << 0;
    QTest::newRow("about") << "mnuAbout_Runnelex" << true << "about" << 0;
    QTest::newRow("updates") << "mnuRunnelex_Updates" << true << "updates" << 0;
    QTest::newRow("maker") << "mnuKelvara" << true << "kelvara" << 0;
}

void MainWindowTest::menuItems() {
    QFETCH(QString, item);
    QFETCH(bool, enabled);
    QFETCH(QString, call);
    QFETCH(int, exits);
    auto* action = h->window->findChild<QAction*>(item);
    QVERIFY(action != nullptr);
    QCOMPARE(action->isEnabled(), enabled);
    action->trigger();
    QCOMPARE(h->info.calls, call.isEmpty() ? QStringList() : QStringList{call});
    QCOMPARE(h->exits, exits);
    QVERIFY(h->boxes.prompts.isEmpty());
}

void MainWindowTest::exitThroughKeyboard() {
    QVERIFY(h->showActive());
    QTest::keyClick(h->window.get(), Qt::Key_F, Qt::AltModifier);
    auto* file = h->window->findChild<QMenu*>(QStringLiteral("File"));
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(file, Qt::Key_X);
    QTRY_COMPARE(h->exits, 1);
    QVERIFY(h->boxes.prompts.isEmpty());
}

void MainWindowTest::tabCycle_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("visits");
    QTest::newRow("forward from diameter")
        << "txtDiam" << false
        << QStringList{"txtSlope", "txtQinput", "txtM", "txtDiam", "txtSlope"};
    QTest::newRow("backward from diameter")
        << "txtDiam" << true << QStringList{"txtM", "txtQinput", "txtSlope", "txtDiam"};
    QTest::newRow("from a unit list") << "cmbUnDiam" << false << QStringList{"txtSlope"};
    QTest::newRow("from the pipe name") << "txtPipeID" << false << QStringList{"txtDiam"};
}

void MainWindowTest::tabCycle() {
    QFETCH(QString, from);
    QFETCH(bool, backwards);
    QFETCH(QStringList, visits);
    QVERIFY(h->showActive());
    QTest::mouseClick(h->get("cmdSaveLog"), Qt::LeftButton); // enables the pipe name box
    h->get(from)->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), h->get(from));
    for (const QString& next : visits) {
        QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QVERIFY(QApplication::focusWidget() != nullptr);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
    // n is empty nowhere here, and empty boxes are silent: no message.
    QVERIFY(h->boxes.prompts.isEmpty());
}

void MainWindowTest::accessKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("list");
    QTest::newRow("Alt+D") << int(Qt::Key_D) << "cmbUnDiam";
    QTest::newRow("Alt+S") << int(Qt::Key_S) << "cmbUnSlope";
    QTest::newRow("Alt+Q") << int(Qt::Key_Q) << "cmbUnFlo";
}

void MainWindowTest::accessKeys() {
    QFETCH(int, key);
    QFETCH(QString, list);
    QVERIFY(h->showActive());
    QTest::keyClicks(h->get("txtDiam"), QStringLiteral("24"));
    QTest::keyClick(h->get("txtDiam"), Qt::Key(key), Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), h->get(list));
    // Leaving the box for the list took the diameter in.
    QCOMPARE(h->window->calcInputs().DiamFt, 2.0);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
