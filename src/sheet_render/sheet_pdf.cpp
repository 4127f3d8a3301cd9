// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_render/sheet_pdf.h"

#include <QPageLayout>
#include <QPageSize>

#include "common/atomic_file.h"
#include "sheet_render/atomic_file_device.h"
#include "sheet_render/sheet_layout.h"
#include "version/version.h"

namespace runnelex::sheet {

SheetPdf::SheetPdf(QIODevice& device, Paper paper, const std::string& title) : writer_(&device) {
    // One unit per point; the layout keeps its own margins.
    writer_.setResolution(72);
    writer_.setPageLayout(
        QPageLayout(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter),
                    QPageLayout::Portrait, QMarginsF()));
    writer_.setTitle(QString::fromStdString(title));
    writer_.setCreator(QString::fromUtf8(version::kAppTitle) + u' ' +
                       QString::fromUtf8(version::kText));
}

void SheetPdf::add(const SheetLayout& layout, int pages) {
    const QRectF page(QPointF(0, 0), paperSize(layout.paper()));
    for (int i = 0; i < layout.pageCount(); ++i) {
        if (painted_ == 0) {
            if (!painter_.begin(&writer_))
                return;
        } else {
            writer_.newPage();
        }
        layout.paintPage(painter_, page, i, painted_ + 1, pages);
        ++painted_;
    }
}

bool SheetPdf::finish() {
    return painter_.isActive() && painter_.end();
}

std::optional<std::string> saveSheetPdf(const SheetDocument& document, Paper paper,
                                        const std::string& path) {
    AtomicFile file(path);
    AtomicFileDevice device(file);
    if (!device.open(QIODevice::WriteOnly))
        return file.error();
    const SheetLayout layout(document, paper);
    std::string title = document.heading;
    if (!document.subject.empty())
        title.append(": ").append(document.subject);
    SheetPdf pdf(device, paper, title);
    pdf.add(layout, layout.pageCount());
    // A write refused on the way fails the commit too.
    if (!pdf.finish() || !file.commit())
        return file.error().empty() ? std::string("the PDF could not be written") : file.error();
    return std::nullopt;
}

} // namespace runnelex::sheet
