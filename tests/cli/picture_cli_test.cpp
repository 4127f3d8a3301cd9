// SPDX-License-Identifier: GPL-3.0-or-later
// runnelex-cli picture, the real binary without a display: the files it writes, and nothing
// else.
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

struct PictureRun {
    int exitCode = -1;
    std::string out, err; // std::string, so that a failure prints readable text
};

// A private home for every run: no display, no platform chosen, configuration and caches
// below the home, so that whatever the program writes shows up there.
class PictureCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        ASSERT_TRUE(QDir(home_.path()).mkpath(QStringLiteral("out")));
    }
    QString out(const QString& name) const { return home_.filePath(QStringLiteral("out/") + name); }

    PictureRun run(QStringList args) {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("HOME"), home_.path());
        for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            env.insert(QString::fromLatin1(xdg),
                       home_.filePath(QStringLiteral(".") + QString::fromLatin1(xdg).toLower()));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home_.path());
        args.prepend(QStringLiteral("picture"));
        p.start(QStringLiteral(RUNNELEX_CLI_PATH), args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
    }
    // Every file below the home, relative to it.
    QStringList filesWritten() const {
        QStringList files;
        QDirIterator it(home_.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(home_.path()).relativeFilePath(it.next());
        files.sort();
        return files;
    }

    QTemporaryDir home_;
};

const QStringList kWorked = {"--diam", "12", "--slope", "0.01", "--flow", "2"};

// The texts of every <text> element, once the whole document has parsed.
QStringList svgTexts(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("unreadable");
        return {};
    }
    QXmlStreamReader xml(&file);
    QStringList texts;
    bool rootIsSvg = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg") && texts.isEmpty())
            rootIsSvg = true;
        if (xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
    }
    *error = xml.hasError() ? xml.errorString() : rootIsSvg ? QString() : QStringLiteral("no svg");
    return texts;
}

TEST_F(PictureCli, SvgParsesAndNamesTheDepths) {
    const struct {
        const char* name;
        QStringList args;
        QStringList shown; // texts the drawing must hold
    } cases[] = {
        {"worked", kWorked, {"Dnorm = 0.5359 ft", "Dcr = 0.6034 ft", "D = 1 ft", "Q (cfs)"}},
        {"two depths",
         {"--diam", "12", "--slope", "0.01", "--flow", "3.7"},
         {"Dnorm = 0.8593 ft", "other Dnorm = 0.9917 ft", "two normal depths"}},
        {"surcharged", {"--diam", "12", "--slope", "0.01", "--flow", "4"}, {"Surcharged!"}},
        {"gpm",
         {"--diam", "1", "--diam-unit", "ft.", "--slope", "1", "--slope-unit", "%", "--flow",
          "897.795", "--flow-unit", "GPM"},
         {"Dnorm = 0.5359 ft", "Q (gpm)", "D = 1 ft.   S = 1 %   n = 0.013   Q = 897.795 GPM"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = out(QString::fromLatin1(c.name) + QStringLiteral(".svg"));
        const PictureRun r = run(c.args + QStringList{"--out", file});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
        QString error;
        const QStringList texts = svgTexts(file, &error);
        EXPECT_EQ(error, QString());
        for (const QString& shown : c.shown)
            EXPECT_TRUE(texts.contains(shown.simplified()))
                << qPrintable(shown) << " not in " << qPrintable(texts.join(u'|'));
    }
}

TEST_F(PictureCli, PngHasTheRequestedSizeAndPdfIsAPage) {
    const struct {
        const char* file;
        const char* size; // empty: the default
        QSize expected;
    } cases[] = {{"a.png", "640x360", {640, 360}},
                 {"b.PNG", "", {960, 540}},
                 {"tiny.png", "16x16", {16, 16}},
                 {"tall.png", "300X900", {300, 900}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        QStringList args = kWorked + QStringList{"--out", out(QString::fromLatin1(c.file))};
        if (*c.size)
            args << "--size" << QString::fromLatin1(c.size);
        EXPECT_EQ(run(args).exitCode, 0);
        const QImage image(out(QString::fromLatin1(c.file)), "PNG");
        EXPECT_EQ(image.size(), c.expected);
    }
    ASSERT_EQ(run(kWorked + QStringList{"--out", out("p.pdf")}).exitCode, 0);
    QFile pdf(out("p.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 960.000000 540.000000]")); // points
    // Only the files asked for: no settings, no caches, nothing beside them.
    EXPECT_EQ(filesWritten(),
              (QStringList{"out/a.png", "out/b.PNG", "out/p.pdf", "out/tall.png", "out/tiny.png"}));
}

TEST_F(PictureCli, ReplacesAnExistingFile) {
    QFile old(out("old.svg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(300000, 'x')); // longer than the picture
    old.close();
    ASSERT_EQ(run(kWorked + QStringList{"--out", out("old.svg")}).exitCode, 0);
    QString error;
    EXPECT_FALSE(svgTexts(out("old.svg"), &error).isEmpty());
    EXPECT_EQ(error, QString());
}

TEST_F(PictureCli, FailuresWriteNothing) {
    const QString hint =
        QStringLiteral("Try \"runnelex-cli picture --help\" for more information.\n");
    const struct {
        QStringList args;
        int exitCode;
        QString err;
    } cases[] = {
        {kWorked, 2, "runnelex-cli: --out is needed\n" + hint},
        {kWorked + QStringList{"--out", "x.jpg"}, 2,
         "runnelex-cli: --out \"x.jpg\": the file name must end in .png, .svg or .pdf\n" + hint},
        {kWorked + QStringList{"--out", "x.png", "--size", "15x100"}, 2,
         "runnelex-cli: --size \"15x100\": WIDTHxHEIGHT in pixels, each 16 to 10000\n" + hint},
        {kWorked + QStringList{"--out", "x.png", "--size", "100"}, 2,
         "runnelex-cli: --size \"100\": WIDTHxHEIGHT in pixels, each 16 to 10000\n" + hint},
        {{"--diam", "abc", "--out", "x.png"},
         2,
         "runnelex-cli: --diam \"abc\": Diameter must be a positive real number.\n" + hint},
        {kWorked + QStringList{"--out", "missing/x.png"}, 4,
         "runnelex-cli: cannot write \"missing/x.png\": No such file or directory\n"},
        {{"--diam", "1e200", "--diam-unit", "ft.", "--slope", "0.01", "--flow", "1", "--out",
          "x.png"},
         3,
         "The calculation was stopped by an arithmetic error: Overflow.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.args.join(u' ')));
        const PictureRun r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err.toStdString());
    }
    EXPECT_EQ(filesWritten(), QStringList());
}

} // namespace
} // namespace runnelex
