// The window must show exactly what runnelex-cli prints for the same entries.
#include <QMap>
#include <QProcess>
#include <QtTest>

#include "input/units.h"
#include "window_harness.h"

using runnelex::test::WindowHarness;

class CliCrossCheckTest : public QObject {
    Q_OBJECT
private slots:
    void sameLabels_data();
    void sameLabels();
};

void CliCrossCheckTest::sameLabels_data() {
    QTest::addColumn<QString>("diam");
    QTest::addColumn<int>("diamUnit");
    QTest::addColumn<QString>("slope");
    QTest::addColumn<int>("slopeUnit");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<int>("flowUnit");
    QTest::addColumn<QString>("n");
    QTest::newRow("worked example") << "12" << 0 << "0.01" << 0 << "2" << 0 << "";
    QTest::newRow("README record") << "24" << 0 << "0.5" << 1 << "10" << 0 << "";
    QTest::newRow("MGD") << "12" << 0 << "0.01" << 0 << "1.3" << 1 << "";
    QTest::newRow("GPM") << "18" << 0 << "0.4" << 1 << "1500" << 2 << "";
    QTest::newRow("feet") << "1.5" << 1 << "0.002" << 0 << "3" << 0 << "0.015";
    QTest::newRow("near Qmax") << "12" << 0 << "0.01" << 0 << "3.83" << 0 << "";
    QTest::newRow("surcharged") << "12" << 0 << "0.01" << 0 << "4" << 0 << "";
    QTest::newRow("full pipe to Qmax") << "12" << 0 << "0.01" << 0 << "3.7" << 0 << "";
    QTest::newRow("subcritical") << "36" << 0 << "0.001" << 0 << "5" << 0 << "0.024";
    QTest::newRow("tiny flow") << "8" << 0 << "0.005" << 0 << "0.0001" << 0 << "";
    QTest::newRow("no flow") << "12" << 0 << "0.01" << 0 << "" << 0 << "";
    QTest::newRow("no diameter") << "" << 0 << "0.01" << 0 << "2" << 0 << "";
    QTest::newRow("big culvert") << "10" << 1 << "2" << 1 << "900" << 0 << "0.012";
    QTest::newRow("steep GPM") << "4" << 0 << "0.08" << 0 << "90.5" << 2 << "0.011";
}

void CliCrossCheckTest::sameLabels() {
    QFETCH(QString, diam);
    QFETCH(int, diamUnit);
    QFETCH(QString, slope);
    QFETCH(int, slopeUnit);
    QFETCH(QString, flow);
    QFETCH(int, flowUnit);
    QFETCH(QString, n);

    const auto item = [](std::string_view s) {
        return QString::fromUtf8(s.data(), s.size());
    };
    QStringList args{"calc", "--labels"};
    const std::pair<const char*, const QString*> boxes[] = {
        {"--diam", &diam}, {"--slope", &slope}, {"--flow", &flow}, {"--n", &n}};
    for (const auto& [option, text] : boxes)
        if (!text->isEmpty())
            args << option << *text;
    // The command line selects a unit only when asked; the window only when it changes.
    if (diamUnit != 0)
        args << "--diam-unit" << item(runnelex::units::kDiamItems[diamUnit]);
    if (slopeUnit != 0)
        args << "--slope-unit" << item(runnelex::units::kSlopeItems[slopeUnit]);
    if (flowUnit != 0)
        args << "--flow-unit" << item(runnelex::units::kFlowItems[flowUnit]);
    QProcess cli;
    cli.start(QStringLiteral(RUNNELEX_CLI_PATH), args);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    QMap<QString, QString> expected;
    for (const QString& line : QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        QVERIFY(tab > 0);
        expected[line.left(tab)] = line.mid(tab + 1);
    }
    QCOMPARE(expected.size(), 22);

    WindowHarness h;
    QVERIFY(h.showActive());
    QStringList steps;
    if (diamUnit != 0)
        steps << QStringLiteral("cmbUnDiam#%1").arg(diamUnit);
    if (slopeUnit != 0)
        steps << QStringLiteral("cmbUnSlope#%1").arg(slopeUnit);
    if (flowUnit != 0)
        steps << QStringLiteral("cmbUnFlo#%1").arg(flowUnit);
    for (const auto& [box, text] :
         {std::pair{"txtDiam", diam}, {"txtSlope", slope}, {"txtQinput", flow}, {"txtM", n}})
        if (!text.isEmpty())
            steps << QString::fromLatin1(box) + u'=' + text;
    h.run(steps);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(h.label(it.key()), it.value());
    QVERIFY(h.boxes.prompts.isEmpty());
}

QTEST_MAIN(CliCrossCheckTest)
#include "cli_crosscheck_test.moc"
