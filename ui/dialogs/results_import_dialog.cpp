#include "ui/dialogs/results_import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <iterator>
#include <optional>

#include "lists/list_columns.h"
#include "model/text_field.h"
#include "ui/dialog_buttons.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/interaction.h"
#include "ui/line_field.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {

using imports::ImportPlan;
using imports::TeamResult;
using lists::TeamColumn;

enum Column { ListName, Target, NewName, Group, kFirstResult };
// The result columns, as the main window's team list shows them.
constexpr TeamColumn kResultColumns[] = {TeamColumn::status, TeamColumn::tournamentWins, TeamColumn::wins,
                                         TeamColumn::losses, TeamColumn::draws,          TeamColumn::goalDiff};
constexpr int kColumnCount = kFirstResult + static_cast<int>(std::size(kResultColumns));

const lists::TeamColumnInfo& resultColumn(int column) {
    return lists::kTeamColumns[static_cast<std::size_t>(kResultColumns[column - kFirstResult])];
}

QString caption(TeamColumn column) {
    const std::string_view text = lists::kTeamColumns[static_cast<std::size_t>(column)].caption;
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString cellText(const lists::Cell& cell) {
    if (const auto* number = std::get_if<std::int32_t>(&cell)) return QString::number(*number);
    return fromSjis(std::get<std::string_view>(cell));
}

// The team as the import would leave its result fields.
Team resultTeam(const TeamResult& r) {
    Team team;
    imports::setResultNumbers(team, r);
    return team;
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

// A combo box in a scrolled table takes the wheel only once it has the
// focus, so that scrolling the table does not change the teams it passes.
class TargetBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void wheelEvent(QWheelEvent* event) override {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore();
    }
};

}  // namespace

ResultsImportDialog::ResultsImportDialog(const Game& game, imports::PreparedImport prepared,
                                         imports::ResultOptions options, const QString& source,
                                         Interaction& interaction, QWidget* parent)
    : QDialog(parent),
      game_(game),
      list_(std::move(prepared.list)),
      results_(std::move(prepared.results)),
      plan_(std::move(prepared.plan)),
      interaction_(interaction) {
    setWindowTitle(QStringLiteral("試合結果の取り込み"));

    auto* sourceLabel = new QLabel(this);
    sourceLabel->setObjectName(QStringLiteral("source"));
    const QString listName = QString::fromStdString(list_.name);
    sourceLabel->setText(listName.isEmpty() ? source : QStringLiteral("%1（%2）").arg(source, listName));
    auto* matches = new QLabel(QStringLiteral("試合: 消化 %1、未消化 %2")
                                   .arg(results_.playedMatches)
                                   .arg(results_.unplayedMatches),
                               this);
    matches->setObjectName(QStringLiteral("matches"));
    teamsSummary_ = new QLabel(this);
    teamsSummary_->setObjectName(QStringLiteral("teamsSummary"));

    rows_ = new QTreeWidget(this);
    rows_->setObjectName(QStringLiteral("rows"));
    rows_->setRootIsDecorated(false);
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    rows_->setAlternatingRowColors(true);
    // Tab goes from control to control of the rows; the table itself only scrolls.
    rows_->setFocusPolicy(Qt::NoFocus);
    rows_->setColumnCount(kColumnCount);
    QStringList headers{QStringLiteral("リストのチーム"), QStringLiteral("ゲームのチーム"),
                        QStringLiteral("追加する名前"), caption(TeamColumn::group)};
    for (const TeamColumn c : kResultColumns) headers << caption(c);
    rows_->setHeaderLabels(headers);
    for (int c = kFirstResult; c < kColumnCount; ++c)
        if (resultColumn(c).align == lists::Align::right)
            rows_->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    rows_->header()->setSectionsClickable(false);
    rows_->header()->setStretchLastSection(false);
    // One list of choices for every row: the first adds, the others are the
    // game's teams in collection order (the plan's target plus one).
    QStringList choices{QStringLiteral("新しいチームとして追加")};
    for (const Team& team : game_.teams()) choices << fromSjis(team.name.view());
    choices_ = new QStringListModel(choices, this);
    for (int row = 0; row < static_cast<int>(results_.teams.size()); ++row) addRow(row);

    knockoutGoals_ = new QCheckBox(QStringLiteral("決勝トーナメントの得点も得失点差に数える（延長戦を含む）"), this);
    knockoutGoals_->setObjectName(QStringLiteral("knockoutGoals"));
    knockoutGoals_->setChecked(options.knockoutGoals);
    connect(knockoutGoals_, &QCheckBox::toggled, this, &ResultsImportDialog::recompute);

    auto* hint = new QLabel(QStringLiteral("変わる値は「今 → 取り込み後」で示します。"
                                           "リストにないチームと参加者は変わりません。"),
                            this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceLabel);
    layout->addWidget(matches);
    layout->addWidget(teamsSummary_);
    layout->addWidget(rows_, 1);
    layout->addWidget(hint);
    layout->addWidget(knockoutGoals_);
    QDialogButtonBox* buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    // Not the first row's box: a row is marked once one of its controls has the focus.
    buttons->findChild<QPushButton*>(QStringLiteral("ok"))->setFocus();

    refreshTeamsSummary();
    // Every column as wide as its widest cell or control, a name column up
    // to a sensible width (a list may bring any name); the table shows all
    // columns and a dozen rows without scrolling sideways.
    const int gap = rows_->fontMetrics().horizontalAdvance(u'　');
    for (int c = 0; c < kColumnCount; ++c) {
        rows_->resizeColumnToContents(c);
        const int width = rows_->columnWidth(c) + (c >= Group ? gap : 0);
        rows_->setColumnWidth(c, c <= Group ? std::min(width, maxNameWidth()) : width);
    }
    int width = 2 * rows_->frameWidth() + rows_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < kColumnCount; ++c) width += rows_->columnWidth(c);
    const int rowHeight = results_.teams.empty() ? rows_->fontMetrics().height() : rows_->sizeHintForRow(0);
    rows_->setMinimumSize(width, rows_->header()->sizeHint().height() + 12 * rowHeight + 2 * rows_->frameWidth());
}

