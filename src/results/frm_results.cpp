// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/frm_results.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/message_boxes.h"
#include "results/mod_results.h"
#include "results/results_layout.h"
#include "results/save_dialog.h"
#include "results/save_failure.h"
#include "results/save_text_file.h"
#include "results/table_save.h"

namespace runnelex {

namespace {

int toPixels(double units, double pixelsPerUnit) {
    return static_cast<int>(std::lround(units * pixelsPerUnit));
}

QRect toPixels(const results_layout::Rect& r, double pxX, double pxY) {
    return {toPixels(r.left, pxX), toPixels(r.top, pxY), toPixels(r.width, pxX),
            toPixels(r.height, pxY)};
}

SaveDialogRequest saveRequest() {
    // Text files first and selected, then CSV, then every file ("*" is every file here).
    return {saveDialogDirectory(),
            {tabTextFilter(), csvFilter(), QStringLiteral("All files (*)")},
            tabTextFilter(),
            QStringLiteral("txt")};
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* text, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tip));
    return button;
}

} // namespace

FrmResults::FrmResults(ModResults& results, SaveDialog& dialog, MessageBoxes& boxes)
    : QWidget(nullptr, Qt::Window), results_(results), dialog_(dialog), boxes_(boxes) {
    setObjectName(QStringLiteral("frmResults"));
    setWindowTitle(QStringLiteral("Runnelex Calculation Results Form"));

    RichTextResults = new QPlainTextEdit(this);
    RichTextResults->setObjectName(QStringLiteral("RichTextResults"));
    // The desktop's sans-serif face at 8.5 points; one record a line, long lines scroll sideways.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.5);
    RichTextResults->setFont(font);
    RichTextResults->setLineWrapMode(QPlainTextEdit::NoWrap);
    setBoxText(startText());

    cmdSaveResults = makeButton(this, "cmdSaveResults", "Save As...",
                                "Click Here to Save Visible Results to File");
    cmdClear = makeButton(this, "cmdClear", "Clear", "Click Here to Clear Visible Calculations");
    cmdClose = makeButton(this, "cmdClose", "Close", "Click Here to Dismiss Results Form");

    connect(RichTextResults->document(), &QTextDocument::contentsChange, this,
            &FrmResults::userChanged);
    connect(cmdSaveResults, &QPushButton::clicked, this, &FrmResults::cmdSaveResults_Click);
    connect(cmdClear, &QPushButton::clicked, this, &FrmResults::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, &FrmResults::cmdClose_Click);

    using namespace results_layout;
    const double pxX = pixelsPerUnitX(logicalDpiX());
    const double pxY = pixelsPerUnitY(logicalDpiY());
    setMinimumSize(toPixels(kMinimumWidth, pxX), toPixels(kMinimumHeight, pxY));
    resize(toPixels(kDesignWidth, pxX), toPixels(kDesignHeight, pxY));
}

QString FrmResults::startText() {
    return QStringLiteral(
        "Calculations will be displayed here...   Click \"Save As...\" when ready to save "
        "results to file.");
}

void FrmResults::setBoxText(const QString& text) {
    programChange_ = true;
    RichTextResults->setPlainText(text);
    programChange_ = false;
}

void FrmResults::userChanged(int position, int removed, int added) {
    if (programChange_)
        return;
    Q_UNUSED(removed);
    if (shownRevision_ != kNotHeld) { // the first edit of the held text
        editedFrom_ = shownRevision_;
        cleanStart_ = cleanEnd_ = heldLength_;
        shownRevision_ = kNotHeld;
    }
    // What lies before the change and after it is as it was.
    const int length = RichTextResults->document()->characterCount() - 1;
    cleanStart_ = std::min(cleanStart_, position);
    cleanEnd_ = std::max(0, std::min(cleanEnd_, length - (position + added)));
}

void FrmResults::showHeldText(const QString& text, std::uint64_t revision) {
    shownRevision_ = editedFrom_ = kNotHeld; // until the new text is in
    setBoxText(text);
    heldLength_ = static_cast<int>(text.size());
    shownRevision_ = revision;
}

void FrmResults::restoreHeldText(const std::function<QString(int, int)>& slice, int heldLength,
                                 std::uint64_t revision) {
    QTextDocument* document = RichTextResults->document();
    const int length = document->characterCount() - 1;
    const int start = std::min(cleanStart_, heldLength_);
    const int end = std::min({cleanEnd_, heldLength_ - start, length - start});
    shownRevision_ = editedFrom_ = kNotHeld;
    programChange_ = true;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.setPosition(start);
    cursor.setPosition(length - end, QTextCursor::KeepAnchor);
    cursor.insertText(slice(start, heldLength_ - end - start));
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(slice(heldLength_, heldLength - heldLength_));
    cursor.endEditBlock();
    // As after a full replace, Ctrl+Z cannot take recorded lines out of the box.
    document->clearUndoRedoStacks();
    programChange_ = false;
    heldLength_ = heldLength;
    shownRevision_ = revision;
}

void FrmResults::appendHeldRecord(const QString& record, std::uint64_t revision) {
    shownRevision_ = editedFrom_ = kNotHeld;
    programChange_ = true;
    // A new paragraph: the box text grows by LF + record, as a full replace would give.
    RichTextResults->appendPlainText(record);
    // Like a full replace, the program's change cannot be undone: Ctrl+Z in the box would
    // take recorded lines out of what "Save As..." writes.
    RichTextResults->document()->clearUndoRedoStacks();
    programChange_ = false;
    heldLength_ += 1 + static_cast<int>(record.size());
    shownRevision_ = revision;
}

void FrmResults::showStartText() {
    shownRevision_ = editedFrom_ = kNotHeld;
    setBoxText(startText());
}

QString FrmResults::boxText() const {
    // The document separates its lines with U+2029; every other character is kept as held
    // (toPlainText would also turn no-break spaces and line separators of a pasted name into
    // blanks and line breaks).
    QString text = RichTextResults->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

void FrmResults::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void FrmResults::Form_Resize() {
    using namespace results_layout;
    const double pxX = pixelsPerUnitX(logicalDpiX());
    const double pxY = pixelsPerUnitY(logicalDpiY());
    const Layout l = layoutFor(width() / pxX, height() / pxY);
    RichTextResults->setGeometry(toPixels(l.text, pxX, pxY));
    cmdSaveResults->setGeometry(toPixels(l.save, pxX, pxY));
    cmdClear->setGeometry(toPixels(l.clear, pxX, pxY));
    cmdClose->setGeometry(toPixels(l.close, pxX, pxY));
}

void FrmResults::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closedThroughFrame();
}

void FrmResults::cmdSaveResults_Click() {
    try {
        const std::optional<SaveDialogChoice> choice =
            dialog_.chooseSaveFileAndFilter(this, saveRequest());
        if (!choice)
            return; // cancelled: nothing is written, nothing to report
        const QByteArray bytes = savesAsCsv(*choice) ? csvOfTabText(boxText()) : boxText().toUtf8();
        if (const auto error = saveTextFile(choice->path, bytes))
            boxes_.show(this, saveFailureMessage(*error));
    } catch (const std::exception& e) {
        boxes_.show(this, saveFailureMessage(QString::fromUtf8(e.what())));
    }
}

void FrmResults::cmdClear_Click() {
    results_.ClearResults();
    showHeldText(results_.heldText(), results_.revision());
}

void FrmResults::cmdClose_Click() {
    hide();
    results_.resultsWindowClosed();
}

} // namespace runnelex
