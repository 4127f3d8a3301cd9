// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_window/frm_sheet.h"

#include <exception>

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "calc/calc_session.h"
#include "calc/labels.h"
#include "platform/message_boxes.h"
#include "results/save_dialog.h"
#include "results/save_failure.h"
#include "results/save_text_file.h"
#include "sheet/sheet_builder.h"
#include "sheet/sheet_html.h"
#include "sheet/sheet_text.h"
#include "sheet_render/sheet_layout.h"
#include "sheet_render/sheet_pdf.h"
#include "sheet_window/print_dialog.h"
#include "ui/main/tool_host.h"

namespace runnelex {

namespace {

constexpr int kPageWidth = 680; // of a page shown, in pixels

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QPushButton* makeButton(const char* name, const char* text, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tip));
    button->setAutoDefault(false);
    return button;
}

SaveDialogRequest sheetRequest() {
    const QString pdf = QStringLiteral("PDF document (*.pdf)");
    return {saveDialogDirectory(),
            {pdf, QStringLiteral("Web page (*.html)"), QStringLiteral("Text (*.txt)")},
            pdf,
            QStringLiteral("pdf")};
}

QImage pageImage(const sheet::SheetLayout& layout, int page) {
    const QSizeF paper = sheet::paperSize(layout.paper());
    QImage image(kPageWidth, qRound(kPageWidth * paper.height() / paper.width()),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    layout.paintPage(painter, QRectF(image.rect()), page, page + 1, layout.pageCount());
    return image;
}

} // namespace

FrmSheet::FrmSheet(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog, PrintDialog& print)
    : QWidget(nullptr, Qt::Window), host_(host), boxes_(boxes), dialog_(dialog), print_(print) {
    setObjectName(QStringLiteral("frmSheet"));
    setWindowTitle(QStringLiteral("Calculation Sheet"));

    auto* fields = new QGridLayout;
    const auto field = [&](const char* name, const char* caption, int row, int column) {
        auto* box = new QLineEdit;
        box->setObjectName(QString::fromUtf8(name));
        auto* label = new QLabel(QString::fromUtf8(caption));
        label->setObjectName(QStringLiteral("lbl") + box->objectName().mid(3));
        label->setBuddy(box);
        fields->addWidget(label, row, column * 2);
        fields->addWidget(box, row, column * 2 + 1);
        connect(box, &QLineEdit::textChanged, this, [this] {
            respeak();
            scheduleRefresh();
        });
        return box;
    };
    txtProject_ = field("txtProject", "Pro&ject:", 0, 0);
    txtReach_ = field("txtReach", "Pipe or &reach:", 0, 1);
    txtEngineer_ = field("txtEngineer", "&Engineer:", 1, 0);
    txtChecker_ = field("txtChecker", "Chec&ker:", 1, 1);
    txtDate_ = field("txtDate", "&Date:", 2, 0);
    cmbPaper_ = new QComboBox;
    cmbPaper_->setObjectName(QStringLiteral("cmbPaper"));
    cmbPaper_->addItems({QStringLiteral("Letter"), QStringLiteral("A4")});
    auto* paperLabel = new QLabel(QStringLiteral("P&aper:"));
    paperLabel->setObjectName(QStringLiteral("lblPaper"));
    paperLabel->setBuddy(cmbPaper_);
    fields->addWidget(paperLabel, 2, 2);
    fields->addWidget(cmbPaper_, 2, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    connect(cmbPaper_, &QComboBox::currentIndexChanged, this, [this] {
        respeak();
        scheduleRefresh();
    });
    txtDate_->setText(qs(sheet::todayText()));

    pagesBox_ = new QWidget;
    pagesBox_->setObjectName(QStringLiteral("fraPages"));
    pagesLayout_ = new QVBoxLayout(pagesBox_);
    pagesLayout_->setSpacing(12);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("scrPages"));
    scroll->setAccessibleName(QStringLiteral("Pages"));
    scroll->setWidget(pagesBox_);
    scroll->setWidgetResizable(true);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setBackgroundRole(QPalette::Dark);

    auto* save = makeButton("cmdSaveSheet", "&Save As...",
                            "Save the sheet as a PDF document, a web page or plain text");
    auto* printButton = makeButton("cmdPrintSheet", "&Print...", "Print the sheet");
    auto* close = makeButton("cmdCloseSheet", "Close", "Hide this window");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {save, printButton, close}) {
        b->setAccessibleName(b->text().remove(u'&').remove(QStringLiteral("...")));
        buttons->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(0);
    connect(&refreshTimer_, &QTimer::timeout, this, &FrmSheet::refresh);
    shownListener_ = host_.session().addShownListener([this] { scheduleRefresh(); });
    connect(save, &QPushButton::clicked, this, &FrmSheet::cmdSaveSheet_Click);
    connect(printButton, &QPushButton::clicked, this, &FrmSheet::cmdPrintSheet_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    respeak();
}

FrmSheet::~FrmSheet() {
    host_.session().removeShownListener(shownListener_);
}

sheet::SheetTitle FrmSheet::title() const {
    const auto text = [](const QLineEdit* box) {
        return box->text().trimmed().toStdString();
    };
    return {text(txtProject_), text(txtReach_), text(txtEngineer_), text(txtChecker_),
            text(txtDate_)};
}

sheet::Paper FrmSheet::paper() const {
    return cmbPaper_->currentIndex() == 1 ? sheet::Paper::A4 : sheet::Paper::Letter;
}

sheet::SheetDocument FrmSheet::document() const {
    return sheet::buildSheet(host_.session(), title());
}

void FrmSheet::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scheduleRefresh();
}