int ResultsImportDialog::maxNameWidth() const { return 20 * fontMetrics().horizontalAdvance(u'あ'); }

imports::ResultOptions ResultsImportDialog::options() const {
    return imports::ResultOptions{knockoutGoals_->isChecked()};
}

void ResultsImportDialog::addRow(int row) {
    const TeamResult& team = results_.teams[static_cast<std::size_t>(row)];
    auto* item = new QTreeWidgetItem(rows_);
    item->setText(ListName, QString::fromStdString(team.name));
    item->setToolTip(ListName, matchedByText(plan_.matchedBy[static_cast<std::size_t>(row)]));
    for (int c = kFirstResult; c < kColumnCount; ++c)
        if (resultColumn(c).align == lists::Align::right) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);

    auto* target = new TargetBox(rows_);
    target->setObjectName(QStringLiteral("target%1").arg(row));
    target->setFocusPolicy(Qt::StrongFocus);
    target->setModel(choices_);
    // Sized by the widest choice measured once, not by every box over every team.
    target->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (choiceWidth_ == 0) {
        QStyleOptionComboBox option;
        option.initFrom(target);
        int widest = 0;
        for (const QString& choice : choices_->stringList())
            widest = std::max(widest, target->fontMetrics().horizontalAdvance(choice));
        choiceWidth_ =
            target->style()
                ->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(widest, target->fontMetrics().height()), target)
                .width();
    }
    target->setMinimumWidth(std::min(choiceWidth_, maxNameWidth()));
    target->setCurrentIndex(plan_.targets[static_cast<std::size_t>(row)] + 1);
    rows_->setItemWidget(item, Target, target);
    targets_.push_back(target);

    // The view shows and hides its cell widgets itself; the field inside a
    // holder stays hidden while the row goes to a team of the game.
    auto* holder = new QWidget(rows_);
    auto* holderLayout = new QHBoxLayout(holder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    QLineEdit* name = makeLineField("", kTextFieldBytes, holder);
    name->setObjectName(QStringLiteral("newName%1").arg(row));
    name->setText(QString::fromStdString(plan_.newNames[static_cast<std::size_t>(row)]));
    // The name it comes with shows whole, up to a sensible width.
    const int nameWidth = name->fontMetrics().horizontalAdvance(name->text() + QStringLiteral("　　"));
    name->setMinimumWidth(std::min(nameWidth, maxNameWidth()));
    holderLayout->addWidget(name);
    rows_->setItemWidget(item, NewName, holder);
    newNames_.push_back(name);

    connect(target, &QComboBox::currentIndexChanged, this, [this, row](int index) { chooseTarget(row, index - 1); });
    connect(name, &QLineEdit::textChanged, this,
            [this, row](const QString& text) { plan_.newNames[static_cast<std::size_t>(row)] = text.toStdString(); });
    chooseTarget(row, plan_.targets[static_cast<std::size_t>(row)]);
}

