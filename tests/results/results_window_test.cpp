// SPDX-License-Identifier: GPL-3.0-or-later
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "fakes.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/record.h"
#include "results/results_layout.h"
#include "test_files.h"

namespace runnelex {

using test::readAll;
using test::setImmutable;

namespace {
const QString kHeader = QString::fromStdString(record::headerLine());
const QString kRecord1 =
    "P1\t10\tCFS\t24\tin.\t0.5\t%\t0.013\t1.1457\t5.373\t0.9763\t1.1316\t15.9965\t17.1993";
const QString kRecord2 = "\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\t\t\t\t\t3.5628\t3.8307";
// A pasted name the box must keep as held: no-break space, umlaut, line separator.
const QString kOdd = QString::fromUtf8("P\xC2\xA0\xC3\x84\xE2\x80\xA8x\t1");
const QString kStart =
    "Calculations will be displayed here...   Click \"Save As...\" when ready to "
    "save results to file.";
const QString kFailure = "Unable to Open File (already open?). Please try a different name. (";
const QByteArray kOldContent = "old table, longer than any new one would need to be\n";

bool writeOld(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(kOldContent) == kOldContent.size();
}

} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT

    test::RecordingMessageBoxes boxes_;
    test::FakeSaveDialog dialog_;
    std::unique_ptr<ModResults> mod_;
    std::unique_ptr<QTemporaryDir> dir_;
    int closeCalls_ = 0;

    FrmResults& window() {
        if (!mod_->window())
            qFatal("no results window");
        return *mod_->window();
    }
    QPushButton* button(const char* name) {
        return window().findChild<QPushButton*>(QString::fromUtf8(name));
    }
    QPlainTextEdit* box() { return window().findChild<QPlainTextEdit*>("RichTextResults"); }
    QString path(const QString& name) const { return dir_->filePath(name); }
    void add(const QString& record) { mod_->AddResult(record.toStdString()); }

private slots:
    void init() {
        boxes_.shown.clear();
        dialog_ = {};
        mod_ = std::make_unique<ModResults>(boxes_, dialog_);
        dir_ = std::make_unique<QTemporaryDir>();
        closeCalls_ = 0;
        mod_->setCloseHandler([this] { ++closeCalls_; });
    }
    void cleanup() { mod_.reset(); }

    void windowIsATopLevelModelessResultsForm() {
        mod_->showResultsWindow();
        FrmResults& w = window();
        QCOMPARE(w.objectName(), "frmResults");
        QCOMPARE(w.windowTitle(), "Runnelex Calculation Results Form");
        QVERIFY(w.isVisible() && w.isWindow() && !w.parentWidget());
        QCOMPARE(w.windowModality(), Qt::NonModal);
        QCOMPARE(box()->toPlainText(), kStart);
        const char* buttons[][3] = {
            {"cmdSaveResults", "Save As...", "Click Here to Save Visible Results to File"},
            {"cmdClear", "Clear", "Click Here to Clear Visible Calculations"},
            {"cmdClose", "Close", "Click Here to Dismiss Results Form"}};
        for (const auto& b : buttons) {
            QCOMPARE(button(b[0])->text(), b[1]);
            QCOMPARE(button(b[0])->toolTip(), b[2]);
        }
    }

    // The box after each sequence of steps from a fresh start, and whether the window shows.
    void textAfterSteps_data() {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("closes");
        const QString r1 = kHeader + "\n" + kRecord1, r12 = r1 + "\n" + kRecord2;
        QTest::newRow("r1") << r1 << false << 0; // the first record loads the window hidden
        QTest::newRow("show r1 r2") << r12 << true << 0;
        QTest::newRow("show clear") << kHeader << true << 0;
        QTest::newRow("show r1 r2 clear r2") << kHeader + "\n" + kRecord2 << true << 0;
        QTest::newRow("show r1 close r2 show") << r12 << true << 1;
        QTest::newRow("show r1 frame r2") << r12 << false << 0;
        QTest::newRow("show r1 frame show") << r1 << true << 0;
        QTest::newRow("show r1 type r2") << r12 << true << 0;
        QTest::newRow("show r1 type clear") << kHeader << true << 0;
        QTest::newRow("show min r1 clear show") << kHeader << true << 0;
    }
    void textAfterSteps() {
        QFETCH(QString, expected);
        QPointer<FrmResults> hidden;
        for (const QString& step : QString(QTest::currentDataTag()).split(' ')) {
            if (step == "show") {
                mod_->showResultsWindow();
                if (hidden)
                    QCOMPARE(mod_->window(), hidden.data());
            } else if (step == "r1" || step == "r2") {
                add(step == "r1" ? kRecord1 : kRecord2);
            } else if (step == "clear") {
                button("cmdClear")->click();
            } else if (step == "close") {
                hidden = mod_->window();
                button("cmdClose")->click();
                QVERIFY(!hidden->isVisible());
            } else if (step == "frame") {
                QPointer<FrmResults> closed = mod_->window();
                closed->close();
                QCOMPARE(mod_->window(), nullptr);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QVERIFY(closed.isNull());
            } else if (step == "type") {
                QTest::keyClicks(box(), "typed");
            } else if (step == "min") {
                window().showMinimized();
            }
        }
        QCOMPARE(window().boxText(), expected);
        QCOMPARE(mod_->heldText(), expected);
        QTEST(window().isVisible(), "visible");
        QVERIFY(!window().isMinimized());
        QTEST(closeCalls_, "closes");
    }

