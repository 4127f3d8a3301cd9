// SPDX-License-Identifier: GPL-3.0-or-later
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
    void places_data() {
        QTest::addColumn<QString>("appDir");
        QTest::addColumn<QString>("buildRoot");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<bool>("sourceTree");
        const char* const rows[][4] = {
            {"installed", "/usr/bin", "/home/u/b", "/usr/share/runnelex/help/index.html"},
            {"in the build tree", "/home/u/b/src/app", "/home/u/b",
             "/home/u/b/src/share/runnelex/help/index.html"},
            {"beside the build tree", "/home/u/b-other/bin", "/home/u/b",
             "/home/u/b-other/share/runnelex/help/index.html"},
            {"no build tree known", "/opt/r/bin", "", "/opt/r/share/runnelex/help/index.html"},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3])
                                << (QString(r[0]) == "in the build tree");
    }

    void places() {
        QFETCH(QString, appDir);
        QFETCH(QString, buildRoot);
        QFETCH(bool, sourceTree);
        const QString source = "/src/data/help/index.html";
        const HelpDocumentPlaces places = helpDocumentPlaces(appDir, buildRoot, source);
        QTEST(places.installed, "installed");
        QCOMPARE(places.sourceTree, sourceTree ? source : QString());
    }

    // The installed document wins over the source tree's; a folder of its name is no document.
    void findDocument() {
        QTemporaryDir dir;
        const HelpDocumentPlaces places{dir.filePath("share/index.html"),
                                        dir.filePath("src/index.html")};
        QVERIFY(QDir().mkpath(places.installed + ".d") && QDir().mkpath(places.sourceTree + ".d"));
        QCOMPARE(findHelpDocument(places), QString());
        QVERIFY(writeFile(places.sourceTree));
        QCOMPARE(findHelpDocument(places), places.sourceTree);
        QVERIFY(writeFile(places.installed));
        QCOMPARE(findHelpDocument(places), places.installed);
    }

    void browserOpensInstalledDocument_data() {
        QTest::addColumn<bool>("documentThere");
        QTest::addColumn<bool>("browserWorks");
        QTest::newRow("document opened") << true << true;
        QTest::newRow("browser fails") << true << false;
        QTest::newRow("document missing") << false << true;
    }

    // Whatever happens, the request returns quietly.
    void browserOpensInstalledDocument() {
        QFETCH(bool, documentThere);
        QFETCH(bool, browserWorks);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("bin")));
        const QString document = dir.filePath("share/runnelex/help/index.html");
        QVERIFY(!documentThere || writeFile(document));
        std::vector<QUrl> opened;
        BrowserHelpViewer(std::make_unique<FakeDocumentOpener>(browserWorks, opened),
                          dir.filePath("bin"))
            .showHelp(nullptr);
        QCOMPARE(opened.size(), documentThere ? 1u : 0u);
        if (documentThere)
            QCOMPARE(opened[0], QUrl::fromLocalFile(document));
    }
};

QTEST_GUILESS_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
