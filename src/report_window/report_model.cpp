// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_window/report_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "calc/display_run.h"
#include "report/row_format.h"

namespace runnelex {

namespace {
constexpr int kFlowColumn = 1, kMaxQColumn = 13;
// Light enough to read the default dark text on; the text colour is set with it.
const QColor kSurchargedBackground(255, 222, 173);
const QColor kFaultedBackground(255, 190, 190);
} // namespace

ReportModel::ReportModel(QObject* parent) : QAbstractTableModel(parent) {}

QString ReportModel::surchargeTip() {
    return QStringLiteral("Surcharged: the flow is above Max Q, the flow at 0.93 of the diameter.");
}

void ReportModel::reset(std::shared_ptr<const report::ReportPlan> plan,
                        std::vector<ExtraColumn> extra) {
    beginResetModel();
    plan_ = std::move(plan);
    extra_ = std::move(extra);
    rows_.clear();
    shown_.reset();
    endResetModel();
}

void ReportModel::append(const std::vector<std::shared_ptr<const report::PackedChunk>>& chunks) {
    std::uint64_t added = 0;
    for (const auto& c : chunks)
        added += c->size();
    if (added == 0)
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(added) - 1);
    for (const auto& c : chunks)
        rows_.append(c);
    endInsertRows();
}

void ReportModel::setSystem(UnitSystem system) {
    system_ = system;
    if (!plan_) // the rows of a report keep the names of their own system
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(record::kFieldCount + extra_.size());
}

const ReportModel::Shown& ReportModel::shown(std::uint64_t row) const {
    if (!shown_ || shown_->row != row) {
        const RecordReply r = rows_.row(*plan_, row);
        const auto fields = report::rowFields(r);
        Shown s;
        s.row = row;
        for (std::size_t i = 0; i < fields.size(); ++i)
            s.fields[i] = QString::fromStdString(fields[i]);
        if (!extra_.empty()) {
            const CalcRequest point = plan_->point(row);
            for (const ExtraColumn& column : extra_)
                s.extra.push_back(
                    QString::fromStdString(point.dimension(column.word).value_or(std::string())));
        }
        s.mark = rows_.mark(row);
        s.fault = r.fault;
        shown_ = std::move(s);
    }
    return *shown_;
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Shown& s = shown(static_cast<std::uint64_t>(index.row()));
    const bool marked = s.mark != report::RowMark::None;
    switch (role) {
    case Qt::DisplayRole: {
        const auto column = static_cast<std::size_t>(index.column());
        return column < record::kFieldCount ? s.fields[column]
                                            : s.extra[column - record::kFieldCount];
    }
    case Qt::BackgroundRole:
        if (marked)
            return QBrush(s.mark == report::RowMark::Surcharged ? kSurchargedBackground
                                                                : kFaultedBackground);
        return {};
    case Qt::ForegroundRole:
        return marked ? QVariant(QBrush(Qt::black)) : QVariant();
    case Qt::FontRole:
        if (s.mark == report::RowMark::Surcharged &&
            (index.column() == kFlowColumn || index.column() == kMaxQColumn)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
        if (s.mark == report::RowMark::Surcharged)
            return surchargeTip();
        if (s.mark == report::RowMark::Faulted)
            return QString::fromStdString(calcFaultMessage(s.fault));
        return {};
    default:
        return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        const auto column = static_cast<std::size_t>(section);
        if (column >= record::kFieldCount)
            return extra_[column - record::kFieldCount].heading;
        return QString::fromStdString(
            record::headerNames(plan_ ? plan_->system() : system_)[column]);
    }
    return QString::number(section + 1); // not through the locale: no group separators
}

} // namespace runnelex
