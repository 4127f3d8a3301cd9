// SPDX-License-Identifier: GPL-3.0-or-later
// The picture window beside the main window: opened from the Tools menu, following every run
// without redrawing inside it, the values beside the picture, copying, saving, and the sizing
// panel. The whole program runs below a home of its own: nothing may be written there.
#include <QSvgRenderer>

#include "picture/picture_export.h"
#include "picture/pipe_picture.h"
#include "picture_harness.h"
#include "results/save_failure.h"

using namespace runnelex;
using namespace runnelex::test;

namespace {

// Pixels of a colour in the left part of an image (the cross-section).
int pixelsOf(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() * 2 / 5; ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

// The water's tallest column and widest row in the cross-section, in pixels.
QSize waterExtent(const QImage& image, QRgb water) {
    QSize extent;
    for (int x = 0; x < image.width() * 2 / 5; ++x) {
        int column = 0;
        for (int y = 0; y < image.height(); ++y)
            column += image.pixel(x, y) == water;
        extent.setHeight(std::max(extent.height(), column));
    }
    for (int y = 0; y < image.height(); ++y) {
        int row = 0;
        for (int x = 0; x < image.width() * 2 / 5; ++x)
            row += image.pixel(x, y) == water;
        extent.setWidth(std::max(extent.width(), row));
    }
    return extent;
}

} // namespace

class PictureWindowTest : public QObject {
    Q_OBJECT

    QString folder() const { return privateHome() + "/pictures"; }

private slots:
    void init() {
        QVERIFY(QDir().mkpath(folder()));
        h = std::make_unique<PictureHarness>();
        QVERIFY(h->main.showActive());
    }
    void cleanup() {
        QVERIFY(h->main.boxes.prompts.isEmpty());
        h.reset();
        QVERIFY(QDir(folder()).removeRecursively());
    }
    void cleanupTestCase() {
        // No settings, no history, no caches: the home holds nothing at all.
        QCOMPARE(filesBelow(privateHome()), QStringList());
    }

