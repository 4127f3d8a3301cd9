// SPDX-License-Identifier: GPL-3.0-or-later
// The sections window driven with real keys and clicks beside a real main window: it shows what
// runnelex-cli calc shows for the same shape and texts, gives the peak open-channel flow,
// records while logging is on, and names every control with its value.
#include <cmath>

#include <QAccessible>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "calc/calc_request.h"
#include "common/number_text.h"
#include "picture/frm_pipe_picture.h"
#include "report/table_reader.h"
#include "sections_window/frm_sections.h"
#include "sections_window/section_view.h"
#include "sections_window/sections_tool.h"
#include "ui/main/result_label.h"
#include "ui/window_harness.h"

namespace runnelex {

using Args = std::vector<std::string>;

// The lines runnelex-cli prints for these arguments, run in process.
QStringList cliLines(const Args& args) {
    cli::StringOutput out, err;
    if (cli::runCli(args, cli::coreCommands(), out, err) != 0)
        qFatal("runnelex-cli failed");
    out.flush();
    return QString::fromStdString(out.text()).split(u'\n');
}

class SectionsWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::WindowHarness> h_;
    test::FakeSaveDialog dialog_;
    std::unique_ptr<SectionsTool> tool_;

    FrmSections& window() { return *tool_->window(); }
    template <typename T = QWidget> T* get(const QString& name) {
        return test::get<T>(&window(), name);
    }
    void run(const QString& steps) { test::runSteps(&window(), steps); }

private slots:
    void init() {
        h_ = std::make_unique<test::WindowHarness>();
        tool_ = std::make_unique<SectionsTool>(*h_->window, h_->boxes, h_->log, dialog_);
        QVERIFY(h_->showActive());
    }
    void cleanup() {
        tool_.reset();
        h_.reset();
    }

