#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include "imports/results_import.h"
#include "model/game.h"

namespace scorvale::ui {

// The teams of a match list as the results import would apply them, one a
// row: the list's name, the team of the game it goes to (editable: the row
// of choices() it shows), the name a new team gets (editable while the row
// adds one), the group and the results, "now → after" where they change.
// Reads the results and the plan it is given and builds nothing per row, so
// a list of thousands of teams costs only the cells on screen.
class ResultsPlanModel : public QAbstractTableModel {
public:
    enum Column { ListName, Target, NewName, Group, FirstResult };

    // `game` is only read and outlives the model.
    explicit ResultsPlanModel(const Game& game, QObject* parent = nullptr);

    // Shows `results` mapped by `plan`, which the model changes as the user
    // edits; both outlive the model or the next call.
    void setPlan(const imports::MatchResults* results, imports::ImportPlan* plan);
    // The results were computed again (same teams): the values change.
    void resultsChanged();

    // The targets a row may choose, in the plan's order shifted by one: first
    // 新しいチームとして追加, then the game's teams in collection order.
    const QStringList& choices() const { return choices_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Target: the index in choices(); NewName: the text.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    // The text of a value column and whether the import changes it.
    std::pair<QString, bool> valueCell(int row, int column) const;

    const Game& game_;
    QStringList choices_;
    const imports::MatchResults* results_ = nullptr;
    imports::ImportPlan* plan_ = nullptr;
};

}  // namespace scorvale::ui
