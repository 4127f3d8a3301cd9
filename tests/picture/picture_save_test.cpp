// SPDX-License-Identifier: GPL-3.0-or-later
// "Save Picture..." of the picture window: each format through the scripted dialog and through
// Qt's own, the failures and their messages, and no file written but the saved one.
#include <QSvgRenderer>

#include "picture_harness.h"
#include "results/qt_save_dialog.h"
#include "results/save_failure.h"

using namespace runnelex;
using namespace runnelex::test;

namespace {

// The whole process runs below this home; whatever the program writes shows up in it.
QTemporaryDir* home = nullptr;

QStringList filesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class PictureSaveTest : public QObject {
    Q_OBJECT

    QString folder() const { return home->filePath(QStringLiteral("pictures")); }
    QString path(const QString& name) const { return folder() + '/' + name; }

    // Runs `act` on the file dialog once it is open.
    static void whenOpen(std::function<void(QFileDialog&)> act) {
        QTimer::singleShot(0, qApp, [act] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no file dialog open");
            act(*dialog);
        });
    }
    void clickSave() { QTest::mouseClick(h->get("cmdSavePicture"), Qt::LeftButton); }

private slots:
    void init() {
        QVERIFY(QDir().mkpath(folder()));
        h = std::make_unique<PictureHarness>();
        QVERIFY(h->main.showActive());
        h->open();
        h->main.run(kWorkedSteps);
        QVERIFY(h->refreshedAfter(0));
    }
    void cleanup() {
        h.reset();
        QVERIFY(QDir(folder()).removeRecursively());
    }
    void cleanupTestCase() {
        // No settings, no history, no caches: the home holds nothing at all.
        QCOMPARE(filesBelow(home->path()), QStringList());
    }

    void savesEachFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("png") << "pipe.png";
        QTest::newRow("svg") << "pipe.svg";
        QTest::newRow("pdf") << "pipe.pdf";
        QTest::newRow("suffix in capitals") << "PIPE.SVG";
    }
    void savesEachFormat() {
        QFETCH(QString, name);
        h->dialog.answers = {path(name)};
        clickSave();
        QCOMPARE(h->main.boxes.prompts, QStringList());
        QCOMPARE(filesBelow(folder()), QStringList{name});
        const QByteArray bytes = readAll(path(name));
        const QString suffix = QFileInfo(name).suffix().toLower();
        const QSize shown = h->get("picPipe")->size(); // what is saved is what is shown
        if (suffix == "png") {
            QCOMPARE(QImage::fromData(bytes, "PNG").size(), shown);
        } else if (suffix == "svg") {
            const QStringList texts = svgTexts(bytes);
            QVERIFY2(texts.contains("Dnorm = 0.5359 ft"), qPrintable(texts.join('|')));
            QVERIFY(texts.contains("Dcr = 0.6034 ft"));
            QSvgRenderer svg(bytes);
            QVERIFY(svg.isValid());
            QCOMPARE(svg.viewBox().size(), shown);
        } else {
            QVERIFY(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"));
        }
        // The request: the three formats, PNG first.
        QCOMPARE(h->dialog.requests.size(), std::size_t(1));
        const SaveDialogRequest& r = h->dialog.requests.front();
        QCOMPARE(r.nameFilters,
                 (QStringList{"PNG image (*.png)", "SVG drawing (*.svg)", "PDF document (*.pdf)"}));
        QCOMPARE(r.selectedNameFilter, "PNG image (*.png)");
        QCOMPARE(r.defaultSuffix, "png");
        QCOMPARE(r.directory, saveDialogDirectory());
    }

    void replacesAnExistingFile() {
        QFile old(path("pipe.svg"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(400000, 'x')) == 400000);
        old.close();
        h->dialog.answers = {path("pipe.svg")};
        clickSave();
        QVERIFY(svgTexts(readAll(path("pipe.svg"))).contains("Dnorm = 0.5359 ft"));
        QCOMPARE(filesBelow(folder()), QStringList{"pipe.svg"});
    }

    // Each failure: the fixed sentence, the reason and ")"; nothing left behind.
    void failuresAreReported_data() {
        QTest::addColumn<QString>("answer"); // empty: the dialog itself fails
        QTest::addColumn<QString>("reason");
        QTest::newRow("cancelled") << "-" << QString();
        QTest::newRow("no such folder") << "missing/pipe.png"
                                        << "No such file or directory";
        QTest::newRow("not a picture type") << "pipe.jpg"
                                            << "a picture is saved as .png, .svg or .pdf";
        QTest::newRow("no suffix") << "pipe"
                                   << "a picture is saved as .png, .svg or .pdf";
        QTest::newRow("a folder") << "."
                                  << "a picture is saved as .png, .svg or .pdf";
        QTest::newRow("dialog fails") << ""
                                      << "no dialog";
    }
    void failuresAreReported() {
        QFETCH(QString, answer);
        QFETCH(QString, reason);
        if (answer.isEmpty())
            h->dialog.failure = "no dialog";
        else if (answer != "-")
            h->dialog.answers = {path(answer)};
        clickSave();
        QCOMPARE(h->main.boxes.prompts,
                 reason.isEmpty() ? QStringList() : QStringList{saveFailureMessage(reason)});
        if (!reason.isEmpty()) {
            QVERIFY(h->main.boxes.prompts.front().startsWith(
                "Unable to Open File (already open?). Please try a different name. ("));
        }
        h->main.boxes.prompts.clear();
        QCOMPARE(filesBelow(folder()), QStringList());
    }

    // Qt's own dialog: choosing the SVG filter makes a name typed without suffix an SVG.
    void realDialogSuffixFollowsTheFilter() {
        QtSaveDialog real;
        PipePictureTool tool(*h->main.window, h->main.boxes, real);
        tool.mnuPipePicture_Click();
        QVERIFY(QTest::qWaitFor([&] { return tool.window()->refreshCount() > 0; }));
        whenOpen([this](QFileDialog& d) {
            d.setDirectory(folder());
            auto* types = d.findChild<QComboBox*>("fileTypeCombo");
            if (!types)
                qFatal("no file type list");
            QTest::keyClick(types, Qt::Key_Down); // PNG -> SVG, as the user picks it
            d.selectFile("drawing");
            static_cast<QDialog&>(d).accept();
        });
        QTest::mouseClick(tool.window()->findChild<QPushButton*>("cmdSavePicture"), Qt::LeftButton);
        QCOMPARE(h->main.boxes.prompts, QStringList());
        QCOMPARE(filesBelow(folder()), QStringList{"drawing.svg"});
        QVERIFY(svgTexts(readAll(path("drawing.svg"))).contains("Dnorm = 0.5359 ft"));
    }

private:
    std::unique_ptr<PictureHarness> h;
};

int main(int argc, char** argv) {
    QTemporaryDir privateHome;
    if (!privateHome.isValid())
        return 1;
    home = &privateHome;
    qputenv("HOME", privateHome.path().toLocal8Bit());
    for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        qputenv(xdg, privateHome.filePath(QString::fromLatin1(xdg).toLower()).toLocal8Bit());
    QApplication app(argc, argv);
    PictureSaveTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "picture_save_test.moc"
