#include <QTest>

#include "fakes.h"
#include "info/sys_info_launcher.h"

using runnelex::kHkeyLocalMachine;
using runnelex::kKeyRead;
using runnelex::SysInfoLauncher;
using namespace runnelex::test;

namespace {
const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

std::string bytes(std::initializer_list<int> list) {
    std::string text;
    for (int b : list) {
        text += static_cast<char>(b);
    }
    return text;
}
} // namespace

class SysInfoLauncherTest : public QObject {
    Q_OBJECT
private slots:
    void getKeyValue_data();
    void getKeyValue();
    void startSysInfo_data();
    void startSysInfo();
};

void SysInfoLauncherTest::getKeyValue_data() {
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<bool>("valueExists");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("expected");

    const QByteArray path("C:\\Tools\\msinfo32.exe");
    const QString pathText = QString::fromLatin1(path);
    const QByteArray full(1023, 'a');
    QTest::newRow("string with terminating zero")
        << true << true << 1u << path + '\0' << true << pathText;
    QTest::newRow("string without terminating zero")
        << true << true << 1u << path << true << pathText;
    QTest::newRow("empty string") << true << true << 1u << QByteArray(1, '\0') << true << "";
    QTest::newRow("no bytes at all") << true << true << 1u << QByteArray() << true << "";
    QTest::newRow("only the last zero is dropped")
        << true << true << 1u << QByteArray("ab\0\0", 4) << true << QStringLiteral("ab") + QChar(0);
    QTest::newRow("1023 characters and zero fill the buffer")
        << true << true << 1u << full + '\0' << true << QString::fromLatin1(full);
    QTest::newRow("1024 characters without zero fill the buffer")
        << true << true << 1u << full + 'b' << true << QString::fromLatin1(full + 'b');
    QTest::newRow("too long for the buffer")
        << true << true << 1u << full + "b" + '\0' << false << "";
    QTest::newRow("number, each byte two digits")
        << true << true << 4u << QByteArray::fromStdString(bytes({0x05, 0x10, 0, 0})) << true
        << "4101";
    QTest::newRow("number, high byte set")
        << true << true << 4u << QByteArray::fromStdString(bytes({0x78, 0x56, 0x34, 0x12})) << true
        << "305419896";
    QTest::newRow("number, all bits")
        << true << true << 4u << QByteArray::fromStdString(bytes({0xff, 0xff, 0xff, 0xff})) << true
        << "4294967295";
    QTest::newRow("number zero") << true << true << 4u << QByteArray(4, '\0') << true << "0";
    QTest::newRow("binary value leaves the text")
        << true << true << 3u << QByteArray("\x01\x02", 2) << true << "before";
    QTest::newRow("multi-string value leaves the text")
        << true << true << 7u << QByteArray("a\0b\0\0", 5) << true << "before";
    QTest::newRow("value missing") << true << false << 1u << QByteArray() << false << "";
    QTest::newRow("key missing") << false << false << 1u << QByteArray() << false << "";
}

void SysInfoLauncherTest::getKeyValue() {
    QFETCH(bool, keyExists);
    QFETCH(bool, valueExists);
    QFETCH(uint, type);
    QFETCH(QByteArray, stored);
    QFETCH(bool, found);
    QFETCH(QString, expected);

    FakeRegistry registry;
    if (keyExists) {
        registry.keys["Some\\Key"];
    }
    if (valueExists) {
        registry.keys["Some\\Key"]["Name"] = {type, stored.toStdString()};
    }
    FakeProgramHost programs;
    RecordingMessageBoxes boxes;
    SysInfoLauncher launcher(registry, programs, boxes);

    QString value = QStringLiteral("before");
    QCOMPARE(launcher.GetKeyValue(kHkeyLocalMachine, QStringLiteral("Some\\Key"),
                                  QStringLiteral("Name"), value),
             found);
    QCOMPARE(value, expected);

    QCOMPARE(registry.opens.size(), 1u);
    QCOMPARE(registry.opens[0].root, kHkeyLocalMachine);
    QCOMPARE(registry.opens[0].subKey, std::string("Some\\Key"));
    QCOMPARE(registry.opens[0].options, 0u);
    QCOMPARE(registry.opens[0].access, kKeyRead);
    // The key is closed once on every path, with handle 0 after a failed open.
    QCOMPARE(registry.closes.size(), 1u);
    QVERIFY(registry.openHandles.empty());
    if (!keyExists) {
        QCOMPARE(registry.closes[0], runnelex::RegKeyHandle{0});
    }
    QVERIFY(boxes.shown.empty());
}

