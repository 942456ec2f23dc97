#include "ui/dialogs/results_plan_model.h"

#include <QFont>
#include <iterator>

#include "lists/list_columns.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {

using imports::ImportPlan;
using imports::TeamResult;
using lists::TeamColumn;

// The result columns, as the main window's team list shows them.
constexpr TeamColumn kResultColumns[] = {TeamColumn::status, TeamColumn::tournamentWins, TeamColumn::wins,
                                         TeamColumn::losses, TeamColumn::draws,          TeamColumn::goalDiff};
constexpr int kColumnCount = ResultsPlanModel::FirstResult + static_cast<int>(std::size(kResultColumns));

const lists::TeamColumnInfo& resultColumn(int column) {
    return lists::kTeamColumns[static_cast<std::size_t>(kResultColumns[column - ResultsPlanModel::FirstResult])];
}

QString caption(TeamColumn column) {
    return fromUtf8Text(lists::kTeamColumns[static_cast<std::size_t>(column)].caption);
}

QString cellText(const lists::Cell& cell) {
    if (const auto* number = std::get_if<std::int32_t>(&cell)) return QString::number(*number);
    return fromSjis(std::get<std::string_view>(cell));
}

QString matchedByText(imports::MatchKind kind) {
    switch (kind) {
        case imports::MatchKind::exact:
            return QStringLiteral("ゲームのチームと同じ名前です");
        case imports::MatchKind::normalized:
            return QStringLiteral("全角・半角や大文字・小文字の違いを除いて同じ名前です");
        case imports::MatchKind::nationalTeam:
            return QStringLiteral("国名の表で同じ国です");
        case imports::MatchKind::alias:
            return QStringLiteral("名前ファイルで対応づけられています");
        case imports::MatchKind::none:
            break;
    }
    return QStringLiteral("ゲームに同じチームが見つかりません");
}

}  // namespace

ResultsPlanModel::ResultsPlanModel(const Game& game, QObject* parent) : QAbstractTableModel(parent), game_(game) {
    choices_.reserve(game.teamCount() + 1);
    choices_ << QStringLiteral("新しいチームとして追加");
    for (const Team& team : game.teams()) choices_ << fromSjis(team.name.view());
}

void ResultsPlanModel::setPlan(const imports::MatchResults* results, imports::ImportPlan* plan) {
    beginResetModel();
    results_ = results;
    plan_ = plan;
    endResetModel();
}

void ResultsPlanModel::resultsChanged() {
    if (rowCount() > 0) emit dataChanged(index(0, Group), index(rowCount() - 1, kColumnCount - 1));
}

int ResultsPlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !results_ ? 0 : static_cast<int>(results_->teams.size());
}

int ResultsPlanModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

std::pair<QString, bool> ResultsPlanModel::valueCell(int row, int column) const {
    const TeamResult& result = results_->teams[static_cast<std::size_t>(row)];
    const int target = plan_->targets[static_cast<std::size_t>(row)];
    const Team* old = target == ImportPlan::kAdd ? nullptr : &game_.teamAt(target);
    QString before, after;
    if (column == Group) {
        before = old ? fromSjis(old->group.view()) : QString();
        after = result.group.empty() ? before : fromUtf8Text(result.group);
    } else {
        Team imported;
        imports::setResultNumbers(imported, result);
        const auto cell = resultColumn(column).cell;
        if (old) before = cellText(cell(*old));
        after = cellText(cell(imported));
    }
    // A new team shows its values alone; a changed value shows both.
    if (!old || before == after) return {after, false};
    const auto shown = [](const QString& text) { return text.isEmpty() ? QStringLiteral("－") : text; };
    return {shown(before) + QStringLiteral(" → ") + shown(after), true};
}

QVariant ResultsPlanModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !results_) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const int target = plan_->targets[row];
    switch (index.column()) {
        case ListName:
            if (role == Qt::DisplayRole) return fromUtf8Text(results_->teams[row].name);
            if (role == Qt::ToolTipRole) return matchedByText(plan_->matchedBy[row]);
            return {};
        case Target:
            if (role == Qt::DisplayRole) return choices_.value(target + 1);
            if (role == Qt::EditRole) return target + 1;
            return {};
        case NewName:
            if (target != ImportPlan::kAdd) return {};
            if (role == Qt::DisplayRole || role == Qt::EditRole) return fromUtf8Text(plan_->newNames[row]);
            if (role == Qt::ToolTipRole) return QStringLiteral("追加するチームの名前（クリックして変更）");
            return {};
        default:
            break;
    }
    if (role == Qt::TextAlignmentRole && index.column() >= FirstResult &&
        resultColumn(index.column()).align == lists::Align::right)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::FontRole) return {};
    const auto [text, changed] = valueCell(index.row(), index.column());
    if (role == Qt::DisplayRole) return text;
    if (!changed) return {};
    QFont bold;
    bold.setBold(true);
    return bold;
}

QVariant ResultsPlanModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole && section >= FirstResult && resultColumn(section).align == lists::Align::right)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (section) {
        case ListName: return QStringLiteral("リストのチーム");
        case Target: return QStringLiteral("ゲームのチーム");
        case NewName: return QStringLiteral("追加する名前");
        case Group: return caption(TeamColumn::group);
        default: return caption(kResultColumns[section - FirstResult]);
    }
}

Qt::ItemFlags ResultsPlanModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Target ||
        (index.column() == NewName && plan_->targets[static_cast<std::size_t>(index.row())] == ImportPlan::kAdd))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ResultsPlanModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == NewName) {
        plan_->newNames[row] = value.toString().toStdString();
        emit dataChanged(index, index);
        return true;
    }
    const int choice = value.toInt();
    if (choice < 0 || choice >= choices_.size()) return false;
    plan_->targets[row] = choice - 1;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kColumnCount - 1));
    return true;
}

}  // namespace scorvale::ui
