// SPDX-License-Identifier: GPL-3.0-or-later
// The Range Report window driven with real keys and clicks beside a real main window: its rows
// are those of runnelex-cli report, it stays live, stops cleanly, saves and copies.
#include <QScrollBar>

#include "report/report_plan.h"
#include "report_window/frm_range_report.h"
#include "report_window/range_report_tool.h"
#include "report_window/report_model.h"
#include "ui/window_harness.h"

namespace runnelex {

namespace {

using Args = std::vector<std::string>;
const QString kFailure = "Unable to Open File (already open?). Please try a different name. (";
const QByteArray kOld = "an older table\n";
// About a million rows: long enough to stop in the middle.
const QString kLongRun = "txtDiam=12;txtSlope=0.01;txtVary1=0.001:10:0.00001";

// runnelex-cli report in process: its status, output and the first line of its errors.
struct CliRun {
    int status;
    QByteArray out;
    std::string err;
};
CliRun reportRun(Args args) {
    args.insert(args.begin(), "report");
    cli::StringOutput out, err;
    const int status = cli::runCli(args, cli::coreCommands(), out, err);
    out.flush();
    err.flush();
    return {status, QByteArray::fromStdString(out.text()),
            err.text().substr(0, err.text().find('\n'))};
}
QByteArray cliOut(const Args& args) {
    return reportRun(args).out;
}

// The texts of an entry and its unit positions.
QStringList texts(const CalcEntry& e) {
    const auto q = [](const std::string& s) {
        return QString::fromStdString(s);
    };
    return {q(e.pipe),  q(e.dimensions.get("diam")),
            q(e.slope), q(e.flow),
            q(e.n),     QString("%1 %2 %3").arg(e.diamUnit).arg(e.slopeUnit).arg(e.flowUnit)};
}

// The "&X" access keys among the texts, lower-cased.
QStringList accessKeys(const QStringList& texts) {
    QStringList keys;
    for (const QString& t : texts) {
        const qsizetype at = t.indexOf(u'&');
        if (at >= 0 && at + 1 < t.size() && t[at + 1] != u'&')
            keys << t.mid(at + 1, 1).toLower();
    }
    return keys;
}

} // namespace

class RangeReportWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<test::WindowHarness> h_;
    test::FakeSaveDialog dialog_;
    std::unique_ptr<RangeReportTool> tool_;

    FrmRangeReport& window() {
        if (!tool_->window())
            qFatal("the Range Report window is not open");
        return *tool_->window();
    }
    template <typename T = QWidget> T* get(const char* name) {
        return test::get<T>(&window(), name);
    }
    QTableView* table() { return get<QTableView>("grdRows"); }
    QAbstractItemModel* model() { return table()->model(); }
    void click(const char* name) { QTest::mouseClick(get(name), Qt::LeftButton); }
    QString path(const char* name) const { return QDir(folder_.path()).filePath(name); }

