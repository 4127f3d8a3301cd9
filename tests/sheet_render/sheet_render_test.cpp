// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet laid out on pages (blocks kept whole, long equations wrapped, the pages counted
// before painting) and its PDF as poppler's tools read it: the paper, the fonts embedded, the
// numbers and the equations as text, the pages of a table numbered through.
#include <QApplication>
#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "calc/calc_session.h"
#include "sheet/sheet_builder.h"
#include "sheet_render/sheet_faces.h"
#include "sheet_render/sheet_layout.h"
#include "sheet_render/sheet_pdf.h"

namespace runnelex {

using sheet::PageItem;
using sheet::Paper;
using sheet::SheetBlock;
using sheet::SheetDocument;
using sheet::SheetLayout;

namespace {

// `blocks` blocks of `rows` rows each; the cells name their block and row ("b2 r7").
SheetDocument tableDocument(int blocks, int rows) {
    SheetDocument d;
    d.subject = "test sheet";
    d.program = "Runnelex test";
    for (int b = 0; b < blocks; ++b) {
        SheetBlock block;
        block.heading = "Block " + std::to_string(b);
        block.columns = {"Quantity", "Symbol", "Value", "Unit"};
        for (int r = 0; r < rows; ++r)
            block.rows.push_back({"b" + std::to_string(b) + " r" + std::to_string(r), "y",
                                  std::to_string(r) + ".25", "ft"});
        d.blocks.push_back(std::move(block));
    }
    return d;
}

// The page each text stands on.
std::map<QString, int> pagesOfTexts(const SheetLayout& layout) {
    std::map<QString, int> at;
    for (int p = 0; p < layout.pageCount(); ++p)
        for (const PageItem& item : layout.items(p))
            if (item.kind == PageItem::Kind::Text)
                at[item.text] = p;
    return at;
}

// The worked example: 12 in. pipe, slope 0.01, n 0.013, 2 cfs.
SheetDocument workedSheet() {
    CalcSession session;
    session.setText(TextBox::Diam, "12");
    session.commit(TextBox::Diam);
    session.setText(TextBox::Slope, "0.01");
    session.commit(TextBox::Slope);
    session.setText(TextBox::Flow, "2");
    session.commit(TextBox::Flow);
    return sheet::buildSheet(session, {"Main Street", "", "A. Engineer", "", "2026-12-08"});
}

// What a poppler tool prints for the file; the test fails when it cannot run.
QString poppler(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qWarning("%s failed (poppler-utils installed?): %s", qPrintable(tool),
                 p.readAllStandardError().constData());
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString writePdf(const QString& path, const std::vector<SheetLayout>& layouts) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return "cannot open " + path;
    int pages = 0;
    for (const SheetLayout& l : layouts)
        pages += l.pageCount();
    sheet::SheetPdf pdf(file, layouts.front().paper(), "test");
    for (const SheetLayout& l : layouts)
        pdf.add(l, pages);
    return pdf.finish() ? QString() : QStringLiteral("not finished");
}

} // namespace

class SheetRenderTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // More rows take more pages; a block that fits on a page stands whole on one.
    void pagesGrowAndBlocksStayWhole_data() {
        QTest::addColumn<int>("blocks");
        QTest::addColumn<int>("rows");
        QTest::newRow("one short block") << 1 << 5;
        QTest::newRow("blocks of a third of a page") << 8 << 18;
        QTest::newRow("blocks of two thirds of a page") << 5 << 34;
    }
    void pagesGrowAndBlocksStayWhole() {
        QFETCH(int, blocks);
        QFETCH(int, rows);
        for (Paper paper : {Paper::Letter, Paper::A4}) {
            const SheetLayout layout(tableDocument(blocks, rows), paper);
            const SheetLayout longer(tableDocument(blocks + 3, rows), paper);
            QVERIFY(longer.pageCount() > layout.pageCount() || layout.pageCount() == 1);
            const auto at = pagesOfTexts(layout);
            for (int b = 0; b < blocks; ++b) {
                const int page = at.at(QStringLiteral("Block %1").arg(b));
                for (int r = 0; r < rows; ++r)
                    QCOMPARE(at.at(QStringLiteral("b%1 r%2").arg(b).arg(r)), page);
            }
            const QSizeF size = sheet::paperSize(paper);
            for (int p = 0; p < layout.pageCount(); ++p)
                for (const PageItem& item : layout.items(p))
                    QVERIFY(QRectF(QPointF(0, 0), size).contains(item.rect));
        }
    }

    // A block longer than a page runs on to the next; its numbers stand right-aligned.
    void longBlockRunsOn() {
        const SheetLayout layout(tableDocument(1, 150), Paper::Letter);
        QVERIFY(layout.pageCount() >= 3);
        const auto at = pagesOfTexts(layout);
        QCOMPARE(at.at("b0 r0"), 0);
        QCOMPARE(at.at("b0 r149"), layout.pageCount() - 1);
        for (const PageItem& item : layout.items(0))
            if (item.text == "7.25")
                QVERIFY(item.align & Qt::AlignRight);
            else if (item.text == "b0 r7")
                QVERIFY(item.align & Qt::AlignLeft);
    }