    // Every result label shows what runnelex-cli calc --labels prints for the same shape and
    // texts; the window starts from the main window's entry; "Record" records the line calc
    // prints.
    void resultsAreThoseOfTheCommandLine_data() {
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<Args>("cli");
        QTest::addColumn<double>("peakOverFull"); // 0: not checked
        QTest::newRow("from the main window")
            << "txtDiam=12;txtSlope=0.01;txtQinput=2;cmbUnFlo#1"
            << "" << Args{"--diam", "12", "--slope", "0.01", "--flow", "2", "--flow-unit", "MGD"}
            << 0.0;
        QTest::newRow("a square from the catalogue, GPM")
            << "txtSlope=0.5;cmbUnSlope#1"
            << "cmbShape#1;cmbCatalogue#2;cmbUnFlo#2;txtQinput=20000;txtPipeID=S 1"
            << Args{"--pipe",      "S 1",   "--shape",     "square", "--diam",       "4",
                    "--diam-unit", "ft.",   "--slope",     "0.5",    "--slope-unit", "%",
                    "--flow",      "20000", "--flow-unit", "GPM"}
            << std::pow(4.0 / 3.0, 2.0 / 3.0);
        QTest::newRow("a box typed, surcharged")
            << ""
            << "cmbShape#2;cmbUnDiam#1;txtSpan=3;txtRise=2;txtSlope=0.001;txtQinput=30"
            << Args{"--shape",     "box", "--span",  "3",     "--rise", "2",
                    "--diam-unit", "ft.", "--slope", "0.001", "--flow", "30"}
            << std::pow(10.0 / 7.0, 2.0 / 3.0); // 3 x 2: R 6/7 under the lid, 6/10 with it
        QTest::newRow("an elliptical pipe from the catalogue, two normal depths")
            << ""
            << "cmbShape#4;cmbCatalogue#9;txtSlope=0.01;txtQinput=150"
            << Args{"--shape", "ellipse", "--span", "60",     "--rise",
                    "38",      "--slope", "0.01",   "--flow", "150"}
            << 0.0;
        QTest::newRow("a horseshoe typed, surcharged")
            << ""
            << "cmbShape#5;cmbUnDiam#1;txtDiam=8;txtSlope=0.001;txtQinput=331"
            << Args{"--shape", "horseshoe", "--diam", "8",      "--diam-unit",
                    "ft.",     "--slope",   "0.001",  "--flow", "331"}
            << 0.0;
        QTest::newRow("an arch typed with its family, two normal depths")
            << ""
            << "cmbShape#6;txtSpan=58.5;txtRise=36;txtFamily=concrete;txtSlope=0.01;txtQinput=125"
            << Args{"--shape",  "arch",     "--span",  "58.5", "--rise", "36",
                    "--family", "concrete", "--slope", "0.01", "--flow", "125"}
            << 0.0;
        // The law's list, its typical values in the roughness's own unit, its further inputs.
        QTest::newRow("Colebrook-White from the typical values")
            << ""
            << "cmbLaw#2;cmbTypical#5;txtDiam=12;txtSlope=0.01;txtQinput=2"
            << Args{"--law",  "colebrook", "--k",     "1.5",  "--k-unit", "mm",
                    "--diam", "12",        "--slope", "0.01", "--flow",   "2"}
            << 0.0;
        QTest::newRow("Colebrook-White in inches at 60 F")
            << ""
            << "cmbLaw#2;txtM=0.024;txtTemperature=60;txtDiam=15;txtSlope=0.004;txtQinput=3"
            << Args{"--law",  "colebrook", "--k",     "0.024", "--temperature", "60",
                    "--diam", "15",        "--slope", "0.004", "--flow",        "3"}
            << 0.0;
        QTest::newRow("Hazen-Williams typed")
            << ""
            << "cmbLaw#3;txtM=130;txtDiam=12;txtSlope=0.01;txtQinput=2"
            << Args{"--law", "hazen-williams", "--c",  "130",    "--diam",
                    "12",    "--slope",        "0.01", "--flow", "2"}
            << 0.0;
    }
    void resultsAreThoseOfTheCommandLine() {
        QFETCH(QString, main);
        QFETCH(QString, steps);
        QFETCH(Args, cli);
        QFETCH(double, peakOverFull);
        h_->run(main);
        QTest::keyClick(h_->window.get(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
        QTRY_VERIFY(tool_->window() && window().isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        run(steps);

        Args labels = cli;
        labels.insert(labels.begin(), "calc");
        labels.push_back("--labels");
        const QStringList lines = cliLines(labels);
        for (qsizetype i = 0; i < qsizetype(kLabelCount); ++i) {
            const QString name = lines.at(i).section(u'\t', 0, 0);
            QCOMPARE(name + '\t' + get<QLabel>(name)->text(), lines.at(i));
        }
        // The peak open-channel flow beside the full-flow capacity: a box's just under the lid.
        const double full = get<QLabel>("lblrQ100")->text().toDouble();
        const double peak = get<QLabel>("lblrQpeak")->text().toDouble();
        QVERIFY(peak > full);
        if (peakOverFull > 0)
            QVERIFY2(std::abs(peak / full - peakOverFull) < 1e-3,
                     qPrintable(QString::number(peak)));

        QVERIFY(!get("cmdRecord")->isEnabled());
        QTest::mouseClick(h_->get("cmdSaveLog"), Qt::LeftButton);
        QVERIFY(get("cmdRecord")->isEnabled());
        QTest::mouseClick(get("cmdRecord"), Qt::LeftButton);
        QTest::keyClick(get("txtPipeID"), Qt::Key_Return); // as Enter in the main window's name
        cli.insert(cli.begin(), "calc");
        QCOMPARE(h_->log.records, QStringList(2, cliLines(cli).at(1)));
        h_->log.closeHandler(); // the results window's Close
        QVERIFY(!get("cmdRecord")->isEnabled());
        QVERIFY(h_->boxes.prompts.isEmpty());
    }

    // A record names the inputs its results were computed from, whatever the boxes show after
    // a rejection, an empty commit or a unit change; a section without its size is not
    // recorded. Every record either window makes reads back through batch's reader and
    // recomputes to itself; the last is the record calc prints for `cli` (none when empty).
    void recordsCarryTheInputsOfTheirResults_data() {
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("sections"); // empty: the window stays closed
        QTest::addColumn<Args>("cli");
        QTest::addColumn<QStringList>("prompts");
        QTest::addColumn<QString>("shown"); // name=text pairs the sections window shows
        const QString slope = "Slope must be a positive real number.";
        QTest::newRow("main: a rejected slope, then Now")
            << "txtDiam=12;txtSlope=0.01;txtQinput=5;txtSlope=0;@cmdSaveNow"
            << "" << Args{"--diam", "12", "--slope", "0.01", "--flow", "5"} << QStringList{slope}
            << "";
        QTest::newRow("main: a diameter emptied, then a run with Always on")
            << "@chkSaveAlways;txtDiam=12;txtSlope=0.01;txtQinput=2;txtDiam=;txtQinput=3"
            << "" << Args{"--diam", "12", "--slope", "0.01", "--flow", "2"} << QStringList{} << "";
        QTest::newRow("main: a rejected diameter read again in feet")
            << "txtDiam=12;txtSlope=0.01;txtQinput=2;txtDiam=0;cmbUnDiam#1;@cmdSaveNow"
            << "" << Args{"--diam", "12", "--slope", "0.01", "--flow", "2"}
            << QStringList{"Diameter must be a positive real number."} << "";
        QTest::newRow("sections: a rejected span")
            << ""
            << "cmbShape#2;cmbUnDiam#1;txtSpan=3;txtRise=2;txtSlope=0.001;txtQinput=5;"
               "txtSpan=0;@cmdRecord"
            << Args{"--shape",     "box", "--span",  "3",     "--rise", "2",
                    "--diam-unit", "ft.", "--slope", "0.001", "--flow", "5"}
            << QStringList{"Span must be a positive real number."} << "lblrQ100=15.4286";
        QTest::newRow("sections: a circle turned box")
            << "txtDiam=12;txtSlope=0.01;txtQinput=2"
            << "cmbShape#2;@cmdRecord" << Args{}
            << QStringList{"Nothing recorded: enter the span and the rise first."}
            << "lblrQ100=;lblrDnorm=;lblrQpeak=";
        QTest::newRow("sections: the box completed")
            << "txtDiam=12;txtSlope=0.01;txtQinput=2"
            << "cmbShape#2;txtSpan=8;txtRise=4;@cmdRecord"
            << Args{"--shape", "box",     "--span", "8",      "--rise",
                    "4",       "--slope", "0.01",   "--flow", "2"}
            << QStringList{} << "";
    }
    void recordsCarryTheInputsOfTheirResults() {
        QFETCH(QString, main);
        QFETCH(QString, sections);
        QFETCH(Args, cli);
        QTest::mouseClick(h_->get("cmdSaveLog"), Qt::LeftButton);
        h_->run(main);
        if (!sections.isEmpty()) {
            tool_->open();
            QVERIFY(QTest::qWaitForWindowActive(&window()));
            run(sections);
        }
        QTEST(h_->boxes.prompts, "prompts");
        QFETCH(QString, shown);
        for (const QString& pair : shown.split(u';', Qt::SkipEmptyParts))
            QCOMPARE(pair.section(u'=', 0, 0) + '=' + get<QLabel>(pair.section(u'=', 0, 0))->text(),
                     pair);
        for (const QString& line : h_->log.records) {
            const report::TableLine t = report::readTableLine(line.toStdString());
            QVERIFY2(t.kind == report::TableLine::Kind::Row,
                     qPrintable(line + ": " + QString::fromStdString(t.problem)));
            QCOMPARE(QString::fromStdString(record::makeRecord(runRecord(t.request).fields)), line);
        }
        if (cli.empty()) {
            QVERIFY(h_->log.records.isEmpty());
            return;
        }
        QVERIFY(!h_->log.records.isEmpty());
        cli.insert(cli.begin(), "calc");
        QCOMPARE(h_->log.records.last(), cliLines(cli).at(1));
    }

    // The status line tells what the results cannot: an open-channel flow above the full-flow
    // capacity, and inputs far outside the range of Manning's equation; it empties again.
    void statusTellsWhatTheResultsCannot() {
        tool_->open();
        run("txtDiam=12;txtSlope=0.01;txtQinput=3.7");
        const QString above = "Above the full-flow capacity 3.5628 CFS: flowing full, the design "
                              "flow needs a slope of 0.0108 ft/ft, the conduit has 0.01 ft/ft.";
        QCOMPARE(get<QLabel>("lblStatus")->text(), above);
        run("txtM=0.001");
        QCOMPARE(get<QLabel>("lblStatus")->text(),
                 "Far outside the range where Manning's equation holds: Manning's n, 0.001, is "
                 "below 0.005; the results are computed all the same.");
        QVERIFY(get("lblStatus")->accessibleName().startsWith("Status: Far outside"));
        run("txtM=0.013;txtQinput=2");
        QCOMPARE(get<QLabel>("lblStatus")->text(), QString());
        QCOMPARE(get("lblStatus")->accessibleName(), "Status, no notice");
    }

    // A box has what a circle has: the catalogue, listed by span then rise, shows the size
    // typed; "Picture" draws the section, "Size" sizes the shape from its catalogue, smallest
    // area first.
    void boxesHaveWhatCirclesHave() {
        tool_->open();
        run("cmbShape#2;cmbUnDiam#1;txtSpan=6;txtRise=4;txtSlope=0.005;txtQinput=50");
        const auto* catalogue = get<QComboBox>("cmbCatalogue");
        QCOMPARE(catalogue->currentText(), "6x4 ft.");
        QStringList first;
        for (int i = 1; i <= 4; ++i)
            first << catalogue->itemText(i);
        QCOMPARE(first, (QStringList{"3x2 ft.", "3x3 ft.", "4x2 ft.", "4x3 ft."}));
        run("txtRise=4.5");
        QCOMPARE(catalogue->currentIndex(), 0);

        QTest::mouseClick(get("cmdPicture"), Qt::LeftButton);
        FrmPipePicture* picture = tool_->picture();
        QVERIFY(picture != nullptr);
        QTRY_VERIFY(picture->isVisible());
        QTRY_COMPARE(QString::fromStdString(picture->model().title),
                     "Span x rise = 6 x 4.5 ft.   S = 0.005 ft/ft   n = 0.013   Q = 50 CFS");
        QTest::mouseClick(get("cmdSize"), Qt::LeftButton);
        auto* sizes = test::get<QTableWidget>(picture, "tblSizes");
        QCOMPARE(sizes->horizontalHeaderItem(0)->text(), "Span x Rise (ft.)");
        QVERIFY(sizes->rowCount() > 1);
        QCOMPARE(sizes->item(0, 0)->text(), "3x2");
        QVERIFY(h_->boxes.prompts.isEmpty());
    }

    // The catalogue types a box's span and rise in feet; a rejected entry is answered as the
    // main window answers it; every control is named with its value for screen readers.
    void controlsAreHeardWithTheirValues() {
        h_->run("txtDiam=12");
        tool_->open();
        const sizing::SizeList boxes = FrmSections::catalogue(*sections::shapeNamed("box"));
        run("cmbShape#2;cmbCatalogue#5;txtSlope=0.005;txtQinput=50");
        const QString span = QString::fromStdString(generalNumberText(boxes.sizes[4][0]));
        const QString rise = QString::fromStdString(generalNumberText(boxes.sizes[4][1]));
        QCOMPARE(get<QLineEdit>("txtSpan")->text(), span);
        QCOMPARE(get<QLineEdit>("txtRise")->text(), rise);
        QCOMPARE(get<QComboBox>("cmbUnDiam")->currentText(), "ft.");
        QVERIFY(!get("txtDiam")->isVisible() && get("txtSpan")->isVisible());
        QCOMPARE(get("txtSpan")->accessibleName(), "Span " + span + " ft.");
        QCOMPARE(get("lblrVnorm")->accessibleName(),
                 "Vnorm " + get<QLabel>("lblrVnorm")->text() + " ft/sec");
        QVERIFY(get("picSection")->accessibleName().contains("Dnorm = "));

        run("txtSlope=0");
        QCOMPARE(h_->boxes.prompts, QStringList{"Slope must be a positive real number."});
        QCOMPARE(get<QLineEdit>("txtSlope")->text(), QString());
        QCOMPARE(get("txtSlope")->accessibleName(), "Slope, no value");

        for (QWidget* w : window().findChildren<QWidget*>()) {
            const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                                 qobject_cast<QAbstractButton*>(w) ||
                                 qobject_cast<ResultLabel*>(w) || qobject_cast<SectionView*>(w);
            if (!control || qobject_cast<QComboBox*>(w->parentWidget()))
                continue; // a list's own edit field is the list's
            QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
            // A value is heard with it; the notices and headings are heard as their text.
            const bool valued = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                                w->objectName().startsWith("lblr");
            QString value = test::shownText(w);
            if (valued && !value.isEmpty())
                QVERIFY2(a->text(QAccessible::Name).contains(value.remove(u'&')),
                         qPrintable(w->objectName() + ": " + a->text(QAccessible::Name)));
        }
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::SectionsWindowTest)
#include "sections_window_test.moc"
