// SPDX-License-Identifier: GPL-3.0-or-later
#include "sizing/sizing_panel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calc/number_text.h"
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
    const sizing::Criteria defaults;
    maxRatio_ = makeBox("txtSizeMaxRatio", qs(generalNumberText(defaults.maxDepthRatio)),
                        "Largest depth ratio d/D of the normal depth");
    minVelocity_ = makeBox("txtSizeMinVelocity", qs(generalNumberText(defaults.minVelocity)),
                           "Smallest velocity at the normal depth, ft/sec");
    maxVelocity_ = makeBox("txtSizeMaxVelocity", QString(),
                           "Largest velocity at the normal depth, ft/sec (empty: no limit)");
    sizes_ = makeBox("txtSizeList", qs(sizing::sizeListText(sizing::defaultSizesInches())),
                     "Nominal diameters to try, in inches, in order");
    table_ = new QTableWidget(0, 9);
    table_->setObjectName(QStringLiteral("tblSizes"));
    table_->setAccessibleName(QStringLiteral("Sizes tried"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setHeadings("CFS");
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
    criteria->addWidget(new QLabel(QStringLiteral("ft/sec")));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Criteria"), criteria);
    form->addRow(QStringLiteral("Sizes (in.)"), sizes_);
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
                      in_->SlopeInPercent == in.SlopeInPercent;
    in_ = in;
    entry_ = entry;
    if (!same)
        runSizing();
}

void SizingPanel::setHeadings(const std::string& unitflow) {
    const QString unit = qs(units::capacityHeading(unitflow)).mid(1); // " (cfs)"
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Diam (in.)"), QStringLiteral("d/D"), QStringLiteral("Dnorm (ft)"),
         QStringLiteral("Vnorm (ft/sec)"), QStringLiteral("Q full") + unit,
         QStringLiteral("Max Q") + unit, QStringLiteral("d/D ok"), QStringLiteral("V min ok"),
         QStringLiteral("V max ok")});
}

void SizingPanel::runSizing() {
    chosen_.reset();
    table_->setRowCount(0);
    sizing::Criteria criteria;
    std::vector<double> sizes;
    double maxV = 0.0;
    std::optional<std::string> error =
        sizing::parseMaxDepthRatio(maxRatio_->text().toStdString(), criteria.maxDepthRatio);
    if (!error)
        error = sizing::parseVelocity(minVelocity_->text().toStdString(), "smallest velocity",
                                      criteria.minVelocity);
    if (!error && !maxVelocity_->text().trimmed().isEmpty()) {
        error = sizing::parseVelocity(maxVelocity_->text().toStdString(), "largest velocity", maxV);
        criteria.maxVelocity = maxV;
    }
    if (!error)
        error = sizing::checkVelocityRange(criteria);
    if (!error)
        error = sizing::parseSizeList(sizes_->text().toStdString(), sizes);
    if (error) {
        chosenLabel_->setText(QStringLiteral("Check the criteria: ") + qs(*error) + '.');
        return;
    }
    if (!in_ || !(in_->SlopeFtFt > 0) || !(in_->ManningN > 0) || !(in_->Qcfs > 0)) {
        chosenLabel_->setText(QStringLiteral(
            "Enter a slope, n and a design flow in the main window to size the pipe."));
        return;
    }

    const sizing::SizingResult result = sizing::sizePipe(*in_, entry_, sizes, criteria);
    setHeadings(in_->Unitflow);
    table_->setRowCount(static_cast<int>(result.rows.size()));
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const sizing::SizeRow& row = result.rows[i];
        const auto label = [&row](Label name) {
            return qs(row.labels[name]);
        };
        const QString cells[] = {qs(generalNumberText(row.size.first)),
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
        chosen_ = result.rows[*result.chosen].size.first;
        table_->selectRow(static_cast<int>(*result.chosen));
        table_->scrollToItem(table_->item(static_cast<int>(*result.chosen), 0));
        chosenLabel_->setText(QStringLiteral("First size meeting every criterion: ") +
                              qs(generalNumberText(*chosen_)) + QStringLiteral(" in."));
    } else {
        chosenLabel_->setText(QStringLiteral("No size in the list meets every criterion."));
    }
}

} // namespace runnelex
