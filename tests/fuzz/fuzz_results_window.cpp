// SPDX-License-Identifier: GPL-3.0-or-later
// The results window fed records of any typed texts, with Clear, Close, closing through the
// frame, showing again, user edits and saves in between. Whenever the box shows the held text,
// it is the header and one line of 14 fields per record, and "Save As..." writes it unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "fuzz_check.h"
#include "fuzz_qt_app.h"
#include "platform/message_boxes.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/record.h"
#include "results/save_dialog.h"

namespace {

using namespace runnelex;
using fuzz::escaped;
using fuzz::require;
using fuzz::split;

struct Boxes final : MessageBoxes {
    void show(QWidget*, const QString& prompt) override {
        require(false, "a save to a writable folder shows no message", prompt.toStdString());
    }
};

struct Dialog final : SaveDialog {
    QString name;
    std::optional<QString> chooseSaveFile(QWidget*, const SaveDialogRequest&) override {
        return name;
    }
};

// One recorded text and window for the whole run: creating a window for every input would
// leave the fuzzer a few dozen inputs a second. Each input starts with the records cleared.
struct Bench {
    QTemporaryDir dir;
    Boxes boxes;
    Dialog dialog;
    ModResults mod{boxes, dialog};
    Bench() { dialog.name = dir.filePath(QStringLiteral("table.txt")); }
};

Bench& bench() {
    // Never destroyed: at exit Qt's own statics go first.
    static Bench& b = *new Bench;
    return b;
}

// Line and paragraph separators, NEL, invalid UTF-8, vertical tab, form feed, the object
// replacement character, a non-character, NUL.
std::string typedText(FuzzedDataProvider& fdp) {
    using namespace std::string_view_literals;
    return fuzz::typedText(fdp,
                           {"\t"sv, "\r"sv, "\n"sv, "\xE2\x80\xA8"sv, "\xE2\x80\xA9"sv,
                            "\xC2\x85"sv, "\xFF\xFE"sv, "\x0b"sv, "\x0c"sv, "\xEF\xBF\xBC"sv,
                            "\xEF\xB7\x90"sv, "\0"sv, "P1"sv},
                           8, 24);
}

std::string someRecord(FuzzedDataProvider& fdp) {
    record::RecordFields f;
    f.pipeName = typedText(fdp);
    f.flowText = typedText(fdp);
    f.unitflow = "CFS";
    f.diamText = typedText(fdp);
    f.slopeText = "0.01";
    f.nText = typedText(fdp);
    f.dnorm = "0.5359";
    f.q100 = "3.5628";
    return record::makeRecord(f);
}

// The box, when it shows the held text, shows exactly it, one record a line.
void checkHeld(ModResults& mod) {
    FrmResults* w = mod.window();
    if (w == nullptr || w->shownRevision() != mod.revision())
        return;
    const QString held = mod.heldText();
    const QString shown = w->boxText();
    require(shown == held, "the box shows the held text",
            escaped(shown.toStdString()) + "\nheld:\n" + escaped(held.toStdString()));
    const std::vector<std::string> lines = split(shown.toUtf8().toStdString(), '\n');
    require(lines.size() == mod.text().recordCount() + 1, "one line per record below the header",
            escaped(shown.toStdString()));
    for (const std::string& line : lines)
        require(split(line, '\t').size() == 14, "every line has 14 fields", escaped(line));
}

void saveAndCompare(ModResults& mod) {
    FrmResults* w = mod.window();
    if (w == nullptr)
        return;
    w->findChild<QPushButton*>(QStringLiteral("cmdSaveResults"))->click();
    QFile file(bench().dialog.name);
    require(file.open(QIODevice::ReadOnly), "the saved file can be read");
    require(file.readAll() == w->boxText().toUtf8(), "the file holds what the box shows");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::qtApp(argc, argv);
    bench();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    ModResults& mod = bench().mod;
    if (mod.text().recordCount() > 0) {
        if (FrmResults* w = mod.window())
            w->findChild<QPushButton*>(QStringLiteral("cmdClear"))->click();
        else
            mod.ClearResults();
    }
    // Every step of the window costs a text layout: few steps, long texts.
    int steps = 0;
    while (fdp.remaining_bytes() > 0 && ++steps <= 8) {
        FrmResults* w = mod.window();
        const auto button = [w](const char* name) {
            return w->findChild<QPushButton*>(QString::fromUtf8(name));
        };
        switch (fdp.ConsumeIntegralInRange(0, 15)) {
        case 0:
            mod.showResultsWindow();
            break;
        case 1:
            if (w)
                button("cmdClear")->click();
            break;
        case 2:
            if (w)
                button("cmdClose")->click();
            break;
        case 3:
            if (w)
                w->close(); // through the frame: destroyed once the events are processed
            break;
        case 4:
            if (w)
                w->findChild<QPlainTextEdit*>()->insertPlainText(
                    QString::fromStdString(typedText(fdp)));
            break;
        case 5:
            QApplication::processEvents();
            break;
        case 6:
            if (fdp.ConsumeIntegralInRange(0, 7) == 0)
                saveAndCompare(mod);
            break;
        default:
            mod.AddResult(someRecord(fdp));
            continue;
        }
        checkHeld(mod);
    }
    checkHeld(mod);
    return 0;
}
