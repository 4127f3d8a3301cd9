// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/frm_pipe_picture.h"

#include <exception>

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "calc/calc_session.h"
#include "calc/labels.h"
#include "input/units.h"
#include "picture/picture_export.h"
#include "picture/picture_view.h"
#include "platform/message_boxes.h"
#include "results/save_dialog.h"
#include "results/save_failure.h"
#include "results/save_text_file.h"
#include "sizing/sizing_panel.h"
#include "ui/main/result_copy_menu.h"
#include "ui/main/tool_host.h"

namespace runnelex {

namespace {

// The values beside the picture: control name, caption, and the kind of unit it is shown in.
// Screen readers hear each value with its caption and unit.
enum class RowUnit { None, Length, Velocity };
struct ValueRow {
    const char* name;
    const char* caption;
    RowUnit unit;
};
constexpr ValueRow kValueRows[] = {
    {"lblrDnorm2", "Other normal depth", RowUnit::Length},
    {"lblrDoverD2", "its d/D", RowUnit::None},
    {"lblrVnorm2", "its velocity", RowUnit::Velocity},
    {"lblrQpeak", picture::kPeakName, RowUnit::None},
    {"lblrDoverDpeak", "at d/D", RowUnit::None},
};

std::string unitOf(const ValueRow& row, UnitSystem system) {
    switch (row.unit) {
    case RowUnit::Length:
        return units::resultUnits(system).depth;
    case RowUnit::Velocity:
        return units::resultUnits(system).velocity;
    case RowUnit::None:
        break;
    }
    return {};
}

QPushButton* makeButton(const char* name, const char* text, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tip));
    return button;
}

SaveDialogRequest pictureRequest() {
    const QString png = QStringLiteral("PNG image (*.png)");
    // The dialog gives a name typed without suffix that of the filter chosen.
    return {saveDialogDirectory(),
            {png, QStringLiteral("SVG drawing (*.svg)"), QStringLiteral("PDF document (*.pdf)")},
            png,
            QStringLiteral("png")};
}

} // namespace

FrmPipePicture::FrmPipePicture(ToolHost& host, MessageBoxes& boxes, SaveDialog& dialog)
    : QWidget(nullptr, Qt::Window), host_(host), boxes_(boxes), dialog_(dialog) {
    setObjectName(QStringLiteral("frmPipePicture"));
    setWindowTitle(QStringLiteral("Runnelex Pipe Picture"));

    view_ = new PictureView;
    auto* values = new QGridLayout;
    const UnitSystem system = host_.session().inputs().System;
    for (int i = 0; i < static_cast<int>(std::size(kValueRows)); ++i) {
        const ValueRow& row = kValueRows[i];
        const QString name = QString::fromUtf8(row.name);
        auto* value = new QLabel;
        value->setObjectName(name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setAccessibleName(
            QString::fromStdString(spokenLabel(row.caption, "", unitOf(row, system))));
        labels_[row.name] = value;
        auto* caption = new QLabel(QString::fromUtf8(row.caption) + QStringLiteral(" ="));
        caption->setObjectName(QStringLiteral("lbl") + name.mid(4)); // lblrDnorm2: lblDnorm2
        auto* unit = new QLabel(QString::fromStdString(unitOf(row, system)));
        unit->setObjectName(name + QStringLiteral("Unit"));
        units_[row.name] = unit;
        const int r = i % 3, c = (i / 3) * 3;
        values->addWidget(caption, r, c);
        values->addWidget(value, r, c + 1);
        values->addWidget(unit, r, c + 2);
    }
    values->setColumnStretch(2, 1);
    values->setColumnStretch(5, 1);

    auto* save = makeButton("cmdSavePicture", "&Save Picture...",
                            "Save the picture as a PNG image, an SVG drawing or a PDF document");
    auto* copy = makeButton("cmdCopyPicture", "&Copy", "Copy the picture as a PNG image");
    auto* close = makeButton("cmdClosePicture", "Close", "Hide this window");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {save, copy, close})
        buttons->addWidget(b);

    auto* top = new QWidget;
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(view_, 1);
    topLayout->addLayout(values);
    topLayout->addLayout(buttons);
    sizing_ = new SizingPanel;
    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->addWidget(top);
    splitter_->addWidget(sizing_);
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter_);

    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(0);
    connect(&refreshTimer_, &QTimer::timeout, this, &FrmPipePicture::refresh);
    shownListener_ = host_.session().addShownListener([this] { scheduleRefresh(); });
    // A switch whose calculation stopped early still changes every unit shown.
    systemListener_ = host_.addSystemListener([this](UnitSystem) { scheduleRefresh(); });
    connect(save, &QPushButton::clicked, this, &FrmPipePicture::cmdSavePicture_Click);
    connect(copy, &QPushButton::clicked, this, &FrmPipePicture::cmdCopyPicture_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    addResultCopyMenu(*this, host_.session());
}

