// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/frm_results.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
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
#include "results/held_lines_view.h"
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

    RichTextResults = new HeldLinesView(this);
    RichTextResults->setObjectName(QStringLiteral("RichTextResults"));
    // The desktop's sans-serif face at 8.5 points; one record a line, long lines scroll sideways.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.5);
    RichTextResults->setFont(font);
    // Tab stops one value wide ("1248.1931", "Depth (ft)"), so that a record's columns line up
    // and the whole line fits a window beside the main one.
    RichTextResults->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(kColumnSample) +
                                        QFontMetricsF(font).horizontalAdvance(u' '));
    RichTextResults->showFixed(startText());

    cmdSaveResults = makeButton(this, "cmdSaveResults", "Save As...",
                                "Click Here to Save Visible Results to File");
    cmdClear = makeButton(this, "cmdClear", "Clear", "Click Here to Clear Visible Calculations");
    cmdClose = makeButton(this, "cmdClose", "Close", "Click Here to Dismiss Results Form");

    connect(RichTextResults, &HeldLinesView::interacted, this, &FrmResults::openEditor);
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
    const double box = line + 2 * HeldLinesView::kMargin + 2 * RichTextResults->frameWidth() +
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

void FrmResults::showHeldText() {
    closeEditor();
    RichTextResults->showHeld(results_.text());
    showsHeld_ = true;
}

void FrmResults::heldRecordAdded() {
    if (!showsHeld_) {
        showHeldText();
        return;
    }
    closeEditor();
    RichTextResults->linesAdded();
}

void FrmResults::heldTextChanged() {
    if (showsHeld_ && !editor_)
        RichTextResults->showHeld(results_.text());
}

void FrmResults::showStartText() {
    closeEditor();
    RichTextResults->showFixed(startText());
    showsHeld_ = false;
}

void FrmResults::openEditor(QEvent* event) {
    if (!editor_) {
        editor_ = new QPlainTextEdit(this);
        editor_->setObjectName(QStringLiteral("RichTextResultsEdit"));
        editor_->setFont(RichTextResults->font());
        editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor_->setTabStopDistance(RichTextResults->tabStopDistance());
        // The box's own menu (Copy, Select All...) with Copy Record for the line under the
        // pointer.
        editor_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(editor_, &QWidget::customContextMenuRequested, this, [this](QPoint pos) {
            contextMenu(pos)->popup(editor_->viewport()->mapToGlobal(pos));
        });
        // A new document: Ctrl+Z cannot take recorded lines out of what "Save As..." writes.
        editor_->setPlainText(RichTextResults->text());
        editor_->setGeometry(RichTextResults->geometry());
        const int first = RichTextResults->firstVisibleLine();
        const int across = RichTextResults->horizontalScrollBar()->value();
        editor_->setTextCursor(QTextCursor(editor_->document()->findBlockByNumber(first)));
        editor_->show();
        editor_->verticalScrollBar()->setValue(first);
        editor_->horizontalScrollBar()->setValue(across);
        RichTextResults->hide();
        editor_->setFocus();
    }
    const bool onText = event->type() != QEvent::KeyPress && event->type() != QEvent::InputMethod;
    QCoreApplication::sendEvent(onText ? editor_->viewport() : static_cast<QWidget*>(editor_),
                                event);
}

void FrmResults::closeEditor() {
    if (!editor_)
        return;
    const bool focused = editor_->hasFocus();
    const QScrollBar* down = editor_->verticalScrollBar();
    const bool atEnd = down->value() >= down->maximum();
    const int first = down->value();
    const int across = editor_->horizontalScrollBar()->value();
    // The copy's document leaves the editor for a thread of its own to free: it no longer
    // belongs to any thread and has nothing connected, and nothing else refers to it.
    QTextDocument* copy = editor_->document();
    copy->setParent(nullptr);
    editor_->setDocument(nullptr);
    delete editor_;
    editor_ = nullptr;
    copy->moveToThread(nullptr);
    freer_.start([copy] { delete copy; });
    RichTextResults->show();
    RichTextResults->verticalScrollBar()->setValue(
        atEnd ? RichTextResults->verticalScrollBar()->maximum() : first);
    RichTextResults->horizontalScrollBar()->setValue(across);
    if (focused)
        RichTextResults->setFocus();
}

QString FrmResults::boxText() const {
    if (!editor_)
        return RichTextResults->text();
    // The document separates its lines with U+2029; every other character is kept as typed
    // (toPlainText would also turn no-break spaces and line separators of a pasted name into
    // blanks and line breaks).
    QString text = editor_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QMenu* FrmResults::contextMenu(QPoint pos) {
    QMenu* menu = editor_->createStandardContextMenu(pos);
    menu->setObjectName(QStringLiteral("mnuResultsText"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* record = menu->addAction(QStringLiteral("Copy &Record"));
    record->setObjectName(QStringLiteral("mnuCopyRecord"));
    // A record is any line below the header line; the start text has none.
    const QTextBlock line = editor_->cursorForPosition(pos).block();
    const QString text = line.blockNumber() > 0 ? line.text() : QString();
    record->setEnabled(!text.isEmpty());
    const QString copied = editor_->document()->firstBlock().text() + u'\n' + text;
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
    if (editor_)
        editor_->setGeometry(RichTextResults->geometry());
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
    showHeldText();
}

void FrmResults::cmdClose_Click() {
    hide();
    results_.resultsWindowClosed();
}

} // namespace runnelex