    void openedFromTheToolsMenu() {
        auto* item = h->main.get<QAction>("mnuPipePicture");
        QCOMPARE(item->text(), QStringLiteral("&Pipe Picture..."));
        QCOMPARE(h->window(), nullptr); // made on first use
        FrmPipePicture* w = h->open();
        QVERIFY(matchesGoldenFile(controlsText(w), RUNNELEX_TESTS_DIR "/picture/picture.controls"));
        QVERIFY(w->isWindow() && w->parentWidget() == nullptr);
        QCOMPARE(w->windowModality(), Qt::NonModal);
        QVERIFY(h->main.window->isEnabled()); // the calculator stays usable beside it
        QTest::mouseClick(h->get("cmdClosePicture"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        item->trigger();
        QCOMPARE(h->window(), w); // hidden and shown again, never made twice
        QVERIFY(w->isVisible());
    }

    // Steps in the main window, then the labels beside the picture (those of the other normal
    // depth as runnelex-cli calc --labels prints them; what the model holds:
    // picture_model_test).
    void followsEveryRun_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("labels");
        QTest::newRow("worked example") << kWorkedSteps
                                        << cliLabels(kWorkedOptions, kLabelCount, 3) +
                                               ";lblrQpeak=3.8325 CFS;lblrDoverDpeak=0.9382";
        QTest::newRow("two depths") << kWorkedSteps + ";txtQinput=3.7"
                                    << "lblrDnorm2=0.9917;lblrDoverD2=0.9917;lblrVnorm2=4.717";
        QTest::newRow("percent, n")
            << "txtDiam=15;txtSlope=0.4;cmbUnSlope#1;txtQinput=4.6;txtM=0.012"
            << cliLabels("--diam 15 --slope 0.4 --slope-unit % --flow 4.6 --n 0.012", kLabelCount,
                         3);
        // The unit list re-reads "3.7" as gallons per minute: a small flow, one depth.
        QTest::newRow("flow unit") << kWorkedSteps + ";txtQinput=3.7;cmbUnFlo#2"
                                   << "lblrDnorm2=;lblrQpeak=1720.41 GPM";
        QTest::newRow("surcharged") << kWorkedSteps + ";txtQinput=4"
                                    << "lblrDnorm2=;lblrQpeak=3.8325 CFS";
        QTest::newRow("no diameter") << "txtSlope=0.01;txtQinput=2"
                                     << "lblrDnorm2=;lblrQpeak=;lblrDoverDpeak=";
    }
    void followsEveryRun() {
        QFETCH(QString, steps);
        QFETCH(QString, labels);
        FrmPipePicture* w = h->open();
        for (const QString& step : steps.split(u';')) {
            const int before = w->refreshCount();
            h->main.run(step);
            QVERIFY(h->refreshedAfter(before));
        }
        for (const QString& pair : labels.split(u';')) {
            const QString name = pair.section(u'=', 0, 0), text = pair.section(u'=', 1);
            QCOMPARE(h->text(name), text);
            // A screen reader hears the value with its caption, or that there is none.
            const QString heard =
                QAccessible::queryAccessibleInterface(h->get(name))->text(QAccessible::Name);
            QVERIFY2(text.isEmpty() ? heard.endsWith(", no value") : heard.contains(' ' + text),
                     qPrintable(heard));
        }
        // It reads the picture in words that carry the depth and the note.
        const QString about = QAccessible::queryAccessibleInterface(h->get("picPipe"))
                                  ->text(QAccessible::Description);
        QVERIFY2(about.contains(QString::fromStdString(w->model().normalText)) &&
                     about.contains(QString::fromStdString(w->model().note)),
                 qPrintable(about));
    }

    // Runs only mark the picture stale; one refresh follows once the event loop is free. A
    // hidden window draws nothing and catches up when shown.
    void refreshesOnceAfterTheRunsNeverInside() {
        FrmPipePicture* w = h->open();
        QVERIFY(h->refreshedAfter(0)); // the first showing
        int before = w->refreshCount();
        QList<int> seenInRuns;
        connect(h->main.window.get(), &FrmRunnelex::calculationShown, w,
                [&] { seenInRuns << w->refreshCount(); });
        h->main.run(kWorkedSteps + ";txtQinput=3.7;txtQinput=2");
        QCOMPARE(seenInRuns, QList<int>(5, before));
        QCOMPARE(w->refreshCount(), before);
        QVERIFY(h->refreshedAfter(before));
        QTest::qWait(50);
        QCOMPARE(w->refreshCount(), before + 1);
        QCOMPARE(QString::fromStdString(w->model().normalText), "Dnorm = 0.5359 ft");

        QTest::mouseClick(h->get("cmdClosePicture"), Qt::LeftButton);
        before = w->refreshCount();
        h->main.run("txtQinput=3.7");
        QTest::qWait(50);
        QCOMPARE(w->refreshCount(), before);
        h->open();
        QVERIFY(h->refreshedAfter(before));
        QCOMPARE(h->text("lblrDnorm2"), "0.9917");
    }

    void copyPutsAPngOnTheClipboard() {
        h->open();
        h->main.run(kWorkedSteps);
        QVERIFY(h->refreshedAfter(0));
        QApplication::clipboard()->clear();
        QTest::mouseClick(h->get("cmdCopyPicture"), Qt::LeftButton);
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasFormat("image/png"));
        const QImage png = QImage::fromData(data->data("image/png"), "PNG");
        QCOMPARE(png.size(), h->get("picPipe")->size());
        QCOMPARE(QApplication::clipboard()->image().size(), png.size());
    }

