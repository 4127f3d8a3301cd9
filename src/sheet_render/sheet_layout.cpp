// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_render/sheet_layout.h"

#include <QPageSize>
#include <QPainter>

#include "picture/pipe_picture.h"
#include "sheet_render/sheet_blocks.h"
#include "sheet_render/sheet_faces.h"

namespace runnelex::sheet {

namespace {

constexpr double kMargin = 15.0 * 72.0 / 25.4; // 15 mm
constexpr double kGap = 12.0;                  // between blocks
const QColor kInk(38, 50, 56);                 // the picture's text colour

// The footer's place: a rule, then the line, at the bottom margin.
double footerTop(const QSizeF& paper) {
    return paper.height() - kMargin - lineHeight(SheetFace::Footer);
}

// The index as a sheet: its heading, the source as the subject, the title block, the table of
// the rows computed and the rows left out.
SheetDocument indexDocument(const SheetIndex& index) {
    SheetDocument d;
    d.heading = index.heading;
    d.subject = "Table: " + index.source;
    d.title = index.title;
    d.program = index.program;
    d.system = index.system;
    SheetBlock rows;
    rows.heading = "Sheets";
    rows.columns = index.columns;
    rows.rows = index.rows;
    if (rows.rows.empty())
        rows.lines.push_back("No row of the table could be computed.");
    d.blocks.push_back(std::move(rows));
    if (!index.leftOut.empty()) {
        SheetBlock left;
        left.heading = "Rows left out";
        left.lines = index.leftOut;
        d.blocks.push_back(std::move(left));
    }
    return d;
}

} // namespace

QSizeF paperSize(Paper paper) {
    return QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter).size(QPageSize::Point);
}

SheetLayout::SheetLayout(const SheetDocument& document, Paper paper) : paper_(paper) {
    layOut(document);
}

SheetLayout::SheetLayout(const SheetIndex& index, Paper paper) : paper_(paper) {
    layOut(indexDocument(index));
}

void SheetLayout::layOut(const SheetDocument& document) {
    program_ = document.program;
    const QSizeF paper = paperSize(paper_);
    const double width = paper.width() - 2 * kMargin;
    PageFlow flow(kMargin, footerTop(paper) - kGap, kGap);
    flow.add(headingGroup(document, kMargin, width));
    for (const SheetBlock& block : document.blocks)
        flow.add(blockGroup(block, kMargin, width));
    if (document.picture && document.picture->drawable) {
        picture_ = document.picture;
        flow.add(drawingsGroup(kMargin, width));
    }
    pages_ = flow.takePages();
}

void SheetLayout::paintPage(QPainter& painter, const QRectF& target, int page, int number,
                            int pages) const {
    const QSizeF paper = paperSize(paper_);
    const double scale = std::min(target.width() / paper.width(), target.height() / paper.height());
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(scale, scale); // points from here on
    painter.fillRect(QRectF(QPointF(0, 0), paper), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);

    std::vector<PageItem> items = pages_.at(page);
    const double footer = footerTop(paper);
    items.push_back({PageItem::Kind::Rule,
                     QRectF(kMargin, footer - 3.0, paper.width() - 2 * kMargin, 0.5),
                     {},
                     SheetFace::Footer,
                     0});
    items.push_back(
        {PageItem::Kind::Text,
         QRectF(kMargin, footer, paper.width() - 2 * kMargin, lineHeight(SheetFace::Footer)),
         QString::fromStdString(footerText(program_, number, pages)), SheetFace::Footer,
         Qt::AlignHCenter | Qt::AlignTop});

    for (const PageItem& item : items) {
        switch (item.kind) {
        case PageItem::Kind::Text: {
            // Set at eight times the size and painted at an eighth, as the layout measured it.
            painter.save();
            painter.scale(1 / kUnitsPerPoint, 1 / kUnitsPerPoint);
            painter.setFont(sheetFont(item.face));
            painter.setPen(kInk);
            const QRectF r(item.rect.topLeft() * kUnitsPerPoint, item.rect.size() * kUnitsPerPoint);
            painter.drawText(r, item.align | Qt::TextDontClip, item.text);
            painter.restore();
            break;
        }
        case PageItem::Kind::Rule:
            painter.fillRect(item.rect, kInk);
            break;
        case PageItem::Kind::Drawings:
            if (picture_) {
                picture::PipePicture drawings;
                drawings.setModel(*picture_);
                drawings.render(painter, item.rect);
            }
            break;
        }
    }
    painter.restore();
}

} // namespace runnelex::sheet
