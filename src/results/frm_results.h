// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <limits>

#include <QWidget>

class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace runnelex {

class MessageBoxes;
class ModResults;
class SaveDialog;

// The results window: shows the recorded text, saves it, clears the records and hides itself.
// It holds no data of its own; the recorded text lives in ModResults and outlives it.
class FrmResults final : public QWidget {
    Q_OBJECT
public:
    // What the box shows when it does not show the held text of any revision.
    static constexpr std::uint64_t kNotHeld = std::numeric_limits<std::uint64_t>::max();

    FrmResults(ModResults& results, SaveDialog& dialog, MessageBoxes& boxes);

    static QString startText();

    // Replaces the whole box text with the held text of `revision`.
    void showHeldText(const QString& text, std::uint64_t revision);
    // The held text grew by one record since the revision the box shows: adds only that line.
    void appendHeldRecord(const QString& record, std::uint64_t revision);
    // The user edited the box since it showed the held text of `editedFrom()`, which the held
    // text of `revision` begins with: only the range the user changed is put back and the new
    // records added, giving the text a full replace would give at a fraction of its cost.
    // `slice(from, count)` gives `count` characters of the held text from `from`; `length` is
    // the held text's.
    void restoreHeldText(const std::function<QString(int from, int count)>& slice, int length,
                         std::uint64_t revision);
    void showStartText();
    // "Save As...": the dialog, then the box's text written to the file chosen.
    void saveAs() { cmdSaveResults_Click(); }
    // The revision of the held text the box shows, or kNotHeld (start text, user edits).
    std::uint64_t shownRevision() const { return shownRevision_; }
    // The revision the box showed before the user's edits, or kNotHeld.
    std::uint64_t editedFrom() const { return editedFrom_; }

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
    void setBoxText(const QString& text);
    // The box's context menu for a right-click at `pos` (in its viewport), not yet shown.
    QMenu* contextMenu(QPoint pos);
    void userChanged(int position, int removed, int added);

    ModResults& results_;
    SaveDialog& dialog_;
    MessageBoxes& boxes_;
    QPlainTextEdit* RichTextResults;
    QPushButton* cmdSaveResults;
    QPushButton* cmdClear;
    QPushButton* cmdClose;
    std::uint64_t shownRevision_ = kNotHeld;
    // While the box shows the held text (shownRevision_) its length; once the user edits it,
    // the revision and length it had, and how many characters at its start and at its end the
    // edits left as they were.
    std::uint64_t editedFrom_ = kNotHeld;
    int heldLength_ = 0, cleanStart_ = 0, cleanEnd_ = 0;
    bool programChange_ = false;
};

} // namespace runnelex