void ResultsImportDialog::chooseTarget(int row, int target) {
    plan_.targets[static_cast<std::size_t>(row)] = target;
    newNames_[static_cast<std::size_t>(row)]->setVisible(target == ImportPlan::kAdd);
    refreshValues(row);
    refreshTeamsSummary();
}

void ResultsImportDialog::recompute() {
    results_ = imports::computeResults(list_, options());
    for (int row = 0; row < static_cast<int>(results_.teams.size()); ++row) refreshValues(row);
}

void ResultsImportDialog::refreshValues(int row) {
    const TeamResult& result = results_.teams[static_cast<std::size_t>(row)];
    const int target = plan_.targets[static_cast<std::size_t>(row)];
    const Team* old = target == ImportPlan::kAdd ? nullptr : &game_.teamAt(target);
    const Team after = resultTeam(result);
    QTreeWidgetItem* item = rows_->topLevelItem(row);

    // A new team shows its values alone; a changed value shows both, in bold.
    const auto put = [item](int column, const std::optional<QString>& before, const QString& now) {
        const auto shown = [](const QString& text) { return text.isEmpty() ? QStringLiteral("－") : text; };
        const bool changed = before && *before != now;
        item->setText(column, changed ? shown(*before) + QStringLiteral(" → ") + shown(now) : now);
        QFont font = item->font(column);
        font.setBold(changed);
        item->setFont(column, font);
    };
    const QString oldGroup = old ? fromSjis(old->group.view()) : QString();
    put(Group, old ? std::optional(oldGroup) : std::nullopt,
         result.group.empty() ? oldGroup : QString::fromStdString(result.group));
    for (int c = kFirstResult; c < kColumnCount; ++c) {
        const auto cell = resultColumn(c).cell;
        put(c, old ? std::optional(cellText(cell(*old))) : std::nullopt, cellText(cell(after)));
    }
}

void ResultsImportDialog::refreshTeamsSummary() {
    std::vector<bool> named(static_cast<std::size_t>(game_.teamCount()), false);
    int added = 0;
    for (const int target : plan_.targets) {
        if (target == ImportPlan::kAdd)
            ++added;
        else
            named[static_cast<std::size_t>(target)] = true;
    }
    const auto unnamed = std::count(named.begin(), named.end(), false);
    teamsSummary_->setText(QStringLiteral("チーム: リストに %1（うち新しく追加 %2）、リストにないゲームのチーム %3（そのまま）")
                               .arg(plan_.targets.size())
                               .arg(added)
                               .arg(unnamed));
}

void ResultsImportDialog::accept() {
    try {
        imports::checkPlan(game_, results_, plan_);
    } catch (const imports::ImportError& error) {
        interaction_.tell(Interaction::Icon::Warning, windowTitle(),
                          QStringLiteral("「%1」は取り込めません。\n%2")
                              .arg(QString::fromStdString(error.name()), QString::fromStdString(error.reason())));
        for (int row = 0; row < static_cast<int>(results_.teams.size()); ++row) {
            if (results_.teams[static_cast<std::size_t>(row)].name != error.name()) continue;
            rows_->setCurrentItem(rows_->topLevelItem(row));
            rows_->scrollToItem(rows_->topLevelItem(row));
            if (plan_.targets[static_cast<std::size_t>(row)] == ImportPlan::kAdd)
                newNames_[static_cast<std::size_t>(row)]->setFocus();
            else
                targets_[static_cast<std::size_t>(row)]->setFocus();
            break;
        }
        return;
    }
    QDialog::accept();
}

}  // namespace scorvale::ui
