#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "fake_save_dialog.h"
#include "recording_message_boxes.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/record.h"
#include "results/results_layout.h"

namespace runnelex {

namespace {
const QString kHeader = QString::fromStdString(record::headerLine());
const std::string kRecord1 = "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t"
                             "15.9965\t17.1993";
const std::string kRecord2 = "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307";

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT

    test::RecordingMessageBoxes boxes_;
    test::FakeSaveDialog dialog_;
    std::unique_ptr<ModResults> mod_;
    int closeCalls_ = 0;

    FrmResults& window() {
        FrmResults* w = mod_->window();
        if (!w)
            qFatal("no results window");
        return *w;
    }
    QPushButton* button(const char* name) {
        return window().findChild<QPushButton*>(QString::fromUtf8(name));
    }
    QPlainTextEdit* box() {
        return window().findChild<QPlainTextEdit*>(QStringLiteral("RichTextResults"));
    }
    QString shown() { return box()->toPlainText(); }

private slots:
    void init() {
        boxes_.shown.clear();
        mod_ = std::make_unique<ModResults>(boxes_, dialog_);
        closeCalls_ = 0;
        mod_->setCloseHandler([this] { ++closeCalls_; });
    }
    void cleanup() {
        mod_.reset();
        QVERIFY(boxes_.shown.empty());
    }

    void windowIsATopLevelModelessResultsForm() {
        mod_->showResultsWindow();
        FrmResults& w = window();
        QCOMPARE(w.objectName(), QStringLiteral("frmResults"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Runnelex Calculation Results Form"));
        QVERIFY(w.isWindow());
        QCOMPARE(w.parentWidget(), nullptr);
        QCOMPARE(w.windowModality(), Qt::NonModal);
        QVERIFY(w.isVisible());
        QVERIFY(box());
        QVERIFY(!box()->isReadOnly());
    }

    void buttons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        QTest::newRow("save") << "cmdSaveResults"
                              << "Save As..."
                              << "Click Here to Save Visible Results to File";
        QTest::newRow("clear") << "cmdClear"
                               << "Clear"
                               << "Click Here to Clear Visible Calculations";
        QTest::newRow("close") << "cmdClose"
                               << "Close"
                               << "Click Here to Dismiss Results Form";
    }
    void buttons() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, tip);
        mod_->showResultsWindow();
        QPushButton* b = button(name.toUtf8().constData());
        QVERIFY(b);
        QCOMPARE(b->text(), text);
        QCOMPARE(b->toolTip(), tip);
    }

    void firstShowingGreetsWithTheStartText() {
        mod_->showResultsWindow();
        QCOMPARE(shown(), QStringLiteral("Calculations will be displayed here...   Click \"Save "
                                         "As...\" when ready to save results to file."));
        QCOMPARE(mod_->text().ResultsHeader(), record::headerLine());
    }

