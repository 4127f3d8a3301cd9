// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>

#include "fakes.h"
#include "info/sys_info_launcher.h"

using namespace runnelex;
using namespace runnelex::test;

namespace {
const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
} // namespace

class SysInfoLauncherTest : public QObject {
    Q_OBJECT
private slots:
    void getKeyValue_data() {
        QTest::addColumn<int>("type"); // 0: no such value, -1: no such key
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected");
        const QByteArray path("C:\\Tools\\msinfo32.exe"), full(1023, 'a');
        QTest::newRow("with terminating zero") << 1 << path + '\0' << true << QString(path);
        QTest::newRow("without terminating zero") << 1 << path << true << QString(path);
        QTest::newRow("empty string") << 1 << QByteArray(1, '\0') << true << "";
        QTest::newRow("no bytes at all") << 1 << QByteArray() << true << "";
        QTest::newRow("only the last zero is dropped")
            << 1 << QByteArray("ab\0\0", 4) << true << QStringLiteral("ab") + QChar(0);
        QTest::newRow("1023 and zero fill the buffer") << 1 << full + '\0' << true << QString(full);
        QTest::newRow("1024 without zero fill the buffer")
            << 1 << full + 'b' << true << QString(full + 'b');
        QTest::newRow("too long for the buffer") << 1 << full + "b" + '\0' << false << "";
        QTest::newRow("number") << 4 << QByteArray("\x05\x10\0\0", 4) << true << "4101";
        QTest::newRow("number, all bits") << 4 << QByteArray(4, '\xff') << true << "4294967295";
        QTest::newRow("binary value leaves the text")
            << 3 << QByteArray("\1\2", 2) << true << "before";
        QTest::newRow("value missing") << 0 << QByteArray() << false << "";
        QTest::newRow("key missing") << -1 << QByteArray() << false << "";
    }

    void getKeyValue() {
        QFETCH(int, type);
        QFETCH(QByteArray, stored);
        FakeRegistry registry;
        if (type >= 0)
            registry.keys["Some\\Key"];
        if (type > 0)
            registry.keys["Some\\Key"]["Name"] = {std::uint32_t(type), stored.toStdString()};
        FakeProgramHost programs;
        FakeMessageBoxes boxes;
        SysInfoLauncher launcher(registry, programs, boxes);

        QString value = "before";
        QTEST(launcher.GetKeyValue(kHkeyLocalMachine, "Some\\Key", "Name", value), "found");
        QTEST(value, "expected");
        QCOMPARE(registry.opens.size(), 1u);
        const auto& open = registry.opens[0];
        QVERIFY(open.root == kHkeyLocalMachine && open.subKey == "Some\\Key");
        QCOMPARE(open.options, 0u);
        QCOMPARE(open.access, kKeyRead);
        // The key is closed once on every path, with handle 0 after a failed open.
        QCOMPARE(registry.closes.size(), 1u);
        QVERIFY(registry.openKeys.empty());
        if (type < 0)
            QCOMPARE(registry.closes[0], RegKeyHandle{0});
        QVERIFY(boxes.prompts.isEmpty());
    }

    void startSysInfo_data() {
        QTest::addColumn<QString>("toolPath");   // null: no "PATH" value
        QTest::addColumn<QString>("folder");     // null: no "MSINFO" value
        QTest::addColumn<QStringList>("files");  // files that exist
        QTest::addColumn<QStringList>("onPath"); // desktop programs found on the path
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<QStringList>("existsAsked");
        QTest::addColumn<int>("lookups");
        QTest::addColumn<bool>("message");

        const QString tool = "C:\\WINDOWS\\System32\\msinfo32.exe", absent;
        const QString folder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
        const QString inFolder = folder + "\\MSINFO32.EXE", hardinfo = "/usr/bin/hardinfo";
        const QString kinfo = "/usr/bin/kinfocenter";
        const QStringList none, shared{inFolder}, desktop{hardinfo};
        QTest::newRow("tool path started, no file test")
            << tool << folder << none << none << none << QStringList{tool} << none << 1 << false;
        QTest::newRow("tool path, start fails")
            << tool << folder << shared << desktop << QStringList{tool} << QStringList{tool} << none
            << 1 << true;
        QTest::newRow("folder, file there")
            << absent << folder << shared << none << none << shared << shared << 2 << false;
        QTest::newRow("folder, file missing")
            << absent << folder << none << desktop << none << none << shared << 2 << true;
        QTest::newRow("folder, start fails")
            << absent << folder << shared << none << shared << shared << shared << 2 << true;
        QTest::newRow("shared lookups fail, no desktop tool")
            << absent << absent << none << none << none << none << none << 2 << true;
        QTest::newRow("shared lookups fail, first desktop tool wins")
            << absent << absent << none << QStringList{hardinfo, kinfo} << none << desktop << none
            << 2 << false;
        QTest::newRow("shared lookups fail, desktop tool fails")
            << absent << absent << none << QStringList{kinfo} << QStringList{kinfo}
            << QStringList{kinfo} << none << 2 << true;
    }

    void startSysInfo() {
        QFETCH(QString, toolPath);
        QFETCH(QString, folder);
        QFETCH(QStringList, onPath);
        QFETCH(int, lookups);
        QFETCH(bool, message);
        FakeRegistry registry;
        registry.keys[kToolKey]; // the key is there; the value may not be
        if (!toolPath.isNull())
            registry.keys[kToolKey]["PATH"] = {1, toolPath.toStdString() + '\0'};
        if (!folder.isNull())
            registry.keys[kFolderKey]["MSINFO"] = {1, folder.toStdString() + '\0'};
        FakeProgramHost programs;
        QFETCH(QStringList, files);
        QFETCH(QStringList, failing);
        programs.existingFiles = files;
        programs.failing = failing;
        for (const QString& path : onPath)
            programs.onPath[path.section('/', -1)] = path;
        FakeMessageBoxes boxes;
        SysInfoLauncher launcher(registry, programs, boxes,
                                 {"hardinfo2", "hardinfo", "kinfocenter"});
        QWidget parent;

        launcher.StartSysInfo(&parent);
        QTEST(programs.started, "started"); // without arguments
        QTEST(programs.existsAsked, "existsAsked");
        QCOMPARE(int(registry.opens.size()), lookups);
        QCOMPARE(registry.opens[0].subKey, kToolKey);
        if (lookups > 1)
            QCOMPARE(registry.opens[1].subKey, kFolderKey);
        QCOMPARE(registry.closes.size(), registry.opens.size());
        QVERIFY(registry.openKeys.empty());
        QCOMPARE(boxes.prompts.size(), message ? 1 : 0);
        if (message) {
            QCOMPARE(boxes.prompts[0], "System Information Is Unavailable At This Time");
            QCOMPARE(boxes.parents[0], &parent);
        }
    }
};

QTEST_MAIN(SysInfoLauncherTest)
#include "sys_info_launcher_test.moc"
