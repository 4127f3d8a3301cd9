// SPDX-License-Identifier: GPL-3.0-or-later
// The picture window beside the main window: opened from the Tools menu, following every run
// without redrawing inside it, the values beside the picture, copying, and the sizing panel.
#include "picture/picture_export.h"
#include "picture_harness.h"

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
private slots:
    void init() {
        h = std::make_unique<PictureHarness>();
        QVERIFY(h->main.showActive());
    }
    void cleanup() {
        QVERIFY(h->main.boxes.prompts.isEmpty());
        h.reset();
    }

    void openedFromTheToolsMenu() {
        auto* item = h->main.get<QAction>("mnuPipePicture");
        QCOMPARE(item->text(), QStringLiteral("&Pipe Picture..."));
        QCOMPARE(h->window(), nullptr); // made on first use
        FrmPipePicture* w = h->open();
        QCOMPARE(w->objectName(), QStringLiteral("frmPipePicture"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Runnelex Pipe Picture"));
        QVERIFY(w->isWindow() && w->parentWidget() == nullptr);
        QCOMPARE(w->windowModality(), Qt::NonModal);
        QVERIFY(h->main.window->isEnabled()); // the calculator stays usable beside it
        QTest::mouseClick(h->get("cmdClosePicture"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        item->trigger();
        QCOMPARE(h->window(), w); // hidden and shown again, never made twice
        QVERIFY(w->isVisible());
    }

    // Steps in the main window, then what the picture window shows and what a screen reader
    // hears of its values; it reads the picture in words that carry the depth and the note.
    void followsEveryRun_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("normal");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("heard");
        QTest::newRow("worked example")
            << kWorkedSteps
            << "lblrDnorm2=;lblrDoverD2=;lblrVnorm2=;lblrQpeak=3.8325 CFS;lblrDoverDpeak=0.9382"
            << "Dnorm = 0.5359 ft"
            << "One normal depth"
            << "lblrDnorm2=Other normal depth, no value;"
               "lblrQpeak=Peak open-channel flow 3.8325 CFS";
        QTest::newRow("two depths")
            << kWorkedSteps + ";txtQinput=3.7"
            << "lblrDnorm2=0.9917;lblrDoverD2=0.9917;lblrVnorm2=4.717"
            << "Dnorm = 0.8593 ft"
            << "Two normal depths: 0.8593 ft"
            << "lblrDnorm2=Other normal depth 0.9917 ft;"
               "lblrDoverD2=its d/D 0.9917;lblrVnorm2=its velocity 4.717 ft/sec";
        // The unit list re-reads "3.7" as gallons per minute: a small flow, one depth.
        QTest::newRow("flow unit") << kWorkedSteps + ";txtQinput=3.7;cmbUnFlo#2"
                                   << "lblrDnorm2=;lblrQpeak=1720.41 GPM"
                                   << "Dnorm = 0.0355 ft"
                                   << "One normal depth"
                                   << "lblrDnorm2=Other normal depth, no value;"
                                      "lblrQpeak=Peak open-channel flow 1720.41 GPM";
        QTest::newRow("surcharged") << kWorkedSteps + ";txtQinput=4"
                                    << "lblrDnorm2=;lblrQpeak=3.8325 CFS"
                                    << ""
                                    << "Surcharged! The flow is above the peak"
                                    << "lblrVnorm2=its velocity, no value";
        QTest::newRow("no diameter") << "txtSlope=0.01;txtQinput=2"
                                     << "lblrDnorm2=;lblrQpeak=;lblrDoverDpeak="
                                     << ""
                                     << ""
                                     << "lblrQpeak=Peak open-channel flow, no value";
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
            QCOMPARE(h->text(pair.section(u'=', 0, 0)), pair.section(u'=', 1));
        }
        QFETCH(QString, normal);
        QFETCH(QString, note);
        QFETCH(QString, heard);
        QCOMPARE(QString::fromStdString(w->model().normalText), normal);
        QVERIFY2(QString::fromStdString(w->model().note).startsWith(note), w->model().note.c_str());
        for (const QString& pair : heard.split(u';'))
            QCOMPARE(QAccessible::queryAccessibleInterface(h->get(pair.section(u'=', 0, 0)))
                         ->text(QAccessible::Name),
                     pair.section(u'=', 1));
        const QString about = QAccessible::queryAccessibleInterface(h->get("picPipe"))
                                  ->text(QAccessible::Description);
        QVERIFY2(about.contains(normal) && about.contains(note), qPrintable(about));
    }

    // The window shows the other normal depth exactly as runnelex-cli calc --labels prints it.
    void otherDepthAsTheCliPrintsIt() {
        h->open();
        const int before = h->window()->refreshCount();
        h->main.run("txtDiam=15;txtSlope=0.4;cmbUnSlope#1;txtQinput=4.6;txtM=0.012");
        QVERIFY(h->refreshedAfter(before));
        QProcess cli;
        cli.start(QStringLiteral(RUNNELEX_CLI_PATH),
                  {"calc", "--labels", "--diam", "15", "--slope", "0.4", "--slope-unit", "%",
                   "--flow", "4.6", "--n", "0.012"});
        QVERIFY(cli.waitForFinished(10000));
        const QStringList lines =
            QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 25);
        for (const QString& line : lines.mid(22))
            QCOMPARE(h->text(line.section(u'\t', 0, 0)), line.section(u'\t', 1));
        QVERIFY(!h->text("lblrDnorm2").isEmpty());
    }

    // Runs only mark the picture stale; one refresh follows once the event loop is free.
    void refreshesOnceAfterTheRunsNeverInside() {
        FrmPipePicture* w = h->open();
        QVERIFY(h->refreshedAfter(0)); // the first showing
        const int before = w->refreshCount();
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
    }

    void hiddenWindowCatchesUpWhenShown() {
        FrmPipePicture* w = h->open();
        QVERIFY(h->refreshedAfter(0));
        QTest::mouseClick(h->get("cmdClosePicture"), Qt::LeftButton);
        const int before = w->refreshCount();
        h->main.run(kWorkedSteps);
        QTest::qWait(50);
        QCOMPARE(w->refreshCount(), before); // nothing is drawn for a hidden window
        h->open();
        QVERIFY(h->refreshedAfter(before));
        QCOMPARE(h->text("lblrQpeak"), "3.8325 CFS");
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

    // The cross-section is to scale: measured in pixels, the water stands at the normal depth.
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
        const QString message = "The calculation was stopped by an arithmetic error: Overflow.";
        QVERIFY(h->main.boxes.prompts.contains(message)); // the main window's own message
        h->main.boxes.prompts.clear();
        QVERIFY(!h->window()->model().drawable);
        const picture::EncodedPicture svg = picture::encodePicture(
            h->window()->model(), picture::PictureFormat::Svg, QSize(600, 300));
        // Wrapped into lines of its own.
        QVERIFY(svgTexts(svg.bytes).join(u' ').contains(message));
        QCOMPARE(h->text("lblrQpeak"), QString());
    }

    void sizingPanelFollowsAndTakesCriteria() {
        h->open();
        QVERIFY(h->refreshedAfter(0));
        const auto after = [this](auto act) {
            const int before = h->window()->refreshCount();
            act();
            return h->refreshedAfter(before);
        };
        QCOMPARE(h->text("lblrSizeChosen"),
                 "Enter a slope, n and a design flow in the main window to size the pipe.");
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
            return cell->tableCellInterface()->columnHeaderCells().value(0)->text(
                       QAccessible::Name) +
                   ": " + cell->text(QAccessible::Name);
        };
        QCOMPARE(heard(3, 0), "Diam (in.): 10");
        QCOMPARE(heard(0, 2), "Dnorm (ft): no value"); // 4 in. runs full
        QCOMPARE(heard(3, 8), "V max ok: does not apply");
        QCOMPARE(QAccessible::queryAccessibleInterface(h->get("lblrSizeChosen"))
                     ->text(QAccessible::Name),
                 h->text("lblrSizeChosen"));

        h->enter("txtSizeMaxRatio", "0.7");
        QCOMPARE(h->text("lblrSizeChosen"), "First size meeting every criterion: 12 in.");
        h->enter("txtSizeMaxRatio", "abc");
        QCOMPARE(h->text("lblrSizeChosen"), "Check the criteria: the largest depth ratio must be "
                                            "a number above 0 and at most 1.");
        QCOMPARE(table->rowCount(), 0);
        h->enter("txtSizeMaxRatio", "0.8");
        // Velocity falls slowly with the size: 21 in. still runs at 4.5078 ft/sec.
        h->enter("txtSizeMaxVelocity", "4.5");
        QCOMPARE(h->text("lblrSizeChosen"), "First size meeting every criterion: 24 in.");
        h->enter("txtSizeMaxVelocity", "1");
        QCOMPARE(h->text("lblrSizeChosen"),
                 "Check the criteria: the largest velocity lies below the smallest.");
        h->enter("txtSizeMaxVelocity", "");
        h->enter("txtSizeList", "4 6 8");
        QCOMPARE(h->text("lblrSizeChosen"), "No size in the list meets every criterion.");
        h->enter("txtSizeList", "12, 8");
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(h->text("lblrSizeChosen"), "First size meeting every criterion: 12 in.");
        // The main window's flow, in its unit, re-sizes with the panel's criteria.
        QVERIFY(after([&] { h->main.run("cmbUnFlo#2;txtQinput=1660.92"); }));
        QCOMPARE(table->horizontalHeaderItem(4)->text(), "Q full (gpm)");
        QCOMPARE(table->item(0, 4)->text(), "1599.33");
        QCOMPARE(h->text("lblrSizeChosen"), "No size in the list meets every criterion.");
    }

private:
    std::unique_ptr<PictureHarness> h;
};

QTEST_MAIN(PictureWindowTest)
#include "picture_window_test.moc"
