// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/frm_results.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/message_boxes.h"
#include "results/mod_results.h"
#include "results/record.h"
#include "results/results_layout.h"
#include "results/save_dialog.h"
#include "results/save_failure.h"
#include "results/save_text_file.h"
#include "results/table_save.h"

namespace runnelex {

namespace {

// The widest value a column is meant for.
const QString kColumnSample = QStringLiteral("0000.00000");

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
    // Tab stops one value wide ("1248.1931", "Depth (ft)"), so that a record's columns line up
    // and the whole line fits a window beside the main one.
    RichTextResults->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(kColumnSample) +
                                        QFontMetricsF(font).horizontalAdvance(u' '));
    setBoxText(startText());

    cmdSaveResults = makeButton(this, "cmdSaveResults", "Save As...",
                                "Click Here to Save Visible Results to File");
    cmdClear = makeButton(this, "cmdClear", "Clear", "Click Here to Clear Visible Calculations");
    cmdClose = makeButton(this, "cmdClose", "Close", "Click Here to Dismiss Results Form");

    connect(RichTextResults->document(), &QTextDocument::contentsChange, this,
            &FrmResults::userChanged);
    // The box's own menu (Copy, Select All...) with Copy Record for the line under the pointer.
    RichTextResults->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichTextResults, &QWidget::customContextMenuRequested, this, [this](QPoint pos) {
        contextMenu(pos)->popup(RichTextResults->viewport()->mapToGlobal(pos));
    });
    connect(cmdSaveResults, &QPushButton::clicked, this, &FrmResults::cmdSaveResults_Click);
    connect(cmdClear, &QPushButton::clicked, this, &FrmResults::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, &FrmResults::cmdClose_Click);

    using namespace results_layout;
    const double pxX = pixelsPerUnitX(logicalDpiX());
    const double pxY = pixelsPerUnitY(logicalDpiY());
    setMinimumSize(toPixels(kMinimumWidth, pxX), toPixels(kMinimumHeight, pxY));
    resize(toPixels(kDesignWidth, pxX), toPixels(kDesignHeight, pxY));
}

QSize FrmResults::wholeLineSize() const {
    const double line = double(record::kFieldCount - 1) * RichTextResults->tabStopDistance() +
                        QFontMetricsF(RichTextResults->font()).horizontalAdvance(kColumnSample);
    const double box = line + 2 * RichTextResults->document()->documentMargin() +
                       2 * RichTextResults->frameWidth() +
                       RichTextResults->verticalScrollBar()->sizeHint().width();
    // The box is the window's width less 16 units (its margin and the buttons' column).
    const double pxX = results_layout::pixelsPerUnitX(logicalDpiX());
    const int wide = static_cast<int>(std::ceil(box)) + toPixels(16, pxX);
    return {std::max(width(), wide), height()};
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

QMenu* FrmResults::contextMenu(QPoint pos) {
    QMenu* menu = RichTextResults->createStandardContextMenu(pos);
    menu->setObjectName(QStringLiteral("mnuResultsText"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* record = menu->addAction(QStringLiteral("Copy &Record"));
    record->setObjectName(QStringLiteral("mnuCopyRecord"));
    // A record is any line below the header line; the start text has none.
    const QTextBlock line = RichTextResults->cursorForPosition(pos).block();
    const QString text = line.blockNumber() > 0 ? line.text() : QString();
    record->setEnabled(!text.isEmpty());
    const QString copied = RichTextResults->document()->firstBlock().text() + u'\n' + text;
    connect(record, &QAction::triggered, menu, [copied] {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(copied);
    });
    return menu;
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