    // Typed texts are not committed: Enter in a box runs the report.
    void run(const QString& steps) { test::runSteps(&window(), steps, false); }
    void openFromTheMenu() {
        QTest::keyClick(h_->window.get(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_R);
        QTRY_VERIFY(tool_->window() && tool_->window()->isVisible());
    }
    bool waitIdle() {
        return QTest::qWaitFor([&] { return !window().busy(); }, 60000);
    }
    // Saves through the scripted dialog, with the filter given (TSV when empty).
    void saveAs(const QString& file, const QString& filter = {}) {
        dialog_.answers = {file};
        if (!filter.isEmpty())
            dialog_.filters = {filter};
        click("cmdSaveAs");
        QVERIFY(waitIdle());
    }
    QString cell(int row, int column) { return model()->index(row, column).data().toString(); }

private slots:
    void init() {
        QVERIFY(folder_.isValid());
        h_ = std::make_unique<test::WindowHarness>();
        dialog_ = {};
        tool_ = std::make_unique<RangeReportTool>(*h_->window, h_->boxes, dialog_);
        QVERIFY(h_->showActive());
    }
    void cleanup() {
        tool_.reset();
        h_.reset();
        QDir(folder_.path()).removeRecursively();
        QDir().mkpath(folder_.path());
    }
    void cleanupTestCase() {
        // Nothing but the saved files: no settings, no dialog history, no cache.
        QCOMPARE(test::filesBelow(test::privateHome()), QStringList());
    }

    // Tools > Range Report... opens one window with the main window's entry; open again while
    // it shows, it keeps the user's edits; shown again later, it starts from the main window.
    void menuOpensOneWindowWithTheMainEntry() {
        QMenu* tools = h_->window->findChild<QMenu*>("mnuTools");
        QVERIFY(tools);
        QCOMPARE(tool_->menuItem()->objectName(), "mnuRangeReport");
        QCOMPARE(tool_->menuItem()->text(), "&Range Report...");
        QStringList items, menus;
        for (QAction* a : tools->actions())
            items << a->text();
        for (QAction* a : h_->window->menuBar()->actions())
            menus << a->text();
        for (const QStringList& texts : {items, menus}) {
            const QStringList keys = accessKeys(texts);
            QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        }

        h_->run("cmbUnSlope#1;txtDiam=24;txtSlope=0.5;txtQinput=10;txtM=0.011;txtPipeID<P 1");
        openFromTheMenu();
        FrmRangeReport* first = tool_->window();
        QCOMPARE(texts(first->entry()), QStringList({"P 1", "24", "0.5", "10", "0.011", "0 1 0"}));
        QVERIFY(!first->isModal() && !first->parentWidget());
        // Beside the main window where the screen has room for it.
        const QRect room = first->screen()->availableGeometry(), main = h_->window->frameGeometry();
        const int needed = first->minimumSizeHint().width();
        if (room.right() - main.right() >= needed || main.left() - room.left() >= needed)
            QVERIFY(first->frameGeometry().right() < main.left() ||
                    first->frameGeometry().left() > main.right());
        // Never larger than the screen (where it lands inside its frame is the window system's).
        QVERIFY(first->width() <= room.width() && first->height() <= room.height());
        // The flow is varied: its box has nothing to say, and the command line shows it.
        QVERIFY(!get("txtQinput")->isEnabled());
        run("txtVary1=1:3:1");
        QCOMPARE(get<QPlainTextEdit>("txtCommand")->toPlainText(),
                 "runnelex-cli report --pipe 'P 1' --diam 24 --slope 0.5 --slope-unit % --n 0.011 "
                 "--vary flow=1:3:1");

        run("txtDiam=30");
        tool_->menuItem()->trigger();
        QCOMPARE(tool_->window(), first);
        QCOMPARE(texts(first->entry())[1], "30");

        click("cmdClose");
        QVERIFY(!first->isVisible());
        h_->run("txtDiam=36");
        openFromTheMenu();
        QCOMPARE(tool_->window(), first);
        QCOMPARE(texts(first->entry())[1], "36");
        run("txtDiam=1;cmbUnFlo#2");
        click("cmdFromMain");
        QCOMPARE(texts(first->entry()), QStringList({"P 1", "36", "0.5", "10", "0.011", "0 1 0"}));

        // Every access key of the window is its own.
        QStringList captions;
        for (const QLabel* l : first->findChildren<QLabel*>())
            captions << l->text();
        for (const QAbstractButton* b : first->findChildren<QAbstractButton*>())
            captions << b->text();
        for (const QGroupBox* g : first->findChildren<QGroupBox*>())
            captions << g->title();
        const QStringList keys = accessKeys(captions);
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        QVERIFY(h_->boxes.prompts.isEmpty());
    }

    // The rows, the file saved in either format, and the marks, for the same request as the
    // command line's.
    void rowsAreThoseOfTheCommandLine_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<Args>("cli");
        QTest::addColumn<QString>("status");
        QTest::newRow("flows through the surcharge")
            << "txtDiam=12;txtSlope=0.01;txtVary1=0.5:4.5:0.5"
            << Args{"--diam", "12", "--slope", "0.01", "--vary", "flow=0.5:4.5:0.5"}
            << "9 rows, 2 surcharged, 0 faulted";
        QTest::newRow("diameters by slopes, feet, percent, GPM")
            << "cmbVary1#0;txtVary1=1,1.5,2;cmbVary2#1;txtVary2=0.1:0.5:0.2;txtPipeID=MH 7;"
               "cmbUnDiam#1;cmbUnSlope#1;cmbUnFlo#2;txtQinput=900;txtM=0.011"
            << Args{"--pipe",       "MH 7",
                    "--diam-unit",  "ft.",
                    "--slope-unit", "%",
                    "--flow",       "900",
                    "--flow-unit",  "GPM",
                    "--n",          "0.011",
                    "--vary",       "diam=1,1.5,2",
                    "--vary",       "slope=0.1:0.5:0.2"}
            << "9 rows, 1 surcharged, 0 faulted"; // 1 ft at 0.1 %
        QTest::newRow("a faulted point")
            << "cmbVary1#0;txtVary1=1,1e200,2;cmbUnDiam#1;txtSlope=0.01;txtQinput=2"
            << Args{"--diam-unit", "ft.", "--slope", "0.01",
                    "--flow",      "2",   "--vary",  "diam=1,1e200,2"}
            << "3 rows, 0 surcharged, 1 faulted";
        QTest::newRow("box spans by rises, feet")
            << "cmbShape#2;cmbUnDiam#1;txtSlope=0.005;cmbVary1#1;txtQinput=60;txtVary1=4,6;"
               "cmbVary2#1;txtVary2=3:4:1"
            << Args{"--shape", "box", "--diam-unit", "ft.",      "--slope", "0.005",
                    "--flow",  "60",  "--vary",      "span=4,6", "--vary",  "rise=3:4:1"}
            << "4 rows, 0 surcharged, 0 faulted";
        QTest::newRow("an elliptical pipe's flows up to surcharged")
            << "cmbShape#4;txtSpan=60;txtRise=38;txtSlope=0.01;cmbVary1#4;txtVary1=50:170:60"
            << Args{"--shape", "ellipse", "--span", "60",     "--rise",
                    "38",      "--slope", "0.01",   "--vary", "flow=50:170:60"}
            << "3 rows, 1 surcharged, 0 faulted";
        QTest::newRow("horseshoe diameters, feet")
            << "cmbShape#5;cmbUnDiam#1;txtSlope=0.001;cmbVary1#0;txtQinput=200;txtVary1=6,8"
            << Args{"--shape", "horseshoe", "--diam-unit", "ft.",    "--slope",
                    "0.001",   "--flow",    "200",         "--vary", "diam=6,8"}
            << "2 rows, 1 surcharged, 0 faulted";
    }
    // "Then vary" offers the inputs of the shape shown but the one already varied.
    void thenVaryOffersTheShapesOtherInputs_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("a circle, the flow varied")
            << "" << QStringList{"(none)", "Diameter", "Slope", "n"};
        QTest::newRow("a box, its span varied")
            << "cmbShape#2;cmbVary1#1"
            << QStringList{"(none)", "Rise", "Slope", "Q (flowrate)", "n"};
        QTest::newRow("a square, the slope varied")
            << "cmbShape#1;cmbVary1#3" << QStringList{"(none)", "Side", "Q (flowrate)", "n"};
        QTest::newRow("a horseshoe, its diameter varied")
            << "cmbShape#5;cmbVary1#0" << QStringList{"(none)", "Slope", "Q (flowrate)", "n"};
    }
    void thenVaryOffersTheShapesOtherInputs() {
        QFETCH(QString, steps);
        tool_->open();
        run(steps);
        const auto* list = get<QComboBox>("cmbVary2");
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        QTEST(items, "items");
    }

    // ... and the columns of a box's span and rise are named with their unit.
    void boxDimensionsHaveColumns() {
        tool_->open();
        run("cmbShape#2;cmbUnDiam#1;txtSlope=0.005;txtQinput=60;cmbVary1#1;txtVary1=4,6;"
            "cmbVary2#1;txtVary2=3:4:1");
        click("cmdRun");
        QVERIFY(waitIdle());
        const QHeaderView* header = table()->horizontalHeader();
        QCOMPARE(model()->headerData(header->logicalIndex(0), Qt::Horizontal), "Span (ft.)");
        QCOMPARE(model()->headerData(header->logicalIndex(1), Qt::Horizontal), "Rise (ft.)");
    }
    void rowsAreThoseOfTheCommandLine() {
        QFETCH(QString, steps);
        QFETCH(Args, cli);
        tool_->open();
        run(steps);
        click("cmdRun");
        QVERIFY(waitIdle());
        QTEST(get<QLabel>("lblStatus")->text(), "status");
        QCOMPARE(get<QProgressBar>("prgReport")->value(),
                 get<QProgressBar>("prgReport")->maximum());
        // The varied input leads, then the results the user reads: depth, velocity, Froude...
        const QHeaderView* header = table()->horizontalHeader();
        // (two varied inputs lead; a box's span and rise each in a column of its own)
        const bool two = cli.end()[-4] == "--vary";
        QCOMPARE(model()->headerData(header->logicalIndex(two ? 2 : 1), Qt::Horizontal).toString(),
                 "Depth (ft)");

        const QByteArray tsv = cliOut(cli);
        saveAs(path("table.txt"));
        QCOMPARE(test::readAll(path("table.txt")), tsv);
        Args csv = cli;
        csv.insert(csv.end(), {"--format", "csv"});
        saveAs(path("table.csv"), "comma-separated values (*.csv)");
        QCOMPARE(test::readAll(path("table.csv")), cliOut(csv));
        QCOMPARE(dialog_.requests.back().directory, test::privateHome()); // no documents folder
        QVERIFY(h_->boxes.prompts.isEmpty());

        // The table shows each row's fields; surcharged and faulted rows stand out.
        const QList<QByteArray> lines = tsv.split('\n');
        QCOMPARE(model()->rowCount(), lines.size() - 2); // the header and the final line end
        for (int r = 0; r < model()->rowCount(); ++r) {
            const QList<QByteArray> fields = lines[r + 1].split('\t');
            for (int c = 0; c < fields.size(); ++c)
                QCOMPARE(cell(r, c).toUtf8(), fields[c]);
            // The varied dimensions beside the record, as its section's text has them (these
            // rows vary all of a shape's dimensions: a box's span and rise, a horseshoe's).
            QStringList varied;
            for (int c = int(fields.size()); c < model()->columnCount(); ++c)
                varied << cell(r, c);
            if (!varied.isEmpty())
                QCOMPARE(fields[3].split(' ').back(), varied.join('x').toUtf8());
            const bool surcharged = fields[8].isEmpty() && !fields[13].isEmpty();
            const bool faulted = fields[8].startsWith("arithmetic error: ");
            const QModelIndex flow = model()->index(r, 1);
            QCOMPARE(flow.data(Qt::BackgroundRole).isValid(), surcharged || faulted);
            QCOMPARE(flow.data(Qt::FontRole).value<QFont>().bold(), surcharged);
            if (surcharged)
                QCOMPARE(flow.data(Qt::ToolTipRole).toString(), ReportModel::surchargeTip());
            if (faulted)
                QVERIFY(flow.data(Qt::ToolTipRole).toString().contains("Overflow"));
        }
    }

    // A value or a text the command line refuses is refused in the words of the window's own
    // boxes, and nothing runs; a run of more than a million rows asks first.
    void badTextsAreRefusedInTheWindowsWords_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("message");
        QTest::newRow("a value") << "txtVary1=0.5:x:1"
                                 << "Values of Q (flowrate) \"0.5:x:1\": TO \"x\" is not a decimal "
                                    "number (a range FROM:TO:STEP or a list V1,V2,...)";
        QTest::newRow("no values") << ""
                                   << "Type the values of Q (flowrate) into Values: a range "
                                      "FROM:TO:STEP or a list V1,V2,...";
        QTest::newRow("a zero in a list")
            << "txtVary1=1,0"
            << "Values of Q (flowrate), value \"0\": Q must be a positive real "
               "number.";
        QTest::newRow("a fixed text") << "txtDiam=1,2;txtVary1=1"
                                      << "Diameter \"1,2\": Diameter must be a positive real "
                                         "number.";
        QTest::newRow("an empty n") << "txtM=;txtVary1=1"
                                    << "n \"\": Manning's n must be a positive real number.";
        QTest::newRow("a box without its rise")
            << "cmbShape#2;txtSpan=6;txtVary1=1"
            << "A box needs its span and its rise: type them, or vary one of them.";
        QTest::newRow("a diameter of a box") << "cmbShape#2;cmbVary1#0;txtVary1=1"
                                             << "A box has no diameter: vary its span or its rise.";
        QTest::newRow("a square without its side")
            << "cmbShape#1;txtVary1=1"
            << "A square needs its side: type it, or vary it.";
        QTest::newRow("a span of a circle") << "cmbVary1#1;txtVary1=1"
                                            << "A circle has no span: vary its diameter.";
        QTest::newRow("too many rows") << "txtVary1=0.000001:100:0.000001"
                                       << "The report would have 100000000 rows; this window "
                                          "holds at most 10000000. \"runnelex-cli report\" (the "
                                          "command line shown) writes any number of rows.";
        QTest::newRow("two million rows, declined")
            << "txtDiam=12;txtSlope=0.01;txtVary1=0.001:20:0.00001"
            << "The report will have 1999901 rows and hold about ";
    }
    void badTextsAreRefusedInTheWindowsWords() {
        QFETCH(QString, steps);
        QFETCH(QString, message);
        tool_->open();
        run(steps);
        click("cmdRun");
        QCOMPARE(h_->boxes.prompts.size(), 1);
        QVERIFY2(h_->boxes.prompts.front().startsWith(message),
                 qPrintable(h_->boxes.prompts.front()));
        QVERIFY(!h_->boxes.prompts.front().contains("--"));
        QVERIFY(!window().busy());
        QCOMPARE(model()->rowCount(), 0);
        QVERIFY(!get("cmdSaveAs")->isEnabled());
    }

    // A long run fills the table while the window answers; Cancel keeps the rows made, which
    // are the first rows of the command line's report.
    void cancelKeepsTheFirstRows() {
        tool_->open();
        run(kLongRun);
        click("cmdRun");
        QVERIFY(window().busy() && get("cmdCancel")->isEnabled() && !get("cmdRun")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(model()->rowCount() > 0, 20000);
        const int early = model()->rowCount();
        // The event loop runs meanwhile: the view scrolls, rows keep coming, the bar moves.
        QTest::keyClick(table(), Qt::Key_End, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(model()->rowCount() > early, 20000);
        QVERIFY(get<QProgressBar>("prgReport")->value() > 0);
        click("cmdCancel");
        QVERIFY(waitIdle());
        const int kept = model()->rowCount();
        QVERIFY(kept > early && kept < 999901);
        QVERIFY(get<QLabel>("lblStatus")->text().startsWith("Stopped after "));
        QTest::qWait(200);
        QCOMPARE(model()->rowCount(), kept);

        saveAs(path("part.txt"));
        const std::string last = cell(kept - 1, 1).toStdString();
        QCOMPARE(test::readAll(path("part.txt")),
                 cliOut({"--diam", "12", "--slope", "0.01", "--vary",
                         "flow=0.001:" + last + ":0.00001"}));
    }

    // Closing the window, or ending the program, during a run stops it at once.
    void closingStopsTheRun() {
        tool_->open();
        run(kLongRun);
        click("cmdRun");
        QTRY_VERIFY_WITH_TIMEOUT(model()->rowCount() > 0, 20000);
        click("cmdClose");
        QVERIFY(!window().isVisible() && !window().busy());
        const int kept = model()->rowCount();
        QTest::qWait(200);
        QCOMPARE(model()->rowCount(), kept);

        tool_->open();
        click("cmdRun");
        QTRY_VERIFY_WITH_TIMEOUT(model()->rowCount() > 0, 20000);
        QVERIFY(window().busy());
        tool_.reset();     // the program ends: the window goes with its threads
        QTest::qWait(100); // nothing queued may reach the window now gone
    }

    // A save that cannot be done says so with the results window's words and leaves the old
    // file; a cancelled dialog writes nothing.
    void failedSavesLeaveTheOldFile_data() {
        QTest::addColumn<QString>("answer"); // empty: cancelled
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "no such folder/table.txt"
                                        << "No such file or directory";
        QTest::newRow("dialog failure") << "table.txt"
                                        << "the dialog could not open";
        QTest::newRow("cancelled") << ""
                                   << "";
    }
    void failedSavesLeaveTheOldFile() {
        QFETCH(QString, answer);
        QFETCH(QString, reason);
        tool_->open();
        run("txtDiam=12;txtSlope=0.01;txtVary1=0.5:4.5:0.5");
        click("cmdRun");
        QVERIFY(waitIdle());
        QVERIFY(test::writeFile(path("table.txt"), kOld));
        if (!answer.isEmpty())
            dialog_.answers = {QDir(folder_.path()).filePath(answer)};
        if (QTest::currentDataTag() == QLatin1String("dialog failure"))
            dialog_.failure = reason.toStdString();
        click("cmdSaveAs");
        QVERIFY(waitIdle());
        QCOMPARE(h_->boxes.prompts,
                 reason.isEmpty() ? QStringList() : QStringList{kFailure + reason + ")"});
        QCOMPARE(test::readAll(path("table.txt")), kOld);
        QCOMPARE(QDir(folder_.path()).entryList(QDir::Files), QStringList{"table.txt"});
    }

    // Copy puts the selected rows on the clipboard as TSV under the header line, by the button
    // or Ctrl+C; a report run again starts at the left of the table.
    void copyPutsTheSelectedRowsOnTheClipboard() {
        tool_->open();
        run("txtDiam=12;txtSlope=0.01;txtVary1=0.5:4.5:0.5");
        click("cmdRun");
        QVERIFY(waitIdle());
        QVERIFY(!get("cmdCopy")->isEnabled());
        const QList<QByteArray> rows =
            cliOut({"--diam", "12", "--slope", "0.01", "--vary", "flow=0.5:4.5:0.5"}).split('\n');
        const auto at = [&](int row) {
            return table()->visualRect(model()->index(row, 3)).center();
        };
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, at(1));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(3));
        QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(waitIdle());
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(),
                 rows[0] + '\n' + rows[2] + '\n' + rows[3] + '\n' + rows[4] + '\n');

        QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::ControlModifier, at(7));
        click("cmdCopy");
        QVERIFY(waitIdle());
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), rows[0] + '\n' + rows[2] + '\n' +
                                                                    rows[3] + '\n' + rows[4] +
                                                                    '\n' + rows[8] + '\n');
        QCOMPARE(get<QLabel>("lblStatus")->text(), "Copied 4 rows");

        QScrollBar* across = table()->horizontalScrollBar();
        across->setValue(across->maximum());
        QVERIFY(across->value() > 0);
        click("cmdRun");
        QVERIFY(waitIdle());
        QCOMPARE(across->value(), 0);
    }
};

} // namespace runnelex

RUNNELEX_PRIVATE_HOME_MAIN(runnelex::RangeReportWindowTest)
#include "range_report_window_test.moc"