    void frameClosedWindowIsFreedWithoutAnEventLoop() {
        mod_->showResultsWindow();
        QPointer<FrmResults> first = mod_->window();
        first->close();
        mod_.reset();
        QVERIFY(first.isNull());
    }

    // Adding only the new line must give exactly the text a full replace gives.
    void appendedRecordsMatchTheHeldText_data() {
        QTest::addColumn<QString>("record");
        QTest::newRow("empty fields") << kRecord2;
        QTest::newRow("pasted name") << kOdd;
        QTest::newRow("dash") << QString::fromUtf8("Rohr \xE2\x80\x93 1\t1");
        QTest::newRow("blank line") << QString();
    }
    void appendedRecordsMatchTheHeldText() {
        QFETCH(QString, record);
        mod_->showResultsWindow();
        add(kRecord1);
        for (int i = 0; i < 3; ++i) {
            add(record);
            QCOMPARE(window().shownRevision(), mod_->revision());
            QCOMPARE(window().boxText(), mod_->heldText());
        }
        QCOMPARE(box()->document()->blockCount(), 5);
    }

    // Form_Resize in the window's own units: wider by ten units moves the buttons and the
    // box's right edge only; the box ends 1.5 units above the bottom edge, or at 0.98 of the
    // height in a window over 150 units high; a window asked to be tiny stays at its minimum,
    // and a layout below 16 units keeps a box of no width with the buttons beside it.
    void layoutInUnits() {
        mod_->showResultsWindow();
        FrmResults& w = window();
        const double px = results_layout::pixelsPerUnitX(w.logicalDpiX());
        const double py = results_layout::pixelsPerUnitY(w.logicalDpiY());
        QCOMPARE(w.size(), QSize(qRound(100.05 * px), qRound(54.75 * py)));
        const auto near = [&](const QWidget* widget, double l, double t, double wd, double h) {
            const QRect r = widget->geometry();
            return qAbs(r.x() - l * px) <= 1 && qAbs(r.y() - t * py) <= 1 &&
                   qAbs(r.width() - wd * px) <= 1 && qAbs(r.height() - h * py) <= 1;
        };
        const char* buttons[] = {"cmdSaveResults", "cmdClear", "cmdClose"};
        const double tops[] = {2, 14.995, 28};
        for (const double wider : {0.0, 10.0}) {
            w.resize(qRound((100.05 + wider) * px), w.height());
            QVERIFY(near(box(), 1.5, 1.5, 84.05 + wider, 51.75));
            for (int i = 0; i < 3; ++i)
                QVERIFY2(near(button(buttons[i]), 87.05 + wider, tops[i], 12.14, 9.04), buttons[i]);
        }
        w.resize(20, 10);
        QCOMPARE(w.size(), w.minimumSize());
        QVERIFY(near(box(), 1.5, 1.5, 24, results_layout::kMinimumHeight - 3));
        QCOMPARE(results_layout::layoutFor(100, 200).text.height, 196.0);
        for (const double width : {16.0, 0.0}) {
            const auto l = results_layout::layoutFor(width, -3);
            QCOMPARE(l.text.width + l.text.height, 0.0);
            QCOMPARE(l.close.left, 3.0);
        }
    }

    // At any size the window can take, the box stays inside it and the three buttons are whole
    // and can be clicked.
    void staysInsideAndUsable_data() {
        QTest::addColumn<QSize>("asked");
        QTest::newRow("design size") << QSize();
        QTest::newRow("300 x 150") << QSize(300, 150);
        QTest::newRow("narrow and tall") << QSize(120, 900);
        QTest::newRow("large") << QSize(1800, 1200);
    }
    void staysInsideAndUsable() {
        QFETCH(QSize, asked);
        mod_->showResultsWindow();
        FrmResults& w = window();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (asked.isValid())
            w.resize(asked);
        QTRY_VERIFY(w.width() >= std::min(asked.width(), w.minimumWidth()));
        QVERIFY(w.rect().contains(box()->geometry()));
        QVERIFY(box()->width() > 4 * box()->fontMetrics().averageCharWidth());
        for (const char* name : {"cmdSaveResults", "cmdClear", "cmdClose"}) {
            QPushButton* b = button(name);
            QVERIFY2(w.rect().contains(b->geometry()), name);
            QVERIFY2(b->width() >= b->fontMetrics().horizontalAdvance(b->text()), name);
            QVERIFY2(!b->geometry().intersects(box()->geometry()), name);
        }
        int clears = 0;
        connect(button("cmdClear"), &QPushButton::clicked, this, [&] { ++clears; });
        QTest::mouseClick(button("cmdClear"), Qt::LeftButton);
        QCOMPARE(clears, 1);
    }

