#pragma once

#include <QAbstractTableModel>
#include <QString>

#include "imports/member_import.h"

namespace scorvale::ui {

// The rows of a members import as they will be imported, one a line:
// "行", "状態", "参加者名", "日付" and each vote as matched. Skipped rows,
// replaced members and picks not imported as written are coloured, and each
// cell's tooltip explains what happens to it. Reads the plan it is given and
// builds nothing per cell, so a file of ten thousand rows costs only the
// cells on screen.
class MemberPlanModel : public QAbstractTableModel {
public:
    enum Column { LineColumn, StateColumn, NameColumn, DateColumn, FirstVoteColumn };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows `plan` (null: nothing), made with `options` from `table` (where
    // each pick is as written); they must outlive the next call.
    void setPlan(const imports::MemberImportPlan* plan, const imports::MemberImportOptions& options,
                 const text::CsvTable* table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The file column a cell shows, or 0.
    std::size_t fileColumn(const imports::PlannedRow& row, int column) const;
    QString toolTip(const imports::PlannedRow& row, int column) const;
    QVariant background(const imports::PlannedRow& row, int column) const;

    const imports::MemberImportPlan* plan_ = nullptr;
    imports::MemberImportOptions options_;
    const text::CsvTable* table_ = nullptr;
};

}  // namespace scorvale::ui
