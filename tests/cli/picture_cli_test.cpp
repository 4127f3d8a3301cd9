// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli picture, the real binary without a display: the files it writes, and nothing
// else (what it refuses: golden/picture.golden).
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace runnelex {
namespace {

// The texts of every <text> element of an SVG file, or the parser's error.
QStringList svgTexts(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {"<unreadable>"};
    QXmlStreamReader xml(&file);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
    return xml.hasError() ? QStringList{"<" + xml.errorString() + ">"} : texts;
}

// Every run below a private home, without a display or a platform chosen, so that whatever
// the program writes shows up there.
TEST(PictureCli, WritesEachFormatAndNothingElse) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const auto run = [&](const QStringList& args) {
        QProcessEnvironment env;
        env.insert("PATH", qEnvironmentVariable("PATH"));
        env.insert("HOME", home.path());
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home.path());
        p.start(RUNNELEX_CLI_PATH, QStringList{"picture", "--slope", "0.01"} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.readAll().toStdString() + p.readAllStandardError().toStdString(), "");
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    };
    const QStringList worked = {"--diam", "12", "--flow", "2"};
    const struct {
        QStringList args;
        QStringList shown; // texts the drawing must hold
    } svgs[] = {
        {worked + QStringList{"--out", "worked.svg"},
         {"Dnorm = 0.5359 ft", "Dcr = 0.6034 ft", "D = 12 in.", "Q (cfs)"}},
        {{"--diam", "1", "--diam-unit", "ft.", "--flow", "3.7", "--flow-unit", "GPM",
          "--slope-unit", "%", "--out", "gpm.svg"},
         {"Q (gpm)", "D = 1 ft. S = 0.01 % n = 0.013 Q = 3.7 GPM"}}, // blanks simplified
    };
    for (const auto& c : svgs) {
        EXPECT_EQ(run(c.args), 0);
        const QStringList texts = svgTexts(home.filePath(c.args.back()));
        for (const QString& shown : c.shown)
            EXPECT_TRUE(texts.contains(shown))
                << qPrintable(shown) << " not in " << qPrintable(texts.join(u'|'));
    }
    EXPECT_EQ(run(worked + QStringList{"--out", "a.png", "--size", "600X900"}), 0);
    EXPECT_EQ(QImage(home.filePath("a.png"), "PNG").size(), QSize(600, 900));
    {
        // "-" writes to standard output in the format named: a pipe into a viewer.
        QProcess p;
        p.setWorkingDirectory(home.path());
        p.start(RUNNELEX_CLI_PATH,
                QStringList{"picture", "--slope", "0.01"} + worked +
                    QStringList{"--out", "-", "--format", "PNG", "--size", "560x320"});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0);
        EXPECT_EQ(QImage::fromData(p.readAllStandardOutput(), "PNG").size(), QSize(560, 320));
    }
    EXPECT_EQ(run(worked + QStringList{"--out", "b.PNG"}), 0);
    EXPECT_EQ(QImage(home.filePath("b.PNG"), "PNG").size(), QSize(960, 540));
    EXPECT_EQ(run(worked + QStringList{"--out", "p.pdf"}), 0);
    QFile pdf(home.filePath("p.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"));
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 960.000000 540.000000]")); // points
    // Only the files asked for: no settings, no caches, nothing beside them.
    QStringList files;
    QDirIterator it(home.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(home.path()).relativeFilePath(it.next());
    files.sort();
    EXPECT_EQ(files, (QStringList{"a.png", "b.PNG", "gpm.svg", "p.pdf", "worked.svg"}));
}

} // namespace
} // namespace runnelex
