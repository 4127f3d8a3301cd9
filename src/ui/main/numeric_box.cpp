// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/numeric_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "input/entry_check.h"

namespace runnelex {

namespace {
constexpr int kCtrlBackspace = 127;
constexpr int kEscape = 27;

// Whether every character of `text` from `from` on is a digit or the point.
bool onlyNumberCharacters(const QString& text, qsizetype from) {
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!(c >= u'0' && c <= u'9') && c != u'.')
            return false;
    }
    return true;
}

// The filter sees one code per key, but a key may carry more text than that one character (a
// dead key before a letter, a synthesised event), and a key with no code of its own (Ctrl+Tab,
// Alt+Enter) still types its text when that starts with a printable character. What the key
// would type is judged as a whole.
bool typesOnlyItsCode(const QKeyEvent& event, const std::optional<int>& code) {
    const QString text = event.text();
    if (code)
        return onlyNumberCharacters(text, 1);
    return text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f ||
           onlyNumberCharacters(text, 0);
}
} // namespace

std::optional<int> characterCode(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool altOrMeta = mods & (Qt::AltModifier | Qt::MetaModifier);
    switch (event.key()) {
    case Qt::Key_Backspace:
        return ctrl ? kCtrlBackspace : entry::kBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (ctrl || altOrMeta)
            return std::nullopt;
        return entry::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (altOrMeta)
            return std::nullopt;
        return ctrl ? entry::kLineFeed : entry::kEnter;
    case Qt::Key_Escape:
        return kEscape;
    default:
        break;
    }
    // Every other key of the special range (Delete, the arrows, Home, End, Insert...) types no
    // character, whatever text the platform attaches: X11 sends Delete with "\x7f".
    if (event.key() >= Qt::Key_Escape && event.key() != Qt::Key_unknown)
        return std::nullopt;
    if (ctrl && !altOrMeta && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return event.key() - Qt::Key_A + 1; // Ctrl+C is 3, Ctrl+K 11, Ctrl+V 22
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    if (ctrl || altOrMeta)
        return 0; // a character chord, never part of a number
    return text.at(0).unicode();
}

NumericBox::NumericBox(QWidget* parent) : QLineEdit(parent) {
    // Composed input would bypass the keystroke filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool NumericBox::event(QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return QLineEdit::event(e);
    auto* key = static_cast<QKeyEvent*>(e);
    const std::optional<int> code = characterCode(*key);
    const bool plain = typesOnlyItsCode(*key, code);
    if (!code && plain)
        return QLineEdit::event(e);
    const int kept =
        code && plain ? (anyText_ && *code >= ' ' ? *code : entry::filterKey(*code)) : 0;
    if (kept == 0) {
        key->accept();
        return true;
    }
    if (entry::isCommitKey(kept)) {
        emit committed();
        // Tab goes on to move the focus, a move the check has just covered; the other commit
        // keys do nothing in the box.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            tabbing_ = true;
            const bool handled = QLineEdit::event(e);
            tabbing_ = false;
            return handled;
        }
        key->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void NumericBox::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (tabbing_)
        return;
    // Only a move to another control of this window counts as leaving the box: not a message
    // box, a menu or another application taking the focus.
    switch (e->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return;
    default:
        break;
    }
    QWidget* next = QApplication::focusWidget();
    if (next == nullptr || next == this || next->window() != window())
        return;
    if (qobject_cast<QMenuBar*>(next) != nullptr || qobject_cast<QMenu*>(next) != nullptr)
        return;
    emit left();
}

} // namespace runnelex
