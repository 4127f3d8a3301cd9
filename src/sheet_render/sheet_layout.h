// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QRectF>
#include <QSizeF>
#include <QString>

#include "picture/picture_model.h"
#include "sheet/sheet_document.h"

class QPainter;

namespace runnelex::sheet {

// The faces a sheet is set in: DejaVu Sans for the text, DejaVu Sans Mono for the equations,
// fonts every Debian system has and every PDF embeds.
enum class SheetFace { Heading, Subject, BlockHeading, Body, Bold, Mono, Footer };

// One thing on a page, placed in points from the paper's top left corner.
struct PageItem {
    enum class Kind { Text, Rule, Drawings };
    Kind kind = Kind::Text;
    QRectF rect; // a rule runs along the top edge
    QString text;
    SheetFace face = SheetFace::Body;
    int align = 0; // Qt::Alignment
};

// The paper in points: Letter 612 x 792, A4 595.3 x 841.9.
QSizeF paperSize(Paper paper);

// A sheet (or a table's index) laid out on pages of a paper: everything each page shows is
// placed before anything is painted, so the count of pages ("page 2 of 5") is known first.
// A block that fits on a page is never split; a longer one runs on to the next page.
class SheetLayout {
public:
    SheetLayout(const SheetDocument& document, Paper paper);
    SheetLayout(const SheetIndex& index, Paper paper);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    Paper paper() const { return paper_; }
    const std::vector<PageItem>& items(int page) const { return pages_.at(page); }

    // Paints page `page` (from 0) scaled into `target` of any paint device (a PDF writer, a
    // printer, an image); the footer numbers it `number` of `pages` (a table's sheets count on
    // from its index). Drawing the pictures needs a QApplication.
    void paintPage(QPainter& painter, const QRectF& target, int page, int number, int pages) const;

private:
    void layOut(const SheetDocument& document);

    Paper paper_;
    std::string program_;
    std::optional<picture::PictureModel> picture_;
    std::vector<std::vector<PageItem>> pages_;
};

} // namespace runnelex::sheet
