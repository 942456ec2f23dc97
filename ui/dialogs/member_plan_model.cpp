#include "ui/dialogs/member_plan_model.h"
#include "ui/dialogs/member_import_texts.h"
#include "ui/qt_text.h"

#include <QBrush>
#include <QColor>

#include "text/normalize.h"

namespace scorvale::ui {

namespace {

using imports::MemberProblem;
using imports::PlannedRow;
using Kind = MemberProblem::Kind;


const QColor kSkipped(0xF4, 0xCC, 0xCC);
const QColor kReplaced(0xCC, 0xDD, 0xF4);
const QColor kChanged(0xFF, 0xEE, 0xAA);  // kept, but not as written

QString actionText(PlannedRow::Action action) {
    switch (action) {
        case PlannedRow::Action::add: return QStringLiteral("追加");
        case PlannedRow::Action::replace: return QStringLiteral("置き換え");
        case PlannedRow::Action::skip: return QStringLiteral("取り込まない");
    }
    return {};
}

}  // namespace

void MemberPlanModel::setPlan(const imports::MemberImportPlan* plan, const imports::MemberImportOptions& options,
                              const text::CsvTable* table) {
    beginResetModel();
    plan_ = plan;
    options_ = options;
    table_ = table;
    endResetModel();
}

int MemberPlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !plan_ ? 0 : static_cast<int>(plan_->rows.size());
}

int MemberPlanModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !plan_ ? 0 : FirstVoteColumn + static_cast<int>(plan_->voteColumns);
}

QVariant MemberPlanModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case LineColumn: return QStringLiteral("行");
        case StateColumn: return QStringLiteral("状態");
        case NameColumn: return QStringLiteral("参加者名");
        case DateColumn: return QStringLiteral("日付");
        default: return QStringLiteral("投票%1").arg(section - FirstVoteColumn + 1);
    }
}

std::size_t MemberPlanModel::fileColumn(const PlannedRow& row, int column) const {
    if (column == NameColumn) return options_.nameColumn;
    if (column == DateColumn) return options_.dateColumn;
    const int vote = column - FirstVoteColumn;
    if (vote >= 0 && vote < static_cast<int>(row.votes.size())) return row.votes[static_cast<std::size_t>(vote)].column;
    return 0;
}

QString MemberPlanModel::toolTip(const PlannedRow& row, int column) const {
    QStringList lines;
    if (column == StateColumn) {
        // Every problem of the row, those of cells not shown too.
        if (row.action == PlannedRow::Action::replace)
            lines << QStringLiteral("すでにいる参加者の投票と日付を置き換えます。");
        for (const MemberProblem& p : row.problems)
            lines << QStringLiteral("%1列目: ").arg(p.column) + problemText(p);
        return lines.join(u'\n');
    }
    const std::size_t at = fileColumn(row, column);
    if (at == 0) return {};
    for (const MemberProblem& p : row.problems)
        if (p.column == at) lines << problemText(p);
    const int vote = column - FirstVoteColumn;
    if (vote >= 0) {
        const imports::PlannedVote& v = row.votes[static_cast<std::size_t>(vote)];
        const std::string_view written =
            table_ ? text::trimSpaces(table_->cell(row.fileRow, v.column)) : std::string_view();
        const std::string_view shown = plan_->voteText(v);
        if (v.team >= 0 && !written.empty() && written != shown)
            lines.prepend(QStringLiteral("「%1」→ %2").arg(fromUtf8Text(written), fromUtf8Text(shown)));
    }
    return lines.join(u'\n');
}

QVariant MemberPlanModel::background(const PlannedRow& row, int column) const {
    if (row.action == PlannedRow::Action::skip) return QBrush(kSkipped);
    if (row.action == PlannedRow::Action::replace && (column == StateColumn || column == NameColumn))
        return QBrush(kReplaced);
    if (column == StateColumn) return row.problems.empty() ? QVariant() : QBrush(kChanged);
    const std::size_t at = fileColumn(row, column);
    if (at == 0) return {};
    for (const MemberProblem& p : row.problems)
        if (p.column == at) return QBrush(kChanged);
    return {};
}

QVariant MemberPlanModel::data(const QModelIndex& index, int role) const {
    if (!plan_ || !index.isValid()) return {};
    const PlannedRow& row = plan_->rows[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            switch (column) {
                case LineColumn: return QString::number(row.line);
                case StateColumn: return actionText(row.action);
                case NameColumn: return fromUtf8Text(row.name);
                case DateColumn: return fromUtf8Text(row.date);
                default: {
                    const auto vote = static_cast<std::size_t>(column - FirstVoteColumn);
                    return vote < row.votes.size() ? fromUtf8Text(plan_->voteText(row.votes[vote])) : QString();
                }
            }
        case Qt::ToolTipRole: {
            const QString tip = toolTip(row, column);
            return tip.isEmpty() ? QVariant() : tip;
        }
        case Qt::BackgroundRole: return background(row, column);
        case Qt::ForegroundRole:
            return row.action == PlannedRow::Action::skip ? QVariant(QBrush(QColor(0x70, 0x70, 0x70))) : QVariant();
        case Qt::TextAlignmentRole:
            return column == LineColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        default: return {};
    }
}

}  // namespace scorvale::ui
