#include "ui/list_models.h"

#include "ui/qt_text.h"

namespace scorvale::ui {

const ListColumn kTeamColumns[14] = {
    {u"チーム", 100, false, 0},  {u"グループ", 60, false, 13}, {u"順位", 38, true, 1},
    {u"状態", 38, false, 0},     {u"人気", 38, true, 2},       {u"消化", 38, true, 9},
    {u"T勝", 38, true, 4},       {u"勝", 25, true, 5},         {u"負", 25, true, 6},
    {u"分", 25, true, 7},        {u"勝点", 38, true, 3},       {u"得失", 38, true, 8},
    {u"特賞", 38, true, 10},     {u"最終更新", 100, false, 11},
};

const ListColumn kMemberColumns[5] = {
    {u"参加者", 100, false, 0}, {u"順位", 38, true, 1},        {u"得点", 38, true, 3},
    {u"筆頭候補", 100, false, 12}, {u"最終更新", 100, false, 11},
};

int teamSortKeyOfColumn(int column) {
    return column >= 0 && column < 14 ? kTeamColumns[column].sortKey : 0;
}
int memberSortKeyOfColumn(int column) {
    return column >= 0 && column < 5 ? kMemberColumns[column].sortKey : 0;
}

GameListModel::GameListModel(const Game& game, const ListColumn* columns, int columnCount, QObject* parent)
    : QAbstractTableModel(parent), game_(game), columns_(columns), columnCount_(columnCount) {}

void GameListModel::rebuild(bool show) {
    beginResetModel();
    rows_ = show ? liveCount() : 0;
    endResetModel();
}

int GameListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int GameListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columnCount_; }

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= liveCount()) return {};
    if (role == Qt::DisplayRole) return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment horizontal = columns_[index.column()].rightAligned ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }
    return {};
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount_) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf16(columns_[section].caption);
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment horizontal = columns_[section].rightAligned ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }
    return {};
}

TeamListModel::TeamListModel(const Game& game, QObject* parent) : GameListModel(game, kTeamColumns, 14, parent) {}

QString TeamListModel::cellText(int row, int column) const {
    const Team& t = game_.teamAt(row);
    switch (column) {
        case 0: return fromSjis(t.name.view());
        case 1: return fromSjis(t.group.view());
        case 2: return QString::number(t.rank);
        case 3: {
            QString status;
            if (t.qualify != 0) status += QLatin1Char('T');
            if (t.out != 0) status += QLatin1Char('D');
            return status;
        }
        case 4: return QString::number(t.popularity);
        case 5: return QString::number(t.played);
        case 6: return QString::number(t.tournamentWins);
        case 7: return QString::number(t.wins);
        case 8: return QString::number(t.losses);
        case 9: return QString::number(t.draws);
        case 10: return QString::number(t.points);
        case 11: return QString::number(t.goalDiff);
        case 12: return QString::number(t.bonus);
        case 13: return fromSjis(t.date.view());
        default: return {};
    }
}

MemberListModel::MemberListModel(const Game& game, QObject* parent)
    : GameListModel(game, kMemberColumns, 5, parent) {}

QString MemberListModel::cellText(int row, int column) const {
    const Member& m = game_.memberAt(row);
    switch (column) {
        case 0: return fromSjis(m.name.view());
        case 1: return QString::number(m.rank);
        case 2: return QString::number(m.score);
        case 3: return m.voteCount() != 0 ? fromSjis(m.vote(0)) : QString();
        case 4: return fromSjis(m.date.view());
        default: return {};
    }
}

}  // namespace scorvale::ui