    // "Save Picture..." writes what is shown in the format of the name's suffix; each failure
    // gives the fixed sentence, the reason and ")", and leaves nothing behind.
    void saves_data() {
        QTest::addColumn<QString>("answer"); // "-": cancelled, empty: the dialog itself fails
        QTest::addColumn<QString>("reason");
        const char* const notAPicture = "a picture is saved as .png, .svg or .pdf";
        const char* const rows[][3] = {
            {"png", "pipe.png", ""},
            {"svg", "pipe.svg", ""},
            {"pdf", "pipe.pdf", ""},
            {"suffix in capitals", "PIPE.SVG", ""},
            {"cancelled", "-", ""},
            {"no such folder", "missing/pipe.png", "No such file or directory"},
            {"not a picture type", "pipe.jpg", notAPicture},
            {"no suffix", "pipe", notAPicture},
            {"a folder", ".", notAPicture},
            {"dialog fails", "", "no dialog"},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }
    void saves() {
        QFETCH(QString, answer);
        QFETCH(QString, reason);
        h->open();
        h->main.run(kWorkedSteps);
        QVERIFY(h->refreshedAfter(0));
        if (answer.isEmpty())
            h->dialog.failure = "no dialog";
        else if (answer != "-")
            h->dialog.answers = {folder() + '/' + answer};
        QTest::mouseClick(h->get("cmdSavePicture"), Qt::LeftButton);
        QCOMPARE(h->main.boxes.prompts,
                 reason.isEmpty() ? QStringList() : QStringList{saveFailureMessage(reason)});
        h->main.boxes.prompts.clear();
        const SaveDialogRequest& r = h->dialog.requests.at(0);
        QCOMPARE(r.nameFilters,
                 (QStringList{"PNG image (*.png)", "SVG drawing (*.svg)", "PDF document (*.pdf)"}));
        QCOMPARE(r.selectedNameFilter, "PNG image (*.png)");
        QCOMPARE(r.defaultSuffix, "png");
        QCOMPARE(r.directory, saveDialogDirectory());
        const bool saved = reason.isEmpty() && answer != "-";
        QCOMPARE(filesBelow(folder()), saved ? QStringList{answer} : QStringList());
        if (!saved)
            return;
        const QByteArray bytes = readAll(folder() + '/' + answer);
        const QString suffix = QFileInfo(answer).suffix().toLower();
        const QSize shown = h->get("picPipe")->size(); // what is saved is what is shown
        if (suffix == "png") {
            QCOMPARE(QImage::fromData(bytes, "PNG").size(), shown);
        } else if (suffix == "svg") {
            QVERIFY(svgTexts(bytes).contains("Dnorm = 0.5359 ft"));
            QCOMPARE(QSvgRenderer(bytes).viewBox().size(), shown);
        } else {
            QVERIFY(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"));
        }
    }

    // The cross-section is to scale: measured in pixels, the water stands at the normal depth.
    // The legend breaks a long text at blanks only: never inside a unit ("L/s"), nor between a
    // number and its unit, however narrow the room.
    void legendBreaksBetweenWordsOnly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("whole"); // what stays on one line
        QTest::newRow("litres a second")
            << "Peak open-channel flow 12.3456 L/s" << QStringList{"12.3456 L/s"};
        QTest::newRow("cubic metres")
            << "Max Q (0.93 D) 0.0035 m\u00b3/s" << QStringList{"0.0035 m\u00b3/s"};
        QTest::newRow("megalitres") << "design 1.2 ML/d" << QStringList{"1.2 ML/d"};
    }
    void legendBreaksBetweenWordsOnly() {
        QFETCH(QString, text);
        QFETCH(QStringList, whole);
        const QFontMetricsF metrics(QFont(QStringLiteral("DejaVu Sans")));
        for (double width : {1.0, metrics.horizontalAdvance(QStringLiteral("Peak L/")), 1e4}) {
            const QStringList lines = runnelex::picture::legendLines(text, metrics, width);
            QCOMPARE(lines.join(u' '), text);
            for (const QString& part : whole) {
                bool found = false;
                for (const QString& line : lines)
                    found = found || line.contains(part);
                QVERIFY2(found, qPrintable(lines.join(u'|')));
            }
            QCOMPARE(lines.size() == 1, width == 1e4);
        }
    }

    void crossSectionToScale() {
        h->open();
        h->main.run(kWorkedSteps);
        QVERIFY(h->refreshedAfter(0));
        const QSize size(900, 500);
        const QRgb water = qRgb(100, 181, 246), alarm = qRgb(198, 40, 40);
        // Above half full, the water's widest row is the diameter.
        const QSize half = waterExtent(picture::pictureImage(h->window()->model(), size), water);
        const double diameter = half.width();
        QVERIFY(diameter > 200);
        QVERIFY2(qAbs(half.height() / diameter - 0.5359) < 0.015,
                 qPrintable(QString::number(half.height() / diameter)));
        const int before = h->window()->refreshCount();
        h->main.run("txtQinput=0.5"); // normal depth 0.2531 ft
        QVERIFY(h->refreshedAfter(before));
        const QImage quarter = picture::pictureImage(h->window()->model(), size);
        QVERIFY2(qAbs(waterExtent(quarter, water).height() / diameter - 0.2531) < 0.015,
                 qPrintable(QString::number(waterExtent(quarter, water).height() / diameter)));
        QCOMPARE(pixelsOf(quarter, alarm), 0);
        h->main.run("txtQinput=4");
        QVERIFY(h->refreshedAfter(before + 1));
        const QImage full = picture::pictureImage(h->window()->model(), size);
        QCOMPARE(pixelsOf(full, water), 0);
        QVERIFY(pixelsOf(full, alarm) > 1000); // the red ring and its "Surcharged!" mark
    }

    // A run stopped by an arithmetic fault: the picture says so instead of drawing a pipe.
    void faultIsShown() {
        h->open();
        const int before = h->window()->refreshCount();
        h->main.run("cmbUnDiam#1;txtDiam=1" + QString(200, u'0') + ";txtSlope=0.01");
        QVERIFY(h->refreshedAfter(before));
        const QString message = "The calculation was stopped by an arithmetic error: Overflow";
        // The main window's own message names the input to blame.
        QVERIFY(h->main.boxes.prompts.contains(message + " (caused by the diameter, 1" +
                                               QString(200, u'0') + " ft.)."));
        h->main.boxes.prompts.clear();
        QVERIFY(!h->window()->model().drawable);
        const picture::EncodedPicture svg = picture::encodePicture(
            h->window()->model(), picture::PictureFormat::Svg, QSize(600, 300));
        // Wrapped into lines of its own.
        QVERIFY(svgTexts(svg.bytes).join(u' ').contains(message));
        QCOMPARE(h->text("lblrQpeak"), QString());
    }

    // The panel sizes the pipe for the main window's slope, n and flow with its own criteria
    // (the sizing itself: tests/cli/golden/size.golden).
    void sizingPanelFollowsAndTakesCriteria() {
        h->open();
        QVERIFY(h->refreshedAfter(0));
        const auto after = [this](auto act) {
            const int before = h->window()->refreshCount();
            act();
            return h->refreshedAfter(before);
        };
        QCOMPARE(h->text("lblrSizeChosen"), "Enter a slope, n and a design flow to size the pipe.");
        QVERIFY(after([&] { h->main.run(kWorkedSteps); }));
        QCOMPARE(h->text("lblrSizeChosen"), "First size meeting every criterion: 10 in.");
        auto* table = h->get<QTableWidget>("tblSizes");
        QCOMPARE(table->rowCount(), 29);
        QCOMPARE(table->item(3, 0)->text(), "10");
        QCOMPARE(table->item(3, 1)->text(), "0.7507");
        QVERIFY(table->item(3, 0)->font().bold() && !table->item(4, 0)->font().bold());
        QCOMPARE(table->horizontalHeaderItem(4)->text(), "Q full (cfs)");
        // A screen reader reads a cell after its column heading, a dash or nothing in words.
        QAccessibleTableInterface* cells =
            QAccessible::queryAccessibleInterface(table)->tableInterface();
        const auto heard = [cells](int row, int column) {
            QAccessibleInterface* cell = cells->cellAt(row, column);
            const QList<QAccessibleInterface*> headings =
                cell->tableCellInterface()->columnHeaderCells();
            const QString text =
                headings.value(0)->text(QAccessible::Name) + ": " + cell->text(QAccessible::Name);
            for (QAccessibleInterface* heading : headings) // made for the caller, in no cache
                QAccessible::deleteAccessibleInterface(
                    QAccessible::registerAccessibleInterface(heading));
            return text;
        };
        QCOMPARE(heard(3, 0), "Diam (in.): 10");
        QCOMPARE(heard(0, 2), "Dnorm (ft): no value"); // 4 in. runs full
        QCOMPARE(heard(3, 8), "V max ok: does not apply");
        QCOMPARE(QAccessible::queryAccessibleInterface(h->get("lblrSizeChosen"))
                     ->text(QAccessible::Name),
                 h->text("lblrSizeChosen"));

        const QString first = "First size meeting every criterion: ",
                      none = "No size in the list meets every criterion.",
                      check = "Check the criteria: the ";
        const struct {
            const char* box;
            const char* typed;
            QString chosen;
        } steps[] = {{"txtSizeMaxRatio", "abc",
                      check + "largest depth ratio must be a number above 0 and at most 1."},
                     {"txtSizeMaxRatio", "0.8", first + "10 in."},
                     // Velocity falls slowly with the size: 21 in. still runs at 4.5078 ft/sec.
                     {"txtSizeMaxVelocity", "4.5", first + "24 in."},
                     {"txtSizeMaxVelocity", "", first + "10 in."},
                     {"txtSizeList", "12, 8", first + "12 in."}};
        for (const auto& s : steps) {
            h->enter(s.box, s.typed);
            QCOMPARE(h->text("lblrSizeChosen"), s.chosen);
        }
        QCOMPARE(table->rowCount(), 2);
        // The main window's flow, in its unit, re-sizes with the panel's criteria.
        QVERIFY(after([&] { h->main.run("cmbUnFlo#2;txtQinput=1660.92"); }));
        QCOMPARE(table->horizontalHeaderItem(4)->text(), "Q full (gpm)");
        QCOMPARE(table->item(0, 4)->text(), "1599.33");
        QCOMPARE(h->text("lblrSizeChosen"), none);
    }

private:
    std::unique_ptr<PictureHarness> h;
};

RUNNELEX_PRIVATE_HOME_MAIN(PictureWindowTest)
#include "picture_window_test.moc"