FrmPipePicture::~FrmPipePicture() {
    host_.session().removeShownListener(shownListener_);
    host_.removeSystemListener(systemListener_);
}

const picture::PictureModel& FrmPipePicture::model() const {
    return view_->model();
}

void FrmPipePicture::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_)
        refreshTimer_.start();
}

void FrmPipePicture::scheduleRefresh() {
    stale_ = true;
    // A hidden window catches up when it is shown again.
    if (isVisible())
        refreshTimer_.start();
}

void FrmPipePicture::refresh() {
    stale_ = false;
    const CalcEntry entry = host_.session().entry();
    const CalcInputs& in = host_.session().inputs();
    const picture::PictureModel model = picture::buildPictureModel(in, &entry);
    view_->setModel(model);
    for (const ValueRow& row : kValueRows) {
        std::string text;
        if (model.drawable)
            for (const auto& [name, caption] : model.labels)
                if (name == row.name)
                    text = caption;
        QLabel* label = labels_.at(row.name);
        label->setText(QString::fromStdString(text));
        const std::string unit = unitOf(row, in.System);
        units_.at(row.name)->setText(QString::fromStdString(unit));
        const QString heard = QString::fromStdString(spokenLabel(row.caption, text, unit));
        if (label->accessibleName() != heard) // a change is told to screen readers
            label->setAccessibleName(heard);
    }
    sizing_->setInputs(in, entry);
    ++refreshes_;
}

void FrmPipePicture::showSizing() {
    const QList<int> heights = splitter_->sizes();
    const int wanted = sizing_->sizeHint().height();
    if (heights.size() == 2 && heights[1] < wanted) {
        const int total = heights[0] + heights[1];
        splitter_->setSizes({std::max(0, total - wanted), std::min(total, wanted)});
    }
    sizing_->focusTable();
}

QSize FrmPipePicture::pictureSize() const {
    return view_->size();
}

void FrmPipePicture::cmdSavePicture_Click() {
    try {
        const std::optional<QString> name = dialog_.chooseSaveFile(this, pictureRequest());
        if (!name)
            return; // cancelled: nothing written, nothing to report
        const std::optional<picture::PictureFormat> format = picture::pictureFormatFor(*name);
        if (!format) {
            boxes_.show(this, saveFailureMessage(
                                  QStringLiteral("a picture is saved as .png, .svg or .pdf")));
            return;
        }
        const picture::EncodedPicture encoded =
            picture::encodePicture(model(), *format, pictureSize());
        if (encoded.bytes.isEmpty()) {
            boxes_.show(this, saveFailureMessage(encoded.error));
            return;
        }
        if (const auto error = saveTextFile(*name, encoded.bytes))
            boxes_.show(this, saveFailureMessage(*error));
    } catch (const std::exception& e) {
        boxes_.show(this, saveFailureMessage(QString::fromUtf8(e.what())));
    }
}

void FrmPipePicture::cmdCopyPicture_Click() {
    const picture::EncodedPicture png =
        picture::encodePicture(model(), picture::PictureFormat::Png, pictureSize());
    if (png.bytes.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), png.bytes);
    data->setImageData(QImage::fromData(png.bytes, "PNG"));
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace runnelex
