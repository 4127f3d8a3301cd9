// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include <QPainter>
#include <QPdfWriter>

#include "sheet/sheet_document.h"

class QIODevice;

namespace runnelex::sheet {

class SheetLayout;

// A PDF of sheets, written page by page onto an open device: vector drawings, the text as text
// in fonts embedded in the file. Each page goes out as it is painted, so a table of any length
// holds one sheet at a time. Needs a QApplication (the drawings).
class SheetPdf {
public:
    // `title` is the file's title; its creator is the program and its version.
    SheetPdf(QIODevice& device, Paper paper, const std::string& title);
    SheetPdf(const SheetPdf&) = delete;
    SheetPdf& operator=(const SheetPdf&) = delete;

    // Paints every page of `layout`, numbered on from the pages before it, of `pages` in all.
    void add(const SheetLayout& layout, int pages);
    // Ends the file; false when it could not be written whole.
    bool finish();
    int pagesPainted() const { return painted_; }

private:
    QPdfWriter writer_;
    QPainter painter_;
    int painted_ = 0;
};

// Saves one sheet as a PDF file through the one atomic save; the reason when it failed.
std::optional<std::string> saveSheetPdf(const SheetDocument& document, Paper paper,
                                        const std::string& path);

} // namespace runnelex::sheet