    // Each step's box text, from a fresh start.
    void textAfterSteps_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected");
        const QString r1 = q(kRecord1), r2 = q(kRecord2);
        QTest::newRow("one record") << QStringList{"show", "r1"} << kHeader + "\n" + r1;
        QTest::newRow("two records")
            << QStringList{"show", "r1", "r2"} << kHeader + "\n" + r1 + "\n" + r2;
        QTest::newRow("same record twice")
            << QStringList{"show", "r1", "r1"} << kHeader + "\n" + r1 + "\n" + r1;
        QTest::newRow("clear with nothing held") << QStringList{"show", "clear"} << kHeader;
        QTest::newRow("clear then record")
            << QStringList{"show", "r1", "r2", "clear", "r2"} << kHeader + "\n" + r2;
        QTest::newRow("close then record then show")
            << QStringList{"show", "r1", "close", "r2", "show"} << kHeader + "\n" + r1 + "\n" + r2;
        QTest::newRow("frame close then record")
            << QStringList{"show", "r1", "frame", "r2"} << kHeader + "\n" + r1 + "\n" + r2;
        QTest::newRow("frame close then show")
            << QStringList{"show", "r1", "frame", "show"} << kHeader + "\n" + r1;
        QTest::newRow("frame close with nothing held then show")
            << QStringList{"show", "frame", "show"} << kHeader;
        QTest::newRow("user edit then record")
            << QStringList{"show", "r1", "type", "r2"} << kHeader + "\n" + r1 + "\n" + r2;
        QTest::newRow("user edit then clear")
            << QStringList{"show", "r1", "type", "clear"} << kHeader;
    }
    void textAfterSteps() {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        for (const QString& step : steps) {
            if (step == "show")
                mod_->showResultsWindow();
            else if (step == "r1")
                mod_->AddResult(kRecord1);
            else if (step == "r2")
                mod_->AddResult(kRecord2);
            else if (step == "clear")
                button("cmdClear")->click();
            else if (step == "close")
                button("cmdClose")->click();
            else if (step == "frame")
                window().close();
            else if (step == "type")
                QTest::keyClicks(box(), "typed");
        }
        QCOMPARE(shown(), expected);
        QCOMPARE(window().boxText(), expected);
        QCOMPARE(q(mod_->text().fullText()), expected);
    }

    void recordBeforeAnyWindowCreatesItHidden() {
        mod_->AddResult(kRecord1);
        QVERIFY(mod_->window());
        QVERIFY(!window().isVisible());
        QCOMPARE(shown(), kHeader + "\n" + q(kRecord1));
        mod_->showResultsWindow();
        QCOMPARE(shown(), kHeader + "\n" + q(kRecord1));
    }

    void closeHidesTheSameWindowAndTurnsLoggingOff() {
        mod_->showResultsWindow();
        mod_->AddResult(kRecord1);
        QPointer<FrmResults> first = mod_->window();
        button("cmdClose")->click();
        QCOMPARE(closeCalls_, 1);
        QVERIFY(!first->isVisible());
        mod_->AddResult(kRecord2); // "&Always" keeps recording into the hidden window
        QVERIFY(!first->isVisible());
        mod_->showResultsWindow();
        QCOMPARE(mod_->window(), first.data());
        QVERIFY(first->isVisible());
        QCOMPARE(shown(), kHeader + "\n" + q(kRecord1) + "\n" + q(kRecord2));
    }

    void frameCloseDestroysTheWindowAndLeavesLoggingOn() {
        mod_->showResultsWindow();
        mod_->AddResult(kRecord1);
        QPointer<FrmResults> first = mod_->window();
        first->close();
        QCOMPARE(mod_->window(), nullptr);
        QCOMPARE(closeCalls_, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(mod_->text().recordCount(), 1u);

        mod_->AddResult(kRecord2); // reloads, without showing
        QVERIFY(mod_->window());
        QVERIFY(!window().isVisible());
        QCOMPARE(shown(), kHeader + "\n" + q(kRecord1) + "\n" + q(kRecord2));
        mod_->showResultsWindow();
        QVERIFY(window().isVisible());
    }

    void frameClosedWindowIsFreedWithoutAnEventLoop() {
        mod_->showResultsWindow();
        QPointer<FrmResults> first = mod_->window();
        first->close();
        mod_.reset();
        QVERIFY(first.isNull());
        init();
    }

    // Adding one line must give exactly the text a full replace gives, whatever the record.
    void appendedRecordsMatchTheHeldText_data() {
        QTest::addColumn<QString>("record");
        QTest::newRow("worked example") << q(kRecord1);
        QTest::newRow("empty fields") << q(kRecord2);
        QTest::newRow("all empty") << QString("\t\t\t\t\t\t\t\t\t\t\t\t\t");
        QTest::newRow("non-ASCII name") << QString::fromUtf8("Rohr \xC3\x84\xE2\x80\x93"
                                                             "1\t1");
        QTest::newRow("no-break space") << QString::fromUtf8("P\xC2\xA0"
                                                             "1\t2");
        QTest::newRow("blank line") << QString();
    }
    void appendedRecordsMatchTheHeldText() {
        QFETCH(QString, record);
        mod_->showResultsWindow();
        mod_->AddResult(kRecord1);
        for (int i = 0; i < 3; ++i) {
            mod_->AddResult(record.toStdString());
            QCOMPARE(window().shownRevision(), mod_->revision());
            QCOMPARE(window().boxText(), q(mod_->text().fullText()));
        }
        QCOMPARE(box()->document()->blockCount(), 5);
    }

    void layoutInUnits_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("textWidth");
        QTest::addColumn<double>("buttonLeft");
        QTest::newRow("design") << 100.05 << 84.05 << 87.05;
        QTest::newRow("ten units wider") << 110.05 << 94.05 << 97.05;
        QTest::newRow("sixteen") << 16.0 << 0.0 << 3.0;
        QTest::newRow("tiny") << 5.0 << 0.0 << 3.0;
        QTest::newRow("minimised") << 0.0 << 0.0 << 3.0;
    }
    void layoutInUnits() {
        QFETCH(double, width);
        QFETCH(double, textWidth);
        QFETCH(double, buttonLeft);
        const auto l = results_layout::layoutFor(width, 54.75);
        QCOMPARE(l.text.left, 1.5);
        QCOMPARE(l.text.top, 1.5);
        QVERIFY(qAbs(l.text.width - textWidth) < 1e-9);
        QVERIFY(qAbs(l.text.height - 53.655) < 1e-9);
        const double tops[] = {2, 14.995, 28};
        int i = 0;
        for (const auto* b : {&l.save, &l.clear, &l.close}) {
            QVERIFY(qAbs(b->left - buttonLeft) < 1e-9);
            QCOMPARE(b->top, tops[i++]);
            QCOMPARE(b->width, 12.14);
            QCOMPARE(b->height, 9.04);
        }
        QCOMPARE(results_layout::layoutFor(width, -3).text.height, 0.0);
    }

    void widerByTenUnitsMovesOnlyTheButtonsAndTheBoxEdge() {
        mod_->showResultsWindow();
        FrmResults& w = window();
        const double pxX = results_layout::pixelsPerUnitX(w.logicalDpiX());
        const double pxY = results_layout::pixelsPerUnitY(w.logicalDpiY());
        QCOMPARE(w.width(), qRound(100.05 * pxX));
        QCOMPARE(w.height(), qRound(54.75 * pxY));
        const QRect text0 = box()->geometry();
        const QRect save0 = button("cmdSaveResults")->geometry();
        QCOMPARE(text0.topLeft(), QPoint(qRound(1.5 * pxX), qRound(1.5 * pxY)));
        QVERIFY(qAbs(text0.width() - 84.05 * pxX) <= 1);
        QVERIFY(qAbs(save0.left() - 87.05 * pxX) <= 1);

        const int tenUnits = qRound(10 * pxX);
        w.resize(w.width() + tenUnits, w.height());
        QVERIFY(qAbs(box()->width() - (text0.width() + tenUnits)) <= 1);
        QCOMPARE(box()->height(), text0.height());
        QCOMPARE(box()->pos(), text0.topLeft());
        for (const char* name : {"cmdSaveResults", "cmdClear", "cmdClose"}) {
            const QRect r = button(name)->geometry();
            QVERIFY2(qAbs(r.left() - (save0.left() + tenUnits)) <= 1, name);
            QCOMPARE(r.size(), save0.size());
        }
        QCOMPARE(button("cmdClear")->y(), qRound(14.995 * pxY));
        QCOMPARE(button("cmdClose")->y(), qRound(28 * pxY));
    }

    void tinyOrMinimisedWindowKeepsWorking() {
        mod_->showResultsWindow();
        FrmResults& w = window();
        w.resize(20, 10);
        QCOMPARE(box()->width(), 0);
        QVERIFY(button("cmdClose")->x() > box()->x());
        w.showMinimized();
        QVERIFY(w.isMinimized());
        mod_->AddResult(kRecord1);
        button("cmdClear")->click();
        mod_->showResultsWindow();
        QVERIFY(!w.isMinimized());
        w.resize(700, 400);
        QVERIFY(box()->width() > 0);
        QCOMPARE(shown(), kHeader);
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::ResultsWindowTest)
#include "results_window_test.moc"
