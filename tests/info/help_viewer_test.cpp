#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "fakes.h"
#include "info/help_document.h"
#include "info/help_viewer.h"

using namespace runnelex;
using namespace runnelex::test;

namespace {
bool writeFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("<html></html>") > 0;
}
} // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT
private slots:
    void places_data();
    void places();
    void findDocument_data();
    void findDocument();
    void browserOpensInstalledDocument_data();
    void browserOpensInstalledDocument();
};

void HelpViewerTest::places_data() {
    QTest::addColumn<QString>("appDir");
    QTest::addColumn<QString>("buildRoot");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<bool>("sourceTree");
    QTest::newRow("installed program") << "/usr/bin"
                                       << "/home/u/runnelex/build"
                                       << "/usr/share/runnelex/help/index.html" << false;
    QTest::newRow("program in the build tree")
        << "/home/u/runnelex/build/src/app"
        << "/home/u/runnelex/build"
        << "/home/u/runnelex/build/src/share/runnelex/help/index.html" << true;
    QTest::newRow("folder beside the build tree")
        << "/home/u/runnelex/build-other/bin"
        << "/home/u/runnelex/build"
        << "/home/u/runnelex/build-other/share/runnelex/help/index.html" << false;
    QTest::newRow("no build tree known") << "/opt/runnelex/bin"
                                         << ""
                                         << "/opt/runnelex/share/runnelex/help/index.html" << false;
}

void HelpViewerTest::places() {
    QFETCH(QString, appDir);
    QFETCH(QString, buildRoot);
    QFETCH(QString, installed);
    QFETCH(bool, sourceTree);
    const QString source = QStringLiteral("/src/data/help/index.html");
    const HelpDocumentPlaces places = helpDocumentPlaces(appDir, buildRoot, source);
    QCOMPARE(places.installed, installed);
    QCOMPARE(places.sourceTree, sourceTree ? source : QString());
}

void HelpViewerTest::findDocument_data() {
    QTest::addColumn<bool>("installedExists");
    QTest::addColumn<bool>("sourceExists");
    QTest::addColumn<int>("found"); // 0 none, 1 installed, 2 source tree
    QTest::newRow("installed only") << true << false << 1;
    QTest::newRow("installed wins") << true << true << 1;
    QTest::newRow("source tree fallback") << false << true << 2;
    QTest::newRow("neither") << false << false << 0;
}

void HelpViewerTest::findDocument() {
    QFETCH(bool, installedExists);
    QFETCH(bool, sourceExists);
    QFETCH(int, found);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const HelpDocumentPlaces places{dir.filePath("share/runnelex/help/index.html"),
                                    dir.filePath("src/data/help/index.html")};
    if (installedExists) {
        QVERIFY(writeFile(places.installed));
    }
    if (sourceExists) {
        QVERIFY(writeFile(places.sourceTree));
    }
    // A folder of the document's name is not the document.
    QDir().mkpath(dir.filePath("share/runnelex/help/index.html.d"));
    const QString expected = found == 1   ? places.installed
                             : found == 2 ? places.sourceTree
                                          : QString();
    QCOMPARE(findHelpDocument(places), expected);
}

void HelpViewerTest::browserOpensInstalledDocument_data() {
    QTest::addColumn<bool>("documentThere");
    QTest::addColumn<bool>("browserWorks");
    QTest::newRow("document opened") << true << true;
    QTest::newRow("browser fails") << true << false;
    QTest::newRow("document missing") << false << true;
}

void HelpViewerTest::browserOpensInstalledDocument() {
    QFETCH(bool, documentThere);
    QFETCH(bool, browserWorks);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString bin = dir.filePath("bin");
    QVERIFY(QDir().mkpath(bin));
    const QString document = dir.filePath("share/runnelex/help/index.html");
    if (documentThere) {
        QVERIFY(writeFile(document));
    }
    std::vector<QUrl> opened;
    BrowserHelpViewer viewer(std::make_unique<FakeDocumentOpener>(browserWorks, opened), bin);
    viewer.showHelp(nullptr); // returns quietly whatever happens
    if (documentThere) {
        QCOMPARE(opened.size(), 1u);
        QCOMPARE(opened[0], QUrl::fromLocalFile(document));
    } else {
        QVERIFY(opened.empty());
    }
}

QTEST_GUILESS_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
