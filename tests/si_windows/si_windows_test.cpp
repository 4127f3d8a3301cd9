// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator switched between US customary and SI units with the Tools menu's keys, as a
// user switches it: the main window shows what runnelex-cli calc shows in either system and,
// back in US customary units, exactly what it showed before; records held keep their table's
// system; the tool windows follow.
#include <memory>

#include <QtTest>
#include <QtWidgets>

#include "picture/pipe_picture_tool.h"
#include "report_window/range_report_tool.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/record.h"
#include "sections_window/sections_tool.h"
#include "support/test_files.h"
#include "ui/window_harness.h"

namespace runnelex {

using Args = std::vector<std::string>;

namespace {

// The calculator as the program wires it: the real results window, the three tools, then the
// unit system's item last in the Tools menu; messages and the save dialog are recorders.
struct Calculator {
    test::FakeMessageBoxes boxes;
    test::FakeSaveDialog dialog;
    ModResults results{boxes, dialog};
    test::FakeInfoMenu info;
    FrmRunnelex window;
    RangeReportTool report{window, boxes, dialog, 1};
    PipePictureTool picture{window, boxes, dialog};
    SectionsTool sections{window, boxes, results, dialog};
    explicit Calculator(UnitSystem system = UnitSystem::US)
        : window(
              boxes, results, info, [] {}, nullptr, system) {
        window.addUnitSystemItem();
    }
};

// What a control shows: a list its items and the position chosen, a table its headings and
// rows, a drawing what it tells screen readers.
QString shown(const QObject* o) {
    if (const auto* list = qobject_cast<const QComboBox*>(o)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items.join(u'|') + QStringLiteral(" @") + QString::number(list->currentIndex());
    }
    if (const auto* table = qobject_cast<const QAbstractItemView*>(o)) {
        const QAbstractItemModel* m = table->model();
        QStringList lines, cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->headerData(c, Qt::Horizontal).toString();
        lines << cells.join(u'\t');
        for (int r = 0; r < m->rowCount(); ++r) {
            cells.clear();
            for (int c = 0; c < m->columnCount(); ++c)
                cells << m->index(r, c).data().toString();
            lines << cells.join(u'\t');
        }
        return lines.join(u'\n');
    }
    if (const auto* action = qobject_cast<const QAction*>(o))
        return action->text() + (action->isChecked() ? QStringLiteral(" [x]") : QString());
    for (const char* property : {"text", "title", "plainText"})
        if (const QVariant v = o->property(property); v.isValid())
            return v.toString();
    const auto* w = qobject_cast<const QWidget*>(o);
    return w == nullptr                           ? QString()
           : w->accessibleDescription().isEmpty() ? w->accessibleName()
                                                  : w->accessibleDescription();
}

// The ';'-separated "control=text" (or "control~part of the text") that do not show in
// `window`, each with what it shows instead; empty when all do.
QString unmet(const QWidget& window, const QString& expected) {
    QStringList wrong;
    for (const QString& pair : expected.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype at = pair.indexOf(QRegularExpression(QStringLiteral("[=~]")));
        const QString name = pair.left(at), want = pair.mid(at + 1);
        const QObject* o = window.findChild<QObject*>(name);
        const QString is = o ? shown(o) : QStringLiteral("<missing>");
        if (pair[at] == u'=' ? is != want : !is.contains(want))
            wrong << name + QStringLiteral(": \"") + is + QStringLiteral("\"");
    }
    return wrong.join(QStringLiteral("; "));
}

// The main window's labels as runnelex-cli calc --labels prints them for the same texts.
QString labelsOfTheCommandLine(const Args& args) {
    QStringList words;
    for (const std::string& word : args)
        words << QString::fromStdString(word);
    return test::cliLabels(words.join(u' ')) + u';';
}

// The worked example's labels as the program has always shown them.
const QString kWorkedLabels = QStringLiteral(
    "lblrV050=4.5363;lblrQ050=1.7814;lblrV075=5.1418;lblrQ075=3.2488;lblrV093=5.0323;"
    "lblrQ093=3.8307;lblrV100=4.5363;lblrQ100=3.5628;lblrDnorm=0.5359;lblrAreaW=0.4285;"
    "lblrPerimW=1.6426;lblrRh=0.2609;lblrVnorm=4.6671;lblrFrNo=1.2548;lblrDcr=0.6034;"
    "lblrDoverD=0.5359;lblrRegime=Supercritical;lblrHf=0.0032;lblrVfull=2.5465;"
    "lblFullCondition=If the pipe were flowing full ;lblFullCause=due to tailwater:;"
    "lblCapQ=Q (cfs)");

// In SI the units beside the results, whatever the inputs.
const QString kSiCaptions = QString::fromUtf8(
    "lblrVnormUnits=m/s;lblrDnormUnit=m;lbluDcr=m;lblrAreaWUnits=m\u00b2;lblrPerimWUnits=m;"
    "lblrRhUnits=m;lblCapV=V(m/s);Label13=m/s;Label14=m/m");

} // namespace

class SiWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Calculator> c_;
    QTemporaryDir folder_;

