#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>
#include <vector>

#include "imports/member_import.h"

namespace scorvale::ui {

// The spellings of picks that match no team by themselves, one a row:
// "書き方", "票数", "取り込むチーム" (editable: kept as written or a team of
// the game) and "候補" (the team it may mean). A choice goes to the callback,
// which plans again and gives the new spellings back.
class MemberSpellingModel : public QAbstractTableModel {
public:
    enum Column { WrittenColumn, CountColumn, TeamColumn, NearestColumn, kColumnCount };
    // The team a choice maps to, or -1 to keep the spelling as written.
    using Choose = std::function<void(const imports::PickSpelling& spelling, int team)>;
    // The team a spelling may mean, or -1; asked once a row is shown.
    using Nearest = std::function<int(const imports::PickSpelling& spelling)>;

    MemberSpellingModel(QStringList teamNames, Choose choose, Nearest nearest, QObject* parent = nullptr);

    // Shows `spellings` (null: none); they must outlive the next call. The
    // same spellings as before (by key) keep the view and its editor.
    void setSpellings(const std::vector<imports::PickSpelling>* spellings);

    const QStringList& teamNames() const { return teamNames_; }
    int nearest(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Qt::EditRole on the team column: the team index, or -1.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    QStringList teamNames_;
    Choose choose_;
    Nearest nearest_;
    const std::vector<imports::PickSpelling>* spellings_ = nullptr;
    std::vector<std::string> keys_;          // of the spellings shown
    mutable std::vector<int> nearestCache_;  // -2: not asked yet
};

// The team column's editor: a combo box of "書かれたまま", the team the
// spelling may mean, then every team of the game.
class TeamChoiceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

}  // namespace scorvale::ui