    // The box shows the desktop's sans-serif font at 8.5 points, not a fixed-pitch one.
    void boxFont() {
        mod_->showResultsWindow();
        const QFont font = box()->font();
        QCOMPARE(font.pointSizeF(), 8.5);
        QCOMPARE(font.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        QVERIFY(!QFontInfo(font).fixedPitch());
    }

    // The saved file holds exactly what the box shows; a cancelled dialog writes nothing.
    void savedBytes_data() {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("start text") << QStringList{} << true << kStart;
        QTest::newRow("two records") << QStringList{kRecord1, kRecord2} << true
                                     << kHeader + "\n" + kRecord1 + "\n" + kRecord2;
        QTest::newRow("cleared") << QStringList{kRecord1, "clear"} << true << kHeader;
        QTest::newRow("pasted name kept") << QStringList{kOdd} << true << kHeader + "\n" + kOdd;
        // Ctrl+Z in the box undoes the user's own typing, never a record.
        QTest::newRow("undo in the box") << QStringList{kRecord1, kRecord2, "undo"} << true
                                         << kHeader + "\n" + kRecord1 + "\n" + kRecord2;
        QTest::newRow("cancelled") << QStringList{kRecord1} << false << QString(kOldContent);
    }
    void savedBytes() {
        QFETCH(QStringList, records);
        QFETCH(bool, answered);
        mod_->showResultsWindow();
        for (const QString& r : records) {
            if (r == "clear")
                button("cmdClear")->click();
            else if (r == "undo")
                QTest::keyClick(box(), Qt::Key_Z, Qt::ControlModifier);
            else
                add(r);
        }
        QVERIFY(writeOld(path("table.txt")));
        if (answered)
            dialog_.answers = {path("table.txt")};
        button("cmdSaveResults")->click();
        QVERIFY(boxes_.shown.empty());
        QTEST(QString::fromUtf8(readAll(path("table.txt"))), "bytes");
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"table.txt"});
        QCOMPARE(dialog_.requests.size(), 1u);
    }

    void failedSaveKeepsTheOldFileAndTheRecords_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("missing folder") << "no such folder/table.txt";
        QTest::newRow("folder as target") << "folder.txt";
        QTest::newRow("read-only file") << "table.txt";
        QTest::newRow("full disk") << "table.txt";
        QTest::newRow("empty name") << "";
        QTest::newRow("dialog failure") << "table.txt";
    }
    void failedSaveKeepsTheOldFileAndTheRecords() {
        QFETCH(QString, answer);
        const QString kind = QTest::currentDataTag(), target = path("table.txt");
        add(kRecord1);
        add(kRecord2);
        const QString before = window().boxText();
        QVERIFY(writeOld(target));
        QVERIFY(QDir(dir_->path()).mkdir("folder.txt"));
        dialog_.answers = {answer.isEmpty() ? QString() : path(answer)};
        if (kind == "dialog failure")
            dialog_.failure = "the dialog could not open";
        const bool immutable = kind == "read-only file" && ::geteuid() == 0;
        if (kind == "read-only file" && (!QFile::setPermissions(target, QFile::ReadOwner) ||
                                         (immutable && !setImmutable(target, true))))
            QSKIP("root ignores permissions and this file system has no immutable flag");
        rlimit fileSize{};
        ::getrlimit(RLIMIT_FSIZE, &fileSize);
        if (kind == "full disk") { // no file may grow past a few bytes: writes fail with EFBIG
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit tiny{16, fileSize.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &tiny);
        }
        button("cmdSaveResults")->click();
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        if (immutable)
            setImmutable(target, false);

        QCOMPARE(boxes_.shown.size(), 1u);
        const QString prompt = boxes_.shown.front().second; // with the platform's description
        QVERIFY2(prompt.startsWith(kFailure) && prompt.endsWith(')') &&
                     prompt.size() > kFailure.size() + 1,
                 qPrintable(prompt));
        QCOMPARE(boxes_.shown.front().first, mod_->window());
        if (kind == "dialog failure")
            QCOMPARE(prompt, kFailure + "the dialog could not open)");
        QCOMPARE(readAll(target), kOldContent);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"table.txt"});
        QCOMPARE(mod_->text().recordCount(), 2u);
        QCOMPARE(window().boxText(), before);

        // The user can try again.
        boxes_.shown.clear();
        dialog_ = {};
        dialog_.answers = {path("again.txt")};
        button("cmdSaveResults")->click();
        QVERIFY(boxes_.shown.empty());
        QCOMPARE(QString::fromUtf8(readAll(path("again.txt"))), before);
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::ResultsWindowTest)
#include "results_window_test.moc"