    template <typename T = QWidget> T* main(const char* name) {
        return test::get<T>(&c_->window, name);
    }
    // Steps in the main window or in `window`.
    void run(const QString& steps, QWidget* window = nullptr) {
        test::runSteps(window ? window : &c_->window, steps);
    }
    // Alt+T opens the Tools menu of the main window, brought to the front first; the item's
    // access key chooses it.
    void chooseTool(Qt::Key key) {
        c_->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&c_->window));
        QTest::keyClick(&c_->window, Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), key);
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    }
    void switchSystem() { chooseTool(Qt::Key_U); } // "SI &Units"
    bool inSi() const { return c_->window.calcInputs().System == UnitSystem::SI; }
    QString resultsText() const { return c_->results.window()->boxText(); }

private slots:
    void init() {
        test::quietPlatformWarnings();
        c_ = std::make_unique<Calculator>();
        c_->window.show();
        c_->window.activateWindow(); // no window manager activates it on a bare X server
        QVERIFY(QTest::qWaitForWindowActive(&c_->window));
    }
    void cleanup() { c_.reset(); }

    // Switched to SI, the lengths and the flow are written again in the SI units at the lists'
    // positions, the same pipe (12 in. is 304.8 mm): every label is what runnelex-cli calc
    // --units si prints for those texts; switched back, every text, label, list item, caption
    // and spoken name is what it was.
    // Started in either system (runnelex --si), the capacity heading names the flow list's
    // unit in SI; the US calculator keeps its layout text "Q(cfs)" until a flow unit is taken.
    // The Sections window opened then shows the same.
    void startsInEitherSystem_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<QString>("expected");
        QTest::newRow("US") << false << "cmbUnFlo=CFS|MGD|GPM @0;lblCapQ=Q(cfs)";
        QTest::newRow("SI") << true
                            << QString::fromUtf8("cmbUnFlo=m³/s|L/s|ML/d @0;"
                                                 "lblCapQ=Q (m³/s)");
    }
    void startsInEitherSystem() {
        QFETCH(bool, si);
        QFETCH(QString, expected);
        c_ = std::make_unique<Calculator>(si ? UnitSystem::SI : UnitSystem::US);
        c_->window.show();
        c_->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&c_->window));
        QCOMPARE(inSi(), si);
        QCOMPARE(unmet(c_->window, expected + (si ? u';' + kSiCaptions : QString())), QString());
        chooseTool(Qt::Key_S);
        QWidget* sections = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmSections"))
                sections = w;
        QVERIFY(sections != nullptr);
        QTRY_VERIFY(sections->isVisible());
        QCOMPARE(unmet(*sections, expected), QString());
    }

    void switchesBothWaysWithTheMenuKeys_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("specified"); // the labels the US entry gives, when specified
        QTest::addColumn<Args>("us");
        QTest::addColumn<Args>("si");
        QTest::addColumn<QString>("siLists");
        QTest::newRow("the worked example")
            << test::kWorkedSteps << kWorkedLabels
            << Args{"--diam", "12", "--slope", "0.01", "--flow", "2"}
            << Args{"--units", "si",   "--diam", "304.8",
                    "--slope", "0.01", "--flow", "0.056633693184"}
            << QString::fromUtf8("cmbUnDiam=mm|m @0;cmbUnSlope=m/m|% @0;"
                                 "cmbUnFlo=m\u00b3/s|L/s|ML/d @0;lblCapQ=Q (m\u00b3/s)");
        QTest::newRow("feet, percent and MGD keep their places")
            << "cmbUnDiam#1;cmbUnSlope#1;cmbUnFlo#1;txtDiam=0.3;txtSlope=1;txtQinput=50;"
               "txtM=0.012"
            << QString()
            << Args{"--diam", "0.3", "--diam-unit", "ft.", "--slope", "1",    "--slope-unit", "%",
                    "--flow", "50",  "--flow-unit", "MGD", "--n",     "0.012"}
            << Args{"--units",      "si",  "--diam",  "0.09144",
                    "--diam-unit",  "m",   "--slope", "1",
                    "--slope-unit", "%",   "--flow",  "2190.3080838912",
                    "--flow-unit",  "L/s", "--n",     "0.012"}
            << "cmbUnDiam=mm|m @1;cmbUnSlope=m/m|% @1;cmbUnFlo=m\u00b3/s|L/s|ML/d @1;"
               "lblCapQ=Q (L/s)";
    }
    void switchesBothWaysWithTheMenuKeys() {
        QFETCH(QString, steps);
        QFETCH(QString, specified);
        QFETCH(Args, us);
        QFETCH(Args, si);
        QFETCH(QString, siLists);
        run(steps);
        QCOMPARE(unmet(c_->window, specified + u';' + labelsOfTheCommandLine(us)), QString());
        const QString before = test::controlsText(&c_->window);

        switchSystem();
        QVERIFY(inSi());
        QCOMPARE(unmet(c_->window, labelsOfTheCommandLine(si) + kSiCaptions + u';' + siLists +
                                       QStringLiteral(";mnuSiUnits=SI &Units [x]")),
                 QString());

        switchSystem();
        QVERIFY(!inSi());
        QCOMPARE(test::controlsText(&c_->window), before);
    }

    // With a record held the switch asks first. Cancel keeps the system; Switch keeps the US
    // table, and an SI record is refused until it is cleared; Save As offers the dialog first.
    void recordsHeldKeepTheirTable_data() {
        QTest::addColumn<std::optional<int>>("answer"); // none: the box declined (Cancel)
        QTest::addColumn<bool>("switched");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Cancel") << std::optional<int>() << false << false;
        QTest::newRow("Switch") << std::optional<int>(1) << true << false;
        QTest::newRow("Save As") << std::optional<int>(0) << true << true;
    }
    void recordsHeldKeepTheirTable() {
        QFETCH(std::optional<int>, answer);
        QFETCH(bool, switched);
        QFETCH(bool, saved);
        run(test::kWorkedSteps + QStringLiteral(";@cmdSaveLog;@cmdSaveNow"));
        const QString usTable = resultsText();
        QCOMPARE(usTable.section(u'\n', 0, 0), QString::fromStdString(record::headerLine()));
        const QString file = QDir(folder_.path()).filePath(QStringLiteral("held.txt"));
        c_->dialog.answers = {file};
        c_->boxes.answer = answer;

        switchSystem();
        QCOMPARE(c_->boxes.prompts.size(), 1);
        QVERIFY(c_->boxes.prompts[0].startsWith("The results window holds 1 calculation in US "
                                                "customary units."));
        QCOMPARE(inSi(), switched);
        QCOMPARE(main<QComboBox>("cmbUnDiam")->itemText(0), switched ? "mm" : "in.");
        QCOMPARE(c_->dialog.requests.size(), saved ? 1u : 0u);
        QCOMPARE(test::readAll(file), saved ? usTable.toUtf8() : "<unreadable>");
        QCOMPARE(resultsText(), usTable);
        if (!switched)
            return;

        run(QStringLiteral("@cmdSaveNow"));
        QCOMPARE(c_->boxes.prompts.size(), 2);
        QVERIFY(c_->boxes.prompts[1].startsWith("Unable to Append to File  ("));
        QCOMPARE(resultsText(), usTable);
        run(QStringLiteral("@cmdClear;"), c_->results.window());
        run(QStringLiteral("@cmdSaveNow"));
        const QStringList lines = resultsText().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString::fromStdString(record::headerLine(UnitSystem::SI)));
        QVERIFY(lines[1].contains(
            QString::fromUtf8("\t0.056633693184\tm\u00b3/s\t304.8\tmm\t0.01\tm/m\t")));
    }

    // Each tool window, open when the main window switches, follows it: its lists, units,
    // results and texts are the SI ones, the same pipe as the texts it held (12 in., 2 CFS).
    void toolWindowsFollow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("steps"); // in the tool window, after the switch
        QTest::addColumn<QString>("expected");
        QTest::newRow("Sections")
            << int(Qt::Key_S) << "frmSections"
            << ""
            << QString::fromUtf8("cmbUnDiam=mm|m @0;cmbUnFlo=m\u00b3/s|L/s|ML/d @0;"
                                 "lblrDnormUnit=m;lblrAreaWUnit=m\u00b2;lblCapV=V(m/s);"
                                 "lblrHfUnit=m/m;lblCapQ=Q (m\u00b3/s);lblrDnorm=0.1633;"
                                 "lblrDcr=0.184;lblrVnorm=1.4225;cmbCatalogue~|100 mm|150 mm|;"
                                 "picSection~D = 304.8 mm, water at Dnorm = 0.1633 m, Dcr = "
                                 "0.184 m");
        QTest::newRow("Range Report")
            << int(Qt::Key_R) << "frmRangeReport"
            << "txtVary1=0.05" // Enter runs it
            << QString::fromUtf8(
                   "cmbUnDiam=mm|m @0;"
                   "txtCommand=runnelex-cli report --units si --diam 304.8 --slope 0.01 --vary "
                   "flow=0.05;"
                   "grdRows~Pipe ID\tQ\tQunit\tDiam\tunit\tSlope\tunit\tn\tDepth (m)\tVel. (m/s)\t"
                   "Fr. #\tDcrit(m)\tCapacity\tMax Q\n"
                   "\t0.05\tm\u00b3/s\t304.8\tmm\t0.01\tm/m\t0.013\t");
        QTest::newRow("Pipe Picture")
            << int(Qt::Key_P) << "frmPipePicture"
            << ""
            << QString::fromUtf8("lblrDnorm2Unit=m;lblrVnorm2Unit=m/s;"
                                 "picPipe~D = 304.8 mm   S = 0.01 m/m   n = 0.013   Q = "
                                 "0.056633693184 m\u00b3/s. Cross-section: water at Dnorm = "
                                 "0.1633 m, critical depth Dcr = 0.184 m dashed;"
                                 "txtSizeMinVelocity=0.6;lblSizeVelocityUnit=m/s;"
                                 "lblSizeList=Sizes (mm);tblSizes~Diam (mm)\td/D\tDnorm (m)\t"
                                 "Vnorm (m/s)\tQ full (m\u00b3/s)\tMax Q (m\u00b3/s);"
                                 "lblrSizeChosen=First size meeting every criterion: 300 mm");
    }
    void toolWindowsFollow() {
        QFETCH(int, key);
        QFETCH(QString, name);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        run(QStringLiteral("txtDiam=12;txtSlope=0.01;txtQinput=2"));
        chooseTool(static_cast<Qt::Key>(key));
        QWidget* tool = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name)
                tool = w;
        QVERIFY(tool != nullptr && tool->objectName() == name);
        QTRY_VERIFY(tool->isVisible());

        switchSystem();
        QVERIFY(inSi());
        run(steps, tool);
        QTRY_COMPARE_WITH_TIMEOUT(unmet(*tool, expected), QString(), 20000);
    }
};

} // namespace runnelex

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    runnelex::SiWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "si_windows_test.moc"
