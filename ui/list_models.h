#pragma once

#include <QAbstractTableModel>

#include "model/game.h"

namespace scorvale::ui {

struct ListColumn {
    const char16_t* caption;
    int width;  // pixels
    bool rightAligned;
    int sortKey;  // TeamSortKey or MemberSortKey of a header click
};

extern const ListColumn kTeamColumns[14];
extern const ListColumn kMemberColumns[5];

// The key of a header click; a column outside the table orders by name.
int teamSortKeyOfColumn(int column);
int memberSortKeyOfColumn(int column);

// Reads its rows straight from the game's collection. The row count is taken
// at each rebuild, so the lists show what the last rebuild saw even if the
// game changes before the next one.
class GameListModel : public QAbstractTableModel {
public:
    GameListModel(const Game& game, const ListColumn* columns, int columnCount, QObject* parent);

    // Rebuild: all rows when `show`, none otherwise.
    void rebuild(bool show);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The cell's text exactly as the list shows it.
    virtual QString cellText(int row, int column) const = 0;

protected:
    virtual int liveCount() const = 0;
    const Game& game_;

private:
    const ListColumn* columns_;
    int columnCount_;
    int rows_ = 0;
};

class TeamListModel : public GameListModel {
public:
    TeamListModel(const Game& game, QObject* parent);
    QString cellText(int row, int column) const override;

protected:
    int liveCount() const override { return game_.teamCount(); }
};

class MemberListModel : public GameListModel {
public:
    MemberListModel(const Game& game, QObject* parent);
    QString cellText(int row, int column) const override;

protected:
    int liveCount() const override { return game_.memberCount(); }
};

}  // namespace scorvale::ui
