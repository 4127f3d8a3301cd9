// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli sheet in PDF form, the real binary without a display: one sheet, a table's
// index and sheets numbered through the file, and the one line told when the file cannot be
// written (the text form and what it refuses: golden/sheet.golden).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace runnelex {
namespace {

struct CliRun {
    int status = -1;
    QString err;
};

CliRun run(const QString& dir, const QStringList& args) {
    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    env.insert("HOME", dir);
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir);
    p.start(RUNNELEX_CLI_PATH, QStringList{"sheet"} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

QString tool(const QString& name, const QStringList& args) {
    QProcess p;
    p.start(name, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << name.toStdString() << ": poppler-utils missing?";
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(SheetPdfCli, OneSheetATableAndAFailure) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QFile table(home.filePath("pipes.tsv"));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write("Pipe ID\tQ\tQunit\tDiam\tunit\tSlope\tunit\tn\n"
                "P1\t2\tCFS\t12\tin.\t0.01\tft/ft\t0.013\n"
                "P2\tx\tCFS\t12\tin.\t0.01\tft/ft\t0.013\n"
                "P3\t4\tCFS\t12\tin.\t0.01\tft/ft\t0.013\n");
    table.close();
    const struct {
        const char* name;
        QStringList args;
        int status;
        QString size;
        QStringList shown; // in the text of the file
    } cases[] = {
        {"one sheet",
         {"--diam", "12", "--slope", "0.01", "--flow", "2", "--out", "one.pdf"},
         0,
         "612 x 792",
         {"Dnorm", "0.5359", "Q = 1.486/0.013"}},
        {"a table on A4",
         {"--table", "pipes.tsv", "--paper", "a4", "--out", "table.pdf"},
         5,
         "595 x 842",
         {"Calculation sheets", "pipes.tsv", "line 3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(home.path(), c.args);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        const QString path = home.filePath(c.args.back());
        const QString info = tool("pdfinfo", {path});
        EXPECT_TRUE(info.contains("Page size:       " + c.size)) << info.toStdString();
        const QRegularExpressionMatch pages = QRegularExpression("Pages: +(\\d+)").match(info);
        ASSERT_TRUE(pages.hasMatch());
        const QStringList text = tool("pdftotext", {path, "-"}).split(u'\f');
        for (const QString& wanted : c.shown)
            EXPECT_TRUE(text.join(u'\f').contains(wanted)) << wanted.toStdString();
        const int count = pages.captured(1).toInt();
        for (int p = 1; p <= count; ++p)
            EXPECT_TRUE(text[p - 1].contains(QStringLiteral("page %1 of %2").arg(p).arg(count)));
    }
    const CliRun failed =
        run(home.path(), {"--diam", "12", "--slope", "0.01", "--flow", "2", "--out", "no/x.pdf"});
    EXPECT_EQ(failed.status, 4);
    EXPECT_EQ(failed.err.count(u'\n'), 1) << failed.err.toStdString();
    EXPECT_TRUE(failed.err.startsWith("runnelex-cli: cannot write \"no/x.pdf\": "));
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"one.pdf", "pipes.tsv", "table.pdf"}));
}

} // namespace
} // namespace runnelex
