// SPDX-License-Identifier: GPL-3.0-or-later
// The results window: its records, layout and saves, beside the real main window, and Qt's own
// save dialog as every window of the program uses it.
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>

#include "info/info_menu.h"
#include "results/frm_results.h"
#include "results/held_lines_view.h"
#include "results/mod_results.h"
#include "results/qt_save_dialog.h"
#include "results/record.h"
#include "results/results_layout.h"
#include "support/gui_support.h"
#include "ui/main/frm_runnelex.h"

namespace runnelex {

using test::get;
using test::readAll;

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
const QStringList kLogControls = {"lblSaveWhen", "cmdSaveNow", "chkSaveAlways", "txtPipeID",
                                  "lblLogPipeName"};

struct NoInfoMenu final : InfoMenu {
    void mnuHelp4Runnelex_Click() override {}
    void mnuAbout_Runnelex_Click() override {}
    void mnuRunnelex_Updates_Click() override {}
    void mnuKelvara_Click() override {}
};
} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT

    test::FakeMessageBoxes boxes_;
    test::FakeSaveDialog dialog_;
    std::unique_ptr<ModResults> mod_;
    std::unique_ptr<QTemporaryDir> dir_;
    int closeCalls_ = 0;

    FrmResults& window() {
        if (!mod_->window())
            qFatal("no results window");
        return *mod_->window();
    }
    QPushButton* button(const char* name) { return get<QPushButton>(&window(), name); }
    HeldLinesView* box() { return get<HeldLinesView>(&window(), "RichTextResults"); }
    // The editable box, opened as the user opens it: by clicking into the box.
    QPlainTextEdit* editor() {
        if (!window().findChild<QPlainTextEdit*>("RichTextResultsEdit"))
            QTest::mouseClick(box()->viewport(), Qt::LeftButton, {}, QPoint(1, 1));
        return get<QPlainTextEdit>(&window(), "RichTextResultsEdit");
    }
    QString path(const QString& name) const { return dir_->filePath(name); }
    void add(const QString& record) { mod_->AddResult(record.toStdString()); }

