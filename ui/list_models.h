#pragma once

#include <QAbstractTableModel>
#include <array>
#include <vector>

#include "lists/list_columns.h"
#include "model/game.h"

namespace scorvale::ui {

QString cellText(const lists::Cell& cell);

// A list of the main window over one of the game's collections, with the
// columns of lists/list_columns.h. It reads its rows straight from the
// collection. The row count is taken at each rebuild, so the list shows what
// the last rebuild saw even if the game changes before the next one.
template <typename Info, std::size_t N>
class RecordListModel : public QAbstractTableModel {
public:
    using Record = typename Info::Record;

    RecordListModel(const std::vector<Record>& records, const std::array<Info, N>& columns, QObject* parent)
        : QAbstractTableModel(parent), records_(records), columns_(columns) {}

    const std::array<Info, N>& columns() const { return columns_; }

    // Rebuild: all rows when `show`, none otherwise.
    void rebuild(bool show) {
        beginResetModel();
        rows_ = show ? static_cast<int>(records_.size()) : 0;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : static_cast<int>(N); }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || static_cast<std::size_t>(index.row()) >= records_.size()) return {};
        const Info& column = columns_[static_cast<std::size_t>(index.column())];
        if (role == Qt::DisplayRole) return cellText(column.cell(records_[static_cast<std::size_t>(index.row())]));
        if (role == Qt::TextAlignmentRole) return alignment(column);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(N)) return {};
        const Info& column = columns_[static_cast<std::size_t>(section)];
        if (role == Qt::DisplayRole)
            return QString::fromUtf8(column.caption.data(), static_cast<qsizetype>(column.caption.size()));
        if (role == Qt::TextAlignmentRole) return alignment(column);
        return {};
    }

private:
    static QVariant alignment(const Info& column) {
        const Qt::Alignment horizontal = column.align == lists::Align::right ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }

    const std::vector<Record>& records_;
    const std::array<Info, N>& columns_;
    int rows_ = 0;
};

using TeamListModel = RecordListModel<lists::TeamColumnInfo, std::tuple_size_v<decltype(lists::kTeamColumns)>>;
using MemberListModel = RecordListModel<lists::MemberColumnInfo, std::tuple_size_v<decltype(lists::kMemberColumns)>>;

}  // namespace scorvale::ui
