// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "calc/calc_request.h"
#include "report/packed_rows.h"
#include "report/report_plan.h"

namespace runnelex {

// The rows of a range report as a table of the 14 record columns (and a column for each varied
// dimension a section's text would hide). Only the results are held,
// packed; each shown row gets its inputs back from the plan, so a million rows take a few
// tens of megabytes. Surcharged and faulted rows are marked.
class ReportModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReportModel(QObject* parent = nullptr);

    // A column beside the record's: a varied dimension's value, which a section's text in the
    // record would hold only inside "box 6x4".
    struct ExtraColumn {
        std::string word; // the dimension
        QString heading;  // "Span (ft.)"
    };
    // Empties the table for the rows of `plan`, with `extra` columns after the record's.
    void reset(std::shared_ptr<const report::ReportPlan> plan, std::vector<ExtraColumn> extra = {});
    // The system whose column names the table shows before its first report; a report's rows
    // are named in their own system.
    void setSystem(UnitSystem system);
    // Adds the next rows of the plan, in order.
    void append(const std::vector<std::shared_ptr<const report::PackedChunk>>& chunks);

    const report::PackedRows& rows() const { return rows_; }
    const std::shared_ptr<const report::ReportPlan>& plan() const { return plan_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QString surchargeTip();

private:
    // The row last asked for: a view asks for every column of a row in turn.
    struct Shown {
        std::uint64_t row = 0;
        std::array<QString, record::kFieldCount> fields;
        std::vector<QString> extra;
        report::RowMark mark = report::RowMark::None;
        std::string fault;
    };
    const Shown& shown(std::uint64_t row) const;

    std::shared_ptr<const report::ReportPlan> plan_;
    UnitSystem system_ = UnitSystem::US;
    std::vector<ExtraColumn> extra_;
    report::PackedRows rows_;
    mutable std::optional<Shown> shown_;
};

} // namespace runnelex