private slots:
    void init() {
        boxes_ = {};
        dialog_ = {};
        mod_ = std::make_unique<ModResults>(boxes_, dialog_);
        dir_ = std::make_unique<QTemporaryDir>();
        closeCalls_ = 0;
        mod_->setCloseHandler([this] { ++closeCalls_; });
    }
    void cleanup() { mod_.reset(); }
    void cleanupTestCase() {
        // No settings, no dialog history, no caches: the home holds nothing at all.
        QCOMPARE(test::filesBelow(test::privateHome()), QStringList());
    }

    // A window of its own, not modal; its controls (results_window.controls).
    void windowIsATopLevelModelessResultsForm() {
        mod_->showResultsWindow();
        FrmResults& w = window();
        QVERIFY(w.isVisible() && w.isWindow() && !w.parentWidget());
        QCOMPARE(w.windowModality(), Qt::NonModal);
        QVERIFY(test::matchesGoldenFile(test::controlsText(&w),
                                        RUNNELEX_TESTS_DIR "/results/results_window.controls"));
        QCOMPARE(window().boxText(), kStart);
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
        // Edits here and there, then records: what the user changed is put back.
        QTest::newRow("show r1 r2 edit r1") << r12 + "\n" + kRecord1 << true << 0;
        QTest::newRow("show r1 edit r2 edit r2") << r12 + "\n" + kRecord2 << true << 0;
        QTest::newRow("show r1 wipe r2") << r12 << true << 0;
        QTest::newRow("show r1 edit clear r2") << kHeader + "\n" + kRecord2 << true << 0;
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
            } else if (step == "edit" || step == "wipe") {
                // Typed over a stretch across the first line break, after the end, and a
                // character taken at the start; or everything selected and deleted.
                QPlainTextEdit* edit = editor();
                const auto select = [edit](int from, int to) {
                    QTextCursor c = edit->textCursor();
                    c.setPosition(from);
                    c.setPosition(to, QTextCursor::KeepAnchor);
                    edit->setTextCursor(c);
                };
                const int length = edit->document()->characterCount() - 1;
                if (step == "edit") {
                    select(kHeader.size() - 4, kHeader.size() + 6);
                    QTest::keyClicks(edit, "typed");
                    edit->moveCursor(QTextCursor::End);
                    QTest::keyClick(edit, Qt::Key_Return);
                    QTest::keyClicks(edit, "tail");
                    select(0, 1);
                } else {
                    select(0, length);
                }
                QTest::keyClick(edit, Qt::Key_Backspace);
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
            QCOMPARE(window().boxText(), mod_->heldText());
        }
        QCOMPARE(box()->lineCount(), 5);
        // The editable copy holds the same text, line for line.
        QCOMPARE(editor()->document()->blockCount(), 5);
        QCOMPARE(window().boxText(), mod_->heldText());
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

    // Opened at its whole-line size the box shows a record without scrolling sideways (a
    // narrower one does); its menu gains Copy Record: the header and the record under the
    // pointer (none on the header). A shown box follows the records to the last line, where
    // the editable copy has the same lines.
    void wholeLinesAndCopyRecord_data() {
        QTest::addColumn<int>("records");
        QTest::newRow("two, from the top") << 2;
        QTest::newRow("300, at the end") << 300;
    }
    void wholeLinesAndCopyRecord() {
        QFETCH(int, records);
        const auto recordOf = [](int line) {
            return line % 2 ? kRecord1 : kRecord2;
        };
        mod_->showResultsWindow();
        for (int line = 1; line <= records; ++line)
            add(recordOf(line));
        const QSize whole = window().wholeLineSize();
        window().resize(whole.width() - 60, whole.height());
        QTRY_VERIFY(box()->horizontalScrollBar()->maximum() > 0);
        window().resize(whole);
        QTRY_COMPARE(box()->horizontalScrollBar()->maximum(), 0);
        const int last = records, first = box()->firstVisibleLine();
        QVERIFY(box()->viewport()->rect().contains(box()->lineRect(last)));
        QCOMPARE(first > 0, records > 2);
        const auto copied = [this](int line) {
            const QPoint pos = box()->lineRect(line).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, pos,
                                    box()->viewport()->mapToGlobal(pos));
            QApplication::clipboard()->clear();
            QApplication::sendEvent(box()->viewport(), &event);
            std::unique_ptr<QMenu> menu(window().findChild<QMenu*>("mnuResultsText"));
            menu->findChild<QAction*>("mnuCopyRecord")->trigger();
            return QApplication::clipboard()->text();
        };
        QCOMPARE(copied(last), kHeader + "\n" + recordOf(last));
        QCOMPARE(copied(last - 1), kHeader + "\n" + recordOf(last - 1));
        QCOMPARE(copied(first), first == 0 ? QString() : kHeader + "\n" + recordOf(first));
    }

    // The saved file holds exactly what the box shows. A cancelled dialog writes nothing; a
    // failed save says why and keeps the old file and the records, and the next save works.
    void saves_data() {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("answer"); // empty: cancelled; "!": the dialog fails
        QTest::addColumn<QString>("bytes");  // table.txt afterwards
        QTest::addColumn<QString>("reason"); // of the failure, if any
        const QString old = kOldContent;
        QTest::newRow("start text") << QStringList{} << "table.txt" << kStart << "";
        QTest::newRow("two records") << QStringList{kRecord1, kRecord2} << "table.txt"
                                     << kHeader + "\n" + kRecord1 + "\n" + kRecord2 << "";
        QTest::newRow("cleared") << QStringList{kRecord1, "clear"} << "table.txt" << kHeader << "";
        QTest::newRow("pasted name kept")
            << QStringList{kOdd} << "table.txt" << kHeader + "\n" + kOdd << "";
        // Ctrl+Z in the box undoes the user's own typing, never a record.
        QTest::newRow("undo in the box") << QStringList{kRecord1, kRecord2, "undo"} << "table.txt"
                                         << kHeader + "\n" + kRecord1 + "\n" + kRecord2 << "";
        QTest::newRow("cancelled") << QStringList{kRecord1} << "" << old << "";
        QTest::newRow("missing folder") << QStringList{kRecord1} << "no such folder/table.txt"
                                        << old << "No such file or directory";
        QTest::newRow("dialog failure")
            << QStringList{kRecord1} << "!" << old << "the dialog could not open";
    }
    void saves() {
        QFETCH(QStringList, records);
        QFETCH(QString, answer);
        QFETCH(QString, reason);
        mod_->showResultsWindow();
        for (const QString& r : records) {
            if (r == "clear")
                button("cmdClear")->click();
            else if (r == "undo")
                QTest::keyClick(box(), Qt::Key_Z, Qt::ControlModifier);
            else
                add(r);
        }
        const QString before = window().boxText();
        QVERIFY(test::writeFile(path("table.txt"), kOldContent));
        if (answer == "!")
            dialog_.failure = reason.toStdString();
        else if (!answer.isEmpty())
            dialog_.answers = {path(answer)};
        button("cmdSaveResults")->click();
        QCOMPARE(boxes_.prompts,
                 reason.isEmpty() ? QStringList() : QStringList{kFailure + reason + ")"});
        QVERIFY(boxes_.parents.isEmpty() || boxes_.parents.front() == mod_->window());
        QTEST(QString::fromUtf8(readAll(path("table.txt"))), "bytes");
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"table.txt"});
        QCOMPARE(window().boxText(), before);

        dialog_ = {}; // the user can try again
        dialog_.answers = {path("again.txt")};
        button("cmdSaveResults")->click();
        QCOMPARE(QString::fromUtf8(readAll(path("again.txt"))), before);
    }

    // The format follows the extension typed, whatever type is selected; a name of another
    // extension takes the type selected. CSV quotes where needed and ends lines with CRLF.
    void savesInTheFormatTyped_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter"); // of the request's filters
        QTest::addColumn<bool>("csv");
        QTest::newRow("txt, TSV type") << "rr.txt" << 0 << false;
        QTest::newRow("csv, TSV type") << "rr.csv" << 0 << true;
        QTest::newRow("CSV in capitals, every file") << "rr.CSV" << 2 << true;
        QTest::newRow("txt, CSV type") << "rr.txt" << 1 << false;
        QTest::newRow("tsv, CSV type") << "rr.tsv" << 1 << false;
        QTest::newRow("other, CSV type") << "rr.dat" << 1 << true;
        QTest::newRow("other, TSV type") << "rr.dat" << 0 << false;
    }
    void savesInTheFormatTyped() {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(bool, csv);
        mod_->showResultsWindow();
        const QString quotes = "a, \"b\"\t2";
        add(kRecord1);
        add(quotes);
        const QStringList filters = {"tab-separated text file (*.txt)",
                                     "comma-separated values (*.csv)", "All files (*)"};
        dialog_.answers = {path(name)};
        dialog_.filters = {filters.at(filter)};
        button("cmdSaveResults")->click();
        const SaveDialogRequest& r = dialog_.requests.at(0);
        QCOMPARE(r.nameFilters, filters);
        QCOMPARE(r.selectedNameFilter, filters.at(0));
        const QString text = kHeader + "\n" + kRecord1 + "\n" + quotes;
        const QString expected =
            csv ? QString(kHeader + "\r\n" + kRecord1 + "\r\n").replace(u'\t', u',') +
                      "\"a, \"\"b\"\"\",2\r\n"
                : text;
        QCOMPARE(QString::fromUtf8(readAll(path(name))), expected);
        QVERIFY(boxes_.prompts.isEmpty());
    }

    // The real main window recording into this window: Close turns logging off, "&Always"
    // records into the hidden window, Enable shows the same window; a frame close leaves
    // logging on and the next record reloads it hidden.
    void recordsOfTheMainWindow() {
        NoInfoMenu info;
        FrmRunnelex main(boxes_, *mod_, info, [] {});
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        const auto click = [&](const char* name) {
            QTest::mouseClick(get(&main, name), Qt::LeftButton);
        };
        const auto enabled = [&] {
            QStringList on;
            for (const QString& name : kLogControls)
                if (get(&main, name)->isEnabled())
                    on << name;
            return on;
        };
        const QString worked = kRecord1.mid(2);
        click("cmdSaveLog");
        click("chkSaveAlways");
        QPointer<FrmResults> w = mod_->window();
        button("cmdClose")->click();
        QCOMPARE(enabled(), QStringList());
        QTest::keyClick(get(&main, "cmbUnSlope"), Qt::Key_Down);
        for (const auto& [name, typed] :
             {std::pair{"txtDiam", "24"}, {"txtSlope", "0.5"}, {"txtQinput", "10"}}) {
            QTest::keyClicks(get(&main, name), typed);
            QTest::keyClick(get(&main, name), Qt::Key_Return);
        }
        QVERIFY(!w->isVisible());
        QCOMPARE(mod_->text().recordCount(), 4u);
        QCOMPARE(window().boxText().section('\n', -1), worked);

        click("cmdSaveLog");
        QCOMPARE(mod_->window(), w.data());
        QVERIFY(w->isVisible());
        QCOMPARE(mod_->text().recordCount(), 5u); // leaving the flow box ran one more
        w->close();
        QCOMPARE(mod_->window(), nullptr);
        QCOMPARE(enabled(), kLogControls);
        get<QLineEdit>(&main, "txtPipeID")->setText("P1");
        click("cmdSaveNow");
        QVERIFY(mod_->window() && !mod_->window()->isVisible());
        QCOMPARE(mod_->text().recordCount(), 6u);
        QCOMPARE(window().boxText(), mod_->heldText());
        QVERIFY(window().boxText().endsWith(worked + "\n" + kRecord1));
        QCOMPARE(get<QLineEdit>(&main, "txtPipeID")->text(), QString());
        QVERIFY(boxes_.prompts.isEmpty());
    }

    // Qt's own dialog, as every save of the program opens it: not the platform's, in the
    // documents folder (here the home), no history kept; a name typed without a suffix gets
    // the one of the filter chosen.
    void realDialog() {
        QtSaveDialog real;
        const SaveDialogRequest request{saveDialogDirectory(),
                                        {"TSV (*.txt)", "CSV (*.csv)", "All files (*)"},
                                        "TSV (*.txt)",
                                        "txt"};
        test::whenOpen([](QFileDialog& d) { d.reject(); });
        QVERIFY(!real.chooseSaveFile(nullptr, request));
        SaveDialogRequest seen;
        test::whenOpen([&](QFileDialog& d) {
            seen = {d.directory().absolutePath(), d.nameFilters(), d.selectedNameFilter(),
                    d.defaultSuffix()};
            QVERIFY(d.testOption(QFileDialog::DontUseNativeDialog));
            d.setDirectory(dir_->path());
            QTest::keyClick(get<QComboBox>(&d, "fileTypeCombo"), Qt::Key_Down); // as a user
            get<QLineEdit>(&d, "fileNameEdit")->setText("table");
            static_cast<QDialog&>(d).accept();
        });
        const auto choice = real.chooseSaveFileAndFilter(nullptr, request);
        QCOMPARE(seen.directory, QDir::homePath());
        // The next save opens in the folder of this one, held in memory only.
        QCOMPARE(saveDialogDirectory(), dir_->path());
        QCOMPARE(seen.nameFilters, request.nameFilters);
        QCOMPARE(seen.selectedNameFilter, "TSV (*.txt)");
        QCOMPARE(seen.defaultSuffix, "txt");
        QVERIFY(choice);
        QCOMPARE(choice->path, path("table.csv"));
        QCOMPARE(choice->nameFilter, "CSV (*.csv)");
    }
};

} // namespace runnelex

RUNNELEX_PRIVATE_HOME_MAIN(runnelex::ResultsWindowTest)
#include "results_window_test.moc"
