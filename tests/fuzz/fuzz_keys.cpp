// SPDX-License-Identifier: GPL-3.0-or-later
// The keystroke filter of a numeric box fed key sequences: the keys a keyboard sends, with the
// text the platform gives them or any other text, with any modifiers, and focus moves between.
// Whatever the keys, the box holds only digits and points, and a discarded or committing key
// leaves its text alone.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include "fuzz_check.h"
#include "fuzz_qt_app.h"
#include "input/entry_check.h"
#include "ui/main/numeric_box.h"

namespace {

using namespace runnelex;
using fuzz::require;

constexpr Qt::Key kKeys[] = {
    Qt::Key_0,       Qt::Key_1,      Qt::Key_5,         Qt::Key_9,      Qt::Key_Period,
    Qt::Key_Comma,   Qt::Key_Minus,  Qt::Key_Plus,      Qt::Key_Space,  Qt::Key_A,
    Qt::Key_C,       Qt::Key_E,      Qt::Key_K,         Qt::Key_V,      Qt::Key_X,
    Qt::Key_Y,       Qt::Key_Z,      Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab,
    Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter,     Qt::Key_Escape, Qt::Key_Left,
    Qt::Key_Right,   Qt::Key_Home,   Qt::Key_End,       Qt::Key_Insert, Qt::Key_Up,
    Qt::Key_Down,    Qt::Key_F1,     Qt::Key_unknown,   Qt::Key_Exclam, Qt::Key_Clear,
    Qt::Key_Undo,    Qt::Key_Paste,  Qt::Key_Cut,       Qt::Key_Menu,   Qt::Key_Shift};

// The text the X11 platform gives a key with these modifiers.
QString platformText(int key, Qt::KeyboardModifiers mods) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z && (mods & Qt::ControlModifier))
        return QString(QChar(key - Qt::Key_A + 1));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar((mods & Qt::ShiftModifier) ? key : key - Qt::Key_A + 'a'));
    if (key >= Qt::Key_Space && key <= Qt::Key_9) // digits, point, comma, signs, "!"
        return QString(QChar(key));
    static const QMap<int, QString> kControls = {
        {Qt::Key_Backspace, "\b"}, {Qt::Key_Tab, "\t"},   {Qt::Key_Backtab, "\t"},
        {Qt::Key_Return, "\r"},    {Qt::Key_Enter, "\r"}, {Qt::Key_Escape, "\x1b"},
        {Qt::Key_Delete, "\x7f"}};
    return kControls.value(key);
}

bool onlyDigitsAndPoints(const QString& s) {
    for (QChar c : s)
        if (!(c.unicode() >= '0' && c.unicode() <= '9') && c != u'.')
            return false;
    return true;
}

struct Bench {
    QWidget window;
    NumericBox* box = new NumericBox;
    QLineEdit* other = new QLineEdit;
    int commits = 0;

    Bench() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        QObject::connect(box, &NumericBox::committed, box, [this] { ++commits; });
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
};

// libFuzzer calls plain functions: the one window lives for the whole run.
Bench& bench() {
    // Never destroyed: at exit Qt's own statics go first.
    static Bench& b = *new Bench;
    return b;
}

void pressKey(FuzzedDataProvider& fdp) {
    const int key = fdp.ConsumeBool() ? static_cast<int>(fdp.PickValueInArray(kKeys))
                                      : fdp.ConsumeIntegral<int>();
    const std::uint32_t modBits = std::uint32_t{fdp.ConsumeIntegral<std::uint8_t>()} << 25;
    const auto mods =
        Qt::KeyboardModifiers::fromInt(static_cast<int>(modBits)) & Qt::KeyboardModifierMask;
    QString text;
    switch (fdp.ConsumeIntegralInRange(0, 3)) {
    case 0:
        break;
    case 1:
        text = QString(QChar(fdp.ConsumeIntegral<char16_t>()));
        break;
    default:
        text = platformText(key, mods);
    }
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    const QString before = bench().box->text();
    const int commitsBefore = bench().commits;
    QApplication::sendEvent(bench().box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(bench().box, &release);

    const QString after = bench().box->text();
    const std::string detail =
        "key " + std::to_string(key) + " mods " + std::to_string(mods.toInt()) + " text " +
        fuzz::escaped(text.toStdString()) + " box " + fuzz::escaped(after.toStdString());
    require(onlyDigitsAndPoints(after), "the box holds only digits and points", detail);
    const std::optional<int> code = characterCode(press);
    if (code && entry::filterKey(*code) == 0)
        require(after == before, "a discarded key leaves the text alone", detail);
    if (code && entry::filterKey(*code) != 0 && entry::isCommitKey(entry::filterKey(*code))) {
        require(after == before, "a commit key leaves the text alone", detail);
        require(bench().commits == commitsBefore + 1, "a commit key checks the entry once", detail);
    } else {
        require(bench().commits == commitsBefore, "only a commit key checks the entry", detail);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::qtApp(argc, argv);
    bench();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    QGuiApplication::clipboard()->clear();
    bench().box->setText(QString()); // also forgets the undo history
    bench().box->setFocus(Qt::OtherFocusReason);
    int steps = 0;
    while (fdp.remaining_bytes() > 0 && ++steps <= 48) {
        switch (fdp.ConsumeIntegralInRange(0, 15)) {
        case 0:
            bench().other->setFocus(Qt::OtherFocusReason);
            break;
        case 1:
            bench().box->setFocus(Qt::OtherFocusReason);
            break;
        default:
            pressKey(fdp);
        }
    }
    return 0;
}