void FrmSheet::scheduleRefresh() {
    stale_ = true;
    // A hidden window catches up when it is shown again.
    if (isVisible())
        refreshTimer_.start();
}

void FrmSheet::refresh() {
    stale_ = false;
    const UnitSystem system = host_.session().inputs().System;
    if (paperSystem_ != system) {
        paperSystem_ = system;
        const QSignalBlocker quiet(cmbPaper_);
        cmbPaper_->setCurrentIndex(sheet::defaultPaper(system) == sheet::Paper::A4 ? 1 : 0);
    }
    const sheet::SheetLayout layout(document(), paper());
    pages_ = layout.pageCount();
    QList<QLabel*> shown = pagesBox_->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < pages_; ++i) {
        if (i >= shown.size()) {
            auto* label = new QLabel(pagesBox_);
            label->setAlignment(Qt::AlignHCenter);
            pagesLayout_->addWidget(label);
            shown << label;
        }
        QLabel* label = shown[i];
        label->setObjectName(QStringLiteral("lblPage%1").arg(i + 1));
        label->setPixmap(QPixmap::fromImage(pageImage(layout, i)));
        label->setAccessibleName(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages_));
    }
    for (qsizetype i = pages_; i < shown.size(); ++i)
        delete shown[i];
    respeak();
    ++refreshes_;
}

void FrmSheet::respeak() {
    // The boxes in the order of the title block's captions.
    QLineEdit* const boxes[] = {txtProject_, txtReach_, txtEngineer_, txtChecker_, txtDate_};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        const QString heard =
            qs(spokenLabel(sheet::kTitleCaptions[i], boxes[i]->text().toStdString(), ""));
        if (boxes[i]->accessibleName() != heard) // a change is told to screen readers
            boxes[i]->setAccessibleName(heard);
    }
    cmbPaper_->setAccessibleName(
        qs(spokenLabel("Paper", cmbPaper_->currentText().toStdString(), "")));
}

void FrmSheet::cmdSaveSheet_Click() {
    try {
        const std::optional<SaveDialogChoice> choice =
            dialog_.chooseSaveFileAndFilter(this, sheetRequest());
        if (!choice)
            return; // cancelled: nothing written, nothing to report
        const QString suffix = QFileInfo(choice->path).suffix().toLower();
        const sheet::SheetDocument doc = document();
        std::optional<QString> error;
        if (suffix == QLatin1String("pdf")) {
            if (const auto failed = sheet::saveSheetPdf(
                    doc, paper(), QFile::encodeName(choice->path).toStdString()))
                error = qs(*failed);
        } else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
            error = saveTextFile(choice->path,
                                 QByteArray::fromStdString(sheet::sheetHtml(doc, paper())));
        } else if (suffix == QLatin1String("txt")) {
            error = saveTextFile(choice->path, QByteArray::fromStdString(sheet::sheetText(doc)));
        } else {
            error = QStringLiteral("a sheet is saved as .pdf, .html or .txt");
        }
        if (error)
            boxes_.show(this, saveFailureMessage(*error));
    } catch (const std::exception& e) {
        boxes_.show(this, saveFailureMessage(QString::fromUtf8(e.what())));
    }
}

void FrmSheet::cmdPrintSheet_Click() {
    const sheet::SheetDocument doc = document();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(paper() == sheet::Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
    printer.setFullPage(true); // the sheet keeps its own margins
    printer.setDocName(qs(doc.heading));
    if (!print_.choosePrinter(this, printer))
        return;
    const sheet::SheetLayout layout(doc, paper());
    QPainter painter;
    if (!painter.begin(&printer)) {
        boxes_.show(this, QStringLiteral("The sheet could not be printed: the printer did not "
                                         "start."));
        return;
    }
    const QRectF page(QPointF(0, 0), printer.paperRect(QPrinter::DevicePixel).size());
    for (int i = 0; i < layout.pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        layout.paintPage(painter, page, i, i + 1, layout.pageCount());
    }
    painter.end();
}

} // namespace runnelex