void SysInfoLauncherTest::startSysInfo_data() {
    QTest::addColumn<QString>("toolPath");   // null: no "PATH" value
    QTest::addColumn<QString>("folder");     // null: no "MSINFO" value
    QTest::addColumn<QStringList>("files");  // files that exist
    QTest::addColumn<QStringList>("onPath"); // name=path of desktop programs
    QTest::addColumn<QStringList>("failing");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QStringList>("existsAsked");
    QTest::addColumn<int>("lookups");
    QTest::addColumn<bool>("message");

    const QString tool = QStringLiteral("C:\\WINDOWS\\System32\\msinfo32.exe");
    const QString folder =
        QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
    const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");
    const QString hardinfo = QStringLiteral("/usr/bin/hardinfo");
    const QStringList none;
    const QString absent;

    QTest::newRow("tool path read and started, no file test")
        << tool << folder << none << none << none << QStringList{tool} << none << 1 << false;
    QTest::newRow("tool path read, start fails")
        << tool << folder << QStringList{inFolder} << QStringList{"hardinfo=" + hardinfo}
        << QStringList{tool} << QStringList{tool} << none << 1 << true;
    QTest::newRow("folder read, file there")
        << absent << folder << QStringList{inFolder} << none << none << QStringList{inFolder}
        << QStringList{inFolder} << 2 << false;
    QTest::newRow("folder read, file missing")
        << absent << folder << none << QStringList{"hardinfo=" + hardinfo} << none << none
        << QStringList{inFolder} << 2 << true;
    QTest::newRow("folder read, start fails")
        << absent << folder << QStringList{inFolder} << none << QStringList{inFolder}
        << QStringList{inFolder} << QStringList{inFolder} << 2 << true;
    QTest::newRow("both lookups fail, no desktop tool")
        << absent << absent << none << none << none << none << none << 2 << true;
    QTest::newRow("both lookups fail, desktop tool found")
        << absent << absent << none << QStringList{"hardinfo=" + hardinfo} << none
        << QStringList{hardinfo} << none << 2 << false;
    QTest::newRow("both lookups fail, first desktop tool wins")
        << absent << absent << none
        << QStringList{"hardinfo=" + hardinfo, "kinfocenter=/usr/bin/kinfocenter"} << none
        << QStringList{hardinfo} << none << 2 << false;
    QTest::newRow("both lookups fail, desktop tool fails to start")
        << absent << absent << none << QStringList{"kinfocenter=/usr/bin/kinfocenter"}
        << QStringList{"/usr/bin/kinfocenter"} << QStringList{"/usr/bin/kinfocenter"} << none << 2
        << true;
}

void SysInfoLauncherTest::startSysInfo() {
    QFETCH(QString, toolPath);
    QFETCH(QString, folder);
    QFETCH(QStringList, files);
    QFETCH(QStringList, onPath);
    QFETCH(QStringList, failing);
    QFETCH(QStringList, started);
    QFETCH(QStringList, existsAsked);
    QFETCH(int, lookups);
    QFETCH(bool, message);

    FakeRegistry registry;
    registry.keys[kToolKey]; // the key is there; the value may not be
    if (!toolPath.isNull()) {
        registry.keys[kToolKey]["PATH"] = {1, toolPath.toStdString() + '\0'};
    }
    if (!folder.isNull()) {
        registry.keys[kFolderKey]["MSINFO"] = {1, folder.toStdString() + '\0'};
    }
    FakeProgramHost programs;
    programs.existingFiles = files;
    for (const QString& entry : onPath) {
        programs.onPath[entry.section('=', 0, 0)] = entry.section('=', 1);
    }
    programs.failingPrograms = failing;
    RecordingMessageBoxes boxes;
    SysInfoLauncher launcher(
        registry, programs, boxes,
        {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter")});
    QWidget parent;

    launcher.StartSysInfo(&parent);

    QCOMPARE(programs.started, started);
    QVERIFY(programs.lastArguments.isEmpty());
    QCOMPARE(programs.existsAsked, existsAsked);
    QCOMPARE(static_cast<int>(registry.opens.size()), lookups);
    QCOMPARE(registry.opens[0].subKey, kToolKey);
    if (lookups > 1) {
        QCOMPARE(registry.opens[1].subKey, kFolderKey);
    }
    QCOMPARE(registry.closes.size(), registry.opens.size());
    QVERIFY(registry.openHandles.empty());
    QCOMPARE(boxes.shown.size(), message ? 1u : 0u);
    if (message) {
        QCOMPARE(boxes.shown[0].prompt, kUnavailable);
        QCOMPARE(boxes.shown[0].parent, &parent);
    }
}

QTEST_MAIN(SysInfoLauncherTest)
#include "sys_info_launcher_test.moc"