    // An equation too long for the page is broken into lines inside it, after a blank where
    // there is one, and keeps every character.
    void longEquationWraps_data() {
        QTest::addColumn<QString>("equation");
        QTest::newRow("with blanks")
            << QString("Q = 1.486/0.013 × A × R^(2/3) × S^(1/2) = ").repeated(5);
        QTest::newRow("without a blank") << QString("0.123456789×").repeated(40);
    }
    void longEquationWraps() {
        QFETCH(QString, equation);
        SheetDocument d;
        SheetBlock block;
        block.heading = "Method";
        block.equations = true;
        block.lines = {equation.toStdString()};
        d.blocks.push_back(block);
        const SheetLayout layout(d, Paper::A4);
        QString joined;
        int parts = 0;
        const double right = sheet::paperSize(Paper::A4).width() - 15 * 72 / 25.4;
        for (const PageItem& item : layout.items(0))
            if (item.kind == PageItem::Kind::Text && item.face == sheet::SheetFace::Mono) {
                joined += item.text;
                ++parts;
                QVERIFY(item.rect.left() +
                            sheet::textWidth(item.text.trimmed(), sheet::SheetFace::Mono) <=
                        right + 0.01);
            }
        QVERIFY(parts > 1);
        QCOMPARE(joined, equation);
    }

    // The worked example's PDF on either paper: the paper's size, every font embedded, the
    // numbers, the Manning equation and the title block as text, the program as its creator.
    void workedExamplePdf_data() {
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<QString>("size");
        QTest::newRow("Letter") << Paper::Letter << "612 x 792 pts (letter)";
        QTest::newRow("A4") << Paper::A4 << "595 x 842 pts (A4)";
    }
    void workedExamplePdf() {
        QFETCH(Paper, paper);
        QFETCH(QString, size);
        const QString path = dir_.filePath("worked.pdf");
        QCOMPARE(sheet::saveSheetPdf(workedSheet(), paper, path.toStdString()), std::nullopt);
        const QString info = poppler("pdfinfo", {path});
        QVERIFY2(
            info.contains(QRegularExpression("Page size: +" + QRegularExpression::escape(size))),
            qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Creator: +Runnelex \\d+\\.\\d+\\.\\d+\n")),
                 qPrintable(info));
        QVERIFY(info.contains(QRegularExpression("Title: +Calculation sheet: ")));
        const QStringList fonts = poppler("pdffonts", {path}).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(fonts.size() > 2, qPrintable(fonts.join(u'\n'))); // two heading lines
        for (const QString& font : fonts.mid(2)) {
            QVERIFY2(font.section(u' ', 0, 0).contains("DejaVu"), qPrintable(font));
            QVERIFY2(font.contains(QRegularExpression(" yes (yes|no) +(yes|no) ")),
                     qPrintable(font)); // emb yes
        }
        const QString text = poppler("pdftotext", {"-layout", path, "-"});
        for (const char* wanted : {"0.5359", "4.6671", "Q = 1.486/0.013", "Main Street",
                                   "A. Engineer", "Dnorm = 0.5359 ft"})
            QVERIFY2(text.contains(QString::fromUtf8(wanted)), wanted);
    }

    // A table's file: the index, then each sheet, every page numbered of the whole.
    void tablePagesNumberedThrough() {
        sheet::SheetIndex index;
        index.source = "pipes.tsv";
        index.program = "Runnelex test";
        index.columns = {"Line", "Pipe"};
        index.rows = {{"2", "P1"}, {"3", "P2"}};
        index.leftOut = {"line 4: no slope"};
        std::vector<SheetLayout> layouts;
        layouts.emplace_back(index, Paper::Letter);
        layouts.emplace_back(tableDocument(1, 5), Paper::Letter);
        layouts.emplace_back(tableDocument(2, 50), Paper::Letter);
        const int pages = layouts[0].pageCount() + layouts[1].pageCount() + layouts[2].pageCount();
        QVERIFY(pages >= 4);
        const QString path = dir_.filePath("table.pdf");
        QCOMPARE(writePdf(path, layouts), QString());
        QVERIFY(poppler("pdfinfo", {path})
                    .contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(pages))));
        const QStringList text = poppler("pdftotext", {path, "-"}).split(u'\f');
        for (int p = 1; p <= pages; ++p)
            QVERIFY2(text[p - 1].contains(QStringLiteral("page %1 of %2").arg(p).arg(pages)),
                     qPrintable(text[p - 1]));
        QVERIFY(text[0].contains("pipes.tsv") && text[0].contains("line 4: no slope"));
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::SheetRenderTest)
#include "sheet_render_test.moc"
