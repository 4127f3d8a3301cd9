// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThreadPool>
#include <QWidget>

class QEvent;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace runnelex {

class HeldLinesView;
class MessageBoxes;
class ModResults;
class SaveDialog;

// The results window: shows the recorded text, saves it, clears the records and hides itself.
// It holds no data of its own; the recorded text lives in ModResults and outlives it.
class FrmResults final : public QWidget {
    Q_OBJECT
public:
    FrmResults(ModResults& results, SaveDialog& dialog, MessageBoxes& boxes);

    static QString startText();

    // The box shows the held text as it is now, from its top; the user's edits are dropped.
    void showHeldText();
    // The held text grew by records: the box shows it, the user's edits dropped; a box that
    // showed the held text keeps its place (and follows the new lines from the last one).
    void heldRecordAdded();
    // The held text changed otherwise: a box showing it unedited shows the new text.
    void heldTextChanged();
    void showStartText();
    // "Save As...": the dialog, then the box's text written to the file chosen.
    void saveAs() { cmdSaveResults_Click(); }

    // The window's size when its box shows a whole record line (values up to ten characters
    // a column) without scrolling sideways; never smaller than it is.
    QSize wholeLineSize() const;

    // The text the box shows, with LF between lines.
    QString boxText() const;

signals:
    // The user closed the window through its frame; it is to be destroyed.
    void closedThroughFrame();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Resize();
    void cmdSaveResults_Click();
    void cmdClear_Click();
    void cmdClose_Click();
    // The user touched the box: an editable copy of its text takes the view's place (once)
    // and gets `event`.
    void openEditor(QEvent* event);
    // The view again in the editable copy's place, at its scroll position.
    void closeEditor();
    // The editable box's context menu for a right-click at `pos` (in its viewport), not yet
    // shown.
    QMenu* contextMenu(QPoint pos);

    ModResults& results_;
    SaveDialog& dialog_;
    MessageBoxes& boxes_;
    // The box: the held lines drawn as they are in sight; once the user touches it, a text
    // edit holding a copy of them, until the next record or Clear replaces what they typed.
    HeldLinesView* RichTextResults;
    QPlainTextEdit* editor_ = nullptr;
    QPushButton* cmdSaveResults;
    QPushButton* cmdClear;
    QPushButton* cmdClose;
    bool showsHeld_ = false; // the view shows the held text, not the start text
    // Frees the documents of closed editable copies: a copy of 100,000 records takes longer to
    // free than a record may take. Declared last, so it waits for them before anything goes.
    QThreadPool freer_;
};

} // namespace runnelex
