// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet window opened from the Tools menu and from the sections window: it shows the pages
// of the calculation shown, follows the title typed, saves a PDF or the text through the save
// seam (failures told through the message seam), prints through the print seam, and writes
// nothing else.
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "sections_window/frm_sections.h"
#include "sections_window/sections_tool.h"
#include "sheet/sheet_builder.h"
#include "sheet_window/frm_sheet.h"
#include "sheet_window/print_dialog.h"
#include "sheet_window/sheet_tool.h"
#include "ui/window_harness.h"

namespace runnelex {

namespace {

// Prints into a PDF file instead of asking, or declines.
struct FakePrintDialog final : PrintDialog {
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        ++asked;
        pageSize = printer.pageLayout().pageSize().id();
        if (file.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }
    QString file; // empty: the user cancels
    int asked = 0;
    QPageSize::PageSizeId pageSize = QPageSize::Custom;
};

QString pdfText(const QString& path) {
    QProcess p;
    p.start("pdftotext", {path, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class SheetWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::WindowHarness> h_;
    test::FakeSaveDialog dialog_;
    FakePrintDialog print_;
    std::unique_ptr<SectionsTool> sections_;
    std::unique_ptr<SheetTool> tool_;
    QTemporaryDir dir_;

    FrmSheet& window() { return *tool_->window(); }
    template <typename T = QWidget> T* get(const QString& name) {
        return test::get<T>(&window(), name);
    }
    // Opens the window as a user does: Alt+T, then C in the Tools menu; waits for its pages.
    void openFromMenu() {
        QTest::keyClick(h_->window.get(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(h_->get("mnuTools")->isVisible());
        QTest::keyClick(h_->get("mnuTools"), Qt::Key_C);
        QTRY_VERIFY(tool_->window() && window().isVisible());
        QTRY_VERIFY(window().refreshCount() > 0);
    }
    void save(const QString& name) {
        dialog_.answers.push_back(dir_.filePath(name));
        QTest::mouseClick(get("cmdSaveSheet"), Qt::LeftButton);
    }

private slots:
    void init() {
        h_ = std::make_unique<test::WindowHarness>();
        sections_ = std::make_unique<SectionsTool>(*h_->window, h_->boxes, h_->log, dialog_);
        tool_ = std::make_unique<SheetTool>(*h_->window, h_->boxes, dialog_, print_);
        sections_->setSheetOpener([this](ToolHost& h) { tool_->openFor(h); });
        QVERIFY(h_->showActive());
        h_->run(test::kWorkedSteps);
    }
    void cleanup() {
        tool_.reset(); // before the calculators its sheets read
        sections_.reset();
        h_.reset();
    }

    // Opened from the Tools menu: today's date, the paper of the units, the pages of the
    // calculation; a title typed is painted again and heard with its value.
    void opensFromTheToolsMenu() {
        openFromMenu();
        QCOMPARE(window().windowTitle(), "Calculation Sheet");
        QCOMPARE(get<QLineEdit>("txtDate")->text(), QString::fromStdString(sheet::todayText()));
        QCOMPARE(get<QComboBox>("cmbPaper")->currentText(), "Letter");
        QVERIFY(window().pageCount() >= 1);
        QVERIFY(!get<QLabel>("lblPage1")->pixmap().isNull());
        const int before = window().refreshCount();
        test::enterText(&window(), "txtProject", "Main Street", false);
        QTRY_VERIFY(window().refreshCount() > before);
        QCOMPARE(get("txtProject")->accessibleName(), "Project Main Street");
        QCOMPARE(window().title().project, "Main Street");
    }

    // "Save As...": the suffix chooses the form; a failure is told, nothing else written.
    void savesThroughTheSeams() {
        openFromMenu();
        test::enterText(&window(), "txtProject", "Main Street", false);
        save("sheet.pdf");
        QVERIFY(test::readAll(dir_.filePath("sheet.pdf")).startsWith("%PDF-"));
        const QString text = pdfText(dir_.filePath("sheet.pdf"));
        QVERIFY2(text.contains("Main Street") && text.contains("0.5359"), qPrintable(text));
        save("sheet.txt");
        QVERIFY(test::readAll(dir_.filePath("sheet.txt")).contains("4.6671"));
        save("sheet.html");
        QCOMPARE(h_->boxes.prompts.size(), 0);
        save("missing/sheet.pdf");
        save("sheet.doc");
        QCOMPARE(h_->boxes.prompts.size(), 2);
        QVERIFY(h_->boxes.prompts[1].contains(".pdf, .html or .txt"));
        QCOMPARE(test::filesBelow(dir_.path()),
                 (QStringList{"sheet.html", "sheet.pdf", "sheet.txt"}));
        QCOMPARE(dialog_.requests.back().selectedNameFilter, "PDF document (*.pdf)");
    }

    // "Print...": the print seam is asked with the paper chosen; cancelled, nothing printed.
    void printsThroughItsSeam() {
        openFromMenu();
        QTest::mouseClick(get("cmdPrintSheet"), Qt::LeftButton);
        QCOMPARE(print_.asked, 1);
        QCOMPARE(print_.pageSize, QPageSize::Letter);
        print_.file = dir_.filePath("printed.pdf");
        test::runSteps(&window(), "cmbPaper#1");
        QTest::mouseClick(get("cmdPrintSheet"), Qt::LeftButton);
        QCOMPARE(print_.pageSize, QPageSize::A4);
        const QString text = pdfText(print_.file);
        QCOMPARE(text.count(u'\f'), window().pageCount());
        QVERIFY(text.contains(QStringLiteral("page 1 of %1").arg(window().pageCount())));
    }

    // The sections window's button opens the sheet of that window's calculation, not the
    // main window's.
    void opensFromTheSectionsWindow() {
        sections_->open();
        test::runSteps(sections_->window(), "cmbShape#2;txtSpan=6;txtRise=4;txtSlope=0.005");
        QTest::mouseClick(test::get(sections_->window(), "cmdSheet"), Qt::LeftButton);
        QVERIFY(tool_->window() == nullptr);
        FrmSheet* opened = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmSectionSheet" && w->isVisible())
                opened = static_cast<FrmSheet*>(w);
        QVERIFY(opened != nullptr);
        QTRY_VERIFY(opened->refreshCount() > 0);
        dialog_.answers.push_back(dir_.filePath("box.txt"));
        QTest::mouseClick(test::get(opened, "cmdSaveSheet"), Qt::LeftButton);
        const QString text = QString::fromUtf8(test::readAll(dir_.filePath("box.txt")));
        QVERIFY2(text.contains("Span") && !text.contains("0.5359"), qPrintable(text));
    }

    // Nothing but the files saved: no settings of Qt's dialogs in the home folder.
    void writesNoSettings() {
        openFromMenu();
        save("sheet.pdf");
        QVERIFY(!test::filesBelow(QDir::homePath()).join(u'\n').contains("QtProject"));
    }
};

} // namespace runnelex

QTEST_MAIN(runnelex::SheetWindowTest)
#include "sheet_window_test.moc"
