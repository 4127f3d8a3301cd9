// SPDX-License-Identifier: GPL-3.0-or-later
#include "sizing/sizing_panel.h"

#include <cctype>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/number_text.h"
#include "input/units.h"
#include "sizing/pipe_sizing.h"
#include "sizing/sizing_report.h"

namespace runnelex {

namespace {

QLineEdit* makeBox(const char* name, const QString& text, const char* tip) {
    auto* box = new QLineEdit(text);
    box->setObjectName(QString::fromUtf8(name));
    box->setToolTip(QString::fromUtf8(tip));
    return box;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

SizingPanel::SizingPanel(QWidget* parent) : QGroupBox(QStringLiteral("Pipe Sizing"), parent) {
    setObjectName(QStringLiteral("fraSizing"));
    maxRatio_ =
        makeBox("txtSizeMaxRatio", QString(), "Largest depth ratio d/D of the normal depth");
    minVelocity_ = makeBox("txtSizeMinVelocity", QString(), "");
    maxVelocity_ = makeBox("txtSizeMaxVelocity", QString(), "");
    sizes_ = makeBox("txtSizeList", QString(), "");
    velocityUnit_ = new QLabel;
    velocityUnit_->setObjectName(QStringLiteral("lblSizeVelocityUnit"));
    sizesCaption_ = new QLabel;
    sizesCaption_->setObjectName(QStringLiteral("lblSizeList"));
    sizesCaption_->setBuddy(sizes_);
    table_ = new QTableWidget(0, 9);
    table_->setObjectName(QStringLiteral("tblSizes"));
    table_->setAccessibleName(QStringLiteral("Sizes tried"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Room for a few sizes around the one chosen, whatever the window's height.
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                             6 * table_->verticalHeader()->defaultSectionSize() +
                             2 * table_->frameWidth());
    chosenLabel_ = new QLabel;
    chosenLabel_->setObjectName(QStringLiteral("lblrSizeChosen"));
    chosenLabel_->setWordWrap(true);

    auto* criteria = new QHBoxLayout;
    const std::pair<const char*, QLineEdit*> boxes[] = {
        {"d/D at most", maxRatio_}, {"V at least", minVelocity_}, {"V at most", maxVelocity_}};
    for (const auto& [caption, box] : boxes) {
        auto* label = new QLabel(QString::fromUtf8(caption));
        label->setBuddy(box);
        criteria->addWidget(label);
        criteria->addWidget(box);
    }
    criteria->addWidget(velocityUnit_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Criteria"), criteria);
    form->addRow(sizesCaption_, sizes_);
    showSystem(system_, *shape_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(table_, 1);
    layout->addWidget(chosenLabel_);

    for (QLineEdit* box : {maxRatio_, minVelocity_, maxVelocity_, sizes_})
        connect(box, &QLineEdit::editingFinished, this, &SizingPanel::runSizing);
}

void SizingPanel::setInputs(const CalcInputs& in, const CalcEntry& entry) {
    const bool same = in_ && in_->SlopeFtFt == in.SlopeFtFt && in_->ManningN == in.ManningN &&
                      in_->Qcfs == in.Qcfs && in_->Unitflow == in.Unitflow &&
                      in_->SlopeInPercent == in.SlopeInPercent && in_->System == in.System &&
                      in_->Shape == in.Shape;
    // Criteria and sizes typed for one system mean nothing in the other, nor sizes of one
    // shape for another.
    if (in.System != system_ || in.Shape != shape_)
        showSystem(in.System, *in.Shape);
    in_ = in;
    entry_ = entry;
    if (!same)
        runSizing();
}

void SizingPanel::focusTable() {
    table_->setFocus(Qt::OtherFocusReason);
}

void SizingPanel::showSystem(UnitSystem system, const sections::ShapeRow& shape) {
    system_ = system;
    shape_ = &shape;
    const bool si = system == UnitSystem::SI;
    const sizing::Criteria defaults = sizing::defaultCriteria(system);
    const QString velocity = qs(units::resultUnits(system).velocity);
    maxRatio_->setText(qs(generalNumberText(defaults.maxDepthRatio)));
    minVelocity_->setText(qs(generalNumberText(defaults.minVelocity)));
    minVelocity_->setToolTip(QStringLiteral("Smallest velocity at the normal depth, ") + velocity);
    maxVelocity_->clear();
    maxVelocity_->setToolTip(QStringLiteral("Largest velocity at the normal depth, ") + velocity +
                             QStringLiteral(" (empty: no limit)"));
    // The catalogue in its own order, smallest first: the first size that meets the criteria
    // is the smallest that does.
    const sizing::SizeList list = sizing::defaultSizes(shape, system);
    std::string sizes;
    for (const sections::Dimensions& size : list.sizes)
        sizes += (sizes.empty() ? "" : ", ") + sizing::sizeText(shape, size);
    sizes_->setText(qs(sizes));
    sizes_->setCursorPosition(0); // the list shown from its first size
    std::string what(shape.catalogue(system).caption);
    if (!what.empty())
        what[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(what[0])));
    std::string form;
    for (std::size_t i = 0; shape.dimensionCount() > 1 && i < shape.dimensionCount(); ++i) {
        form += i == 0 ? "" : "x";
        for (char c : shape.dimensions[i].caption)
            form += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    sizes_->setToolTip(qs(what + " to try, " + (form.empty() ? "" : form + " ") + "in " +
                          (si            ? "millimetres"
                           : list.inFeet ? "feet"
                                         : "inches") +
                          ", in order"));
    velocityUnit_->setText(velocity);
    sizesCaption_->setText(QStringLiteral("Sizes (") + qs(diamUnit()) + u')');
    setHeadings(std::string(units::unitLists(system).flow[0]));
}

std::string SizingPanel::diamUnit() const {
    return std::string(
        units::unitLists(system_).diam[sizing::defaultSizes(*shape_, system_).inFeet ? 1 : 0]);
}

void SizingPanel::setHeadings(const std::string& unitflow) {
    const QString unit = qs(units::capacityHeading(unitflow)).mid(1); // " (cfs)"
    const units::ResultUnits& shown = units::resultUnits(system_);
    // The size column named by the shape's dimensions: "Diam (in.)", "Span x Rise (ft.)".
    std::string size;
    for (std::size_t i = 0; i < shape_->dimensionCount(); ++i)
        size += (i == 0 ? "" : " x ") + (shape_->bareInRecord
                                             ? std::string("Diam") // as the record's column
                                             : std::string(shape_->dimensions[i].caption));
    table_->setHorizontalHeaderLabels(
        {qs(size) + QStringLiteral(" (") + qs(diamUnit()) + u')', QStringLiteral("d/D"),
         QStringLiteral("Dnorm (") + qs(shown.depth) + u')',
         QStringLiteral("Vnorm (") + qs(shown.velocity) + u')', QStringLiteral("Q full") + unit,
         QStringLiteral("Max Q") + unit, QStringLiteral("d/D ok"), QStringLiteral("V min ok"),
         QStringLiteral("V max ok")});
}

void SizingPanel::runSizing() {
    chosen_.reset();
    table_->setRowCount(0);
    sizing::Criteria criteria;
    double maxV = 0.0;
    std::optional<std::string> error =
        sizing::parseMaxDepthRatio(maxRatio_->text().toStdString(), criteria.maxDepthRatio);
    if (!error)
        error = sizing::parseVelocity(minVelocity_->text().toStdString(), "smallest velocity",
                                      criteria.minVelocity, system_);
    if (!error && !maxVelocity_->text().trimmed().isEmpty()) {
        error = sizing::parseVelocity(maxVelocity_->text().toStdString(), "largest velocity", maxV,
                                      system_);
        criteria.maxVelocity = maxV;
    }
    if (!error)
        error = sizing::checkVelocityRange(criteria);
    std::vector<sections::Dimensions> typed;
    if (!error)
        error = sizing::parseSizeList(sizes_->text().toStdString(), *shape_, typed, system_);
    if (error) {
        chosenLabel_->setText(QStringLiteral("Check the criteria: ") + qs(*error) + '.');
        return;
    }
    if (!in_ || !(in_->SlopeFtFt > 0) || !(in_->ManningN > 0) || !(in_->Qcfs > 0)) {
        chosenLabel_->setText(
            QStringLiteral("Enter a slope, n and a design flow to size the pipe."));
        return;
    }

    const sizing::SizingResult result = sizing::sizeSections(
        *in_, entry_, {shape_, typed, sizing::defaultSizes(*shape_, system_).inFeet}, criteria);
    setHeadings(in_->Unitflow);
    table_->setRowCount(static_cast<int>(result.rows.size()));
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const sizing::SizeRow& row = result.rows[i];
        const auto label = [&row](Label name) {
            return qs(row.labels[name]);
        };
        const QString cells[] = {qs(sizing::sizeText(*shape_, row.size)),
                                 label(Label::DoverD),
                                 label(Label::Dnorm),
                                 label(Label::Vnorm),
                                 label(Label::Q100),
                                 label(Label::Q093),
                                 QString::fromUtf8(sizing::checkText(row.depth)),
                                 QString::fromUtf8(sizing::checkText(row.minVelocity)),
                                 QString::fromUtf8(sizing::checkText(row.maxVelocity))};
        for (int column = 0; column < 9; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            // A screen reader reads a cell after its column heading; a dash or nothing would
            // say nothing.
            if (cells[column].isEmpty() || cells[column] == u'-')
                item->setData(Qt::AccessibleTextRole, cells[column].isEmpty()
                                                          ? QStringLiteral("no value")
                                                          : QStringLiteral("does not apply"));
            if (result.chosen == i) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table_->setItem(static_cast<int>(i), column, item);
        }
    }
    if (result.chosen) {
        chosen_ = result.rows[*result.chosen].size[0];
        table_->selectRow(static_cast<int>(*result.chosen));
        table_->scrollToItem(table_->item(static_cast<int>(*result.chosen), 0));
        chosenLabel_->setText(QStringLiteral("First size meeting every criterion: ") +
                              qs(sizing::sizeText(*shape_, result.rows[*result.chosen].size)) +
                              u' ' + qs(diamUnit()));
    } else {
        chosenLabel_->setText(QStringLiteral("No size in the list meets every criterion."));
    }
}

} // namespace runnelex
