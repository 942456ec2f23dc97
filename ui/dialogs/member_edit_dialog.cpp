#include "ui/dialogs/member_edit_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/validation.h"
#include "ui/interaction.h"
#include "ui/line_field.h"
#include "ui/qt_text.h"
#include "model/today_text.h"

namespace scorvale::ui {

namespace {

constexpr int kGroupRole = Qt::UserRole + 1;

// A candidate row: the team's name on the left, its group in grey on the
// right; a long name is cut short of the group.
class GroupedTeamDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString group = index.data(kGroupRole).toString();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 2;
        const int groupWidth = group.isEmpty() ? 0 : opt.fontMetrics.horizontalAdvance(group) + 3 * margin;
        const int nameWidth = std::max(0, opt.rect.width() - groupWidth - 2 * margin);
        opt.text = opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, nameWidth);
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        if (group.isEmpty()) return;
        painter->save();
        const bool selected = (opt.state & QStyle::State_Selected) != 0;
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
        painter->drawText(opt.rect.adjusted(0, 0, -margin, 0), Qt::AlignRight | Qt::AlignVCenter, group);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString group = index.data(kGroupRole).toString();
        if (!group.isEmpty()) size.rwidth() += option.fontMetrics.horizontalAdvance(group) + 16;
        return size;
    }
};

bool isEnter(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

MemberEditDialog::MemberEditDialog(const Member& copy, const std::string& nameText, const Game& game,
                                   Interaction& interaction, QWidget* parent)
    : QDialog(parent), copy_(copy), nameText_(nameText), imageText_(copy.symbol.str()), game_(game),
      interaction_(interaction), filter_(game) {
    setWindowTitle(QStringLiteral("参加者編集"));

    name_ = makeTextEdit("name", kTextFieldBytes, this);
    name_->setText(fromSjis(nameText_));
    image_ = makeTextEdit("image", kTextFieldBytes, this);
    image_->setText(fromSjis(imageText_));

    filterText_ = makeLineField("filter", -1, this);
    filterText_->setPlaceholderText(QStringLiteral("絞り込み（例: ブラ, bra）"));
    filterText_->setClearButtonEnabled(true);
    filterText_->setToolTip(QStringLiteral("チーム名・グループ・英語名・略称（BRA など）の一部で絞り込みます。\n"
                                           "↑↓で選び、Enter で投票に加えます。"));
    filterText_->installEventFilter(this);

    candidates_ = new QListWidget(this);
    candidates_->setObjectName(QStringLiteral("candidates"));
    candidates_->setSelectionMode(QAbstractItemView::SingleSelection);
    candidates_->setItemDelegate(new GroupedTeamDelegate(candidates_));
    candidates_->setToolTip(QStringLiteral("ダブルクリックか Enter で投票に加えます。右端はグループです。"));
    for (const Team& team : game_.teams()) {
        auto* item = new QListWidgetItem(fromSjis(team.name.view()), candidates_);
        item->setData(kGroupRole, fromSjis(team.group.view()));
        if (!team.group.empty()) item->setToolTip(QStringLiteral("グループ %1").arg(fromSjis(team.group.view())));
    }
    candidates_->viewport()->installEventFilter(this);
    candidates_->installEventFilter(this);

    maxBetLabel_ = new QLabel(QStringLiteral("最大投票数 %1チーム").arg(game_.settings.maxBet), this);
    maxBetLabel_->setObjectName(QStringLiteral("maxBetLabel"));

    votes_ = new QTreeWidget(this);
    votes_->setObjectName(QStringLiteral("votes"));
    votes_->setRootIsDecorated(false);
    votes_->setSelectionMode(QAbstractItemView::SingleSelection);
    votes_->setHeaderLabels({QStringLiteral("チーム"), QStringLiteral("配点")});
    votes_->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    votes_->header()->setSectionsClickable(false);
    votes_->header()->setStretchLastSection(false);
    votes_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    votes_->setColumnWidth(1, 60);
    votes_->setToolTip(QStringLiteral("ダブルクリックで一つ上へ、右ダブルクリックで一つ下へ。Delete で削除します。"));
    votes_->viewport()->installEventFilter(this);
    votes_->installEventFilter(this);

    add_ = dialogButton(QStringLiteral("← 追加"), "add", this);
    add_->setToolTip(QStringLiteral("投票対象チームで選んだチームを投票の最後に加えます（Enter）"));
    up_ = dialogButton(QStringLiteral("↑"), "up", this);
    up_->setToolTip(QStringLiteral("選んだ投票を一つ上へ（Alt+↑）"));
    down_ = dialogButton(QStringLiteral("↓"), "down", this);
    down_->setToolTip(QStringLiteral("選んだ投票を一つ下へ（Alt+↓）"));
    remove_ = dialogButton(QStringLiteral("削除(&E)"), "remove", this);
    remove_->setToolTip(QStringLiteral("選んだ投票を削除します（Delete）"));
    const auto [ok, cancel] = okCancelPair(this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("参加者名"), this), 0, 0);
    fields->addWidget(name_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("参加者画像"), this), 1, 0);
    fields->addWidget(image_, 1, 1);

    // The votes on the left, the teams to choose from on the right, and
    // between them the buttons that move a team across and the votes about.
    auto* left = new QVBoxLayout;
    left->addWidget(maxBetLabel_);
    left->addWidget(votes_);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : {add_, up_, down_, remove_}) middle->addWidget(b);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("投票対象チーム"), this));
    right->addWidget(filterText_);
    right->addWidget(candidates_);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addLayout(middle);
    lists->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    setTabOrder(name_, image_);
    setTabOrder(image_, filterText_);
    setTabOrder(filterText_, candidates_);
    setTabOrder(candidates_, add_);
    setTabOrder(add_, votes_);
    setTabOrder(votes_, up_);
    setTabOrder(up_, down_);
    setTabOrder(down_, remove_);
    setTabOrder(remove_, ok);
    setTabOrder(ok, cancel);

    connect(remove_, &QPushButton::clicked, this, &MemberEditDialog::removeSelectedVote);
    connect(add_, &QPushButton::clicked, this, &MemberEditDialog::addSelectedCandidate);
    connect(up_, &QPushButton::clicked, this, &MemberEditDialog::moveSelectedVoteUp);
    connect(down_, &QPushButton::clicked, this, &MemberEditDialog::moveSelectedVoteDown);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Up), this), &QShortcut::activated, this,
            &MemberEditDialog::moveSelectedVoteUp);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), this), &QShortcut::activated, this,
            &MemberEditDialog::moveSelectedVoteDown);
    connect(filterText_, &QLineEdit::textChanged, this, &MemberEditDialog::applyFilter);
    connect(candidates_, &QListWidget::currentRowChanged, this, &MemberEditDialog::updateButtons);
    // The keyboard moves the selection as a click does.
    connect(votes_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!showingSelection_ && current != nullptr) selectVote(votes_->indexOfTopLevelItem(current));
    });

    refreshVoteRows();
}

void MemberEditDialog::refreshVoteRows() {
    showingSelection_ = true;
    votes_->clear();
    const int exponent = rateExponent(game_.settings.rate);
    for (int p = 0; p < copy_.voteCount(); ++p) {
        const std::string_view vote = copy_.vote(p);
        auto* row = new QTreeWidgetItem(votes_);
        row->setText(0, fromSjis(vote));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        if (p < game_.settings.maxBet && game_.findTeamByName(vote) >= 0)
            row->setText(1, QStringLiteral("%1pt").arg(wrapPower(votePoints(game_.settings, p), exponent)));
    }
    showingSelection_ = false;
    showSelectedVote();
}

void MemberEditDialog::showSelectedVote() {
    showingSelection_ = true;
    if (selectedVote_ >= 0 && selectedVote_ < copy_.voteCount())
        votes_->setCurrentItem(votes_->topLevelItem(selectedVote_));
    else
        votes_->clearSelection();
    showingSelection_ = false;
    updateButtons();
}

void MemberEditDialog::updateButtons() {
    const int candidate = candidates_->currentRow();
    add_->setEnabled(candidate >= 0 && !candidates_->item(candidate)->isHidden());
    up_->setEnabled(selectedVote_ >= 1 && selectedVote_ < copy_.voteCount());
    down_->setEnabled(selectedVote_ >= 0 && selectedVote_ < copy_.voteCount() - 1);
}

void MemberEditDialog::applyFilter() {
    const std::vector<bool> shown = filter_.matching(filterText_->text().toStdString());
    int firstShown = -1;
    for (int row = 0; row < candidates_->count(); ++row) {
        candidates_->item(row)->setHidden(!shown[static_cast<std::size_t>(row)]);
        if (firstShown < 0 && shown[static_cast<std::size_t>(row)]) firstShown = row;
    }
    // Enter adds what the list shows selected, never a hidden team.
    const int current = candidates_->currentRow();
    if (current < 0 || candidates_->item(current)->isHidden()) {
        if (firstShown >= 0)
            candidates_->setCurrentRow(firstShown);
        else
            candidates_->setCurrentRow(-1);
    }
    updateButtons();
}

void MemberEditDialog::addCandidate(int teamRow) {
    if (teamRow < 0 || teamRow >= game_.teamCount()) return;
    if (copy_.addVote(game_.teamAt(teamRow).name.view()) == Member::kVotesFull)
        interaction_.tell(Interaction::Icon::Warning, QStringLiteral("参加者編集"),
                          QStringLiteral("投票できるのは %1 チームまでです。").arg(Member::kMaxVotes));
    refreshVoteRows();
}

void MemberEditDialog::addSelectedCandidate() {
    const int row = candidates_->currentRow();
    if (row >= 0 && !candidates_->item(row)->isHidden()) addCandidate(row);
}

void MemberEditDialog::selectVote(int row) {
    selectedVote_ = row;
    updateButtons();
}

void MemberEditDialog::moveVoteUp(int row) {
    if (row < 1 || row >= copy_.voteCount()) return;
    const std::string text(copy_.vote(row));
    copy_.removeVote(row);
    copy_.insertVote(row - 1, text);
    refreshVoteRows();
}

void MemberEditDialog::moveVoteDown(int row) {
    if (row < 0 || row > copy_.voteCount() - 2) return;
    const std::string text(copy_.vote(row));
    copy_.removeVote(row);
    copy_.insertVote(row + 1, text);
    refreshVoteRows();
}

// The selection goes with the vote, so pressing again moves it further.
void MemberEditDialog::moveSelectedVote(int by) {
    const int from = selectedVote_;
    const int to = from + by;
    if (from < 0 || from >= copy_.voteCount() || to < 0 || to >= copy_.voteCount()) return;
    selectedVote_ = to;
    if (by < 0)
        moveVoteUp(from);
    else
        moveVoteDown(from);
}

void MemberEditDialog::moveSelectedVoteUp() { moveSelectedVote(-1); }
void MemberEditDialog::moveSelectedVoteDown() { moveSelectedVote(1); }

void MemberEditDialog::removeSelectedVote() {
    if (selectedVote_ >= copy_.voteCount()) selectedVote_ = copy_.voteCount() - 1;
    if (selectedVote_ < 0) return;
    copy_.removeVote(selectedVote_);
    refreshVoteRows();
}

bool MemberEditDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((watched == candidates_ || watched == filterText_) && isEnter(key)) {
            addSelectedCandidate();
            return true;
        }
        // From the filter, ↑ and ↓ walk the teams it shows.
        if (watched == filterText_ && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
            key->modifiers() == Qt::NoModifier) {
            QCoreApplication::sendEvent(candidates_, event);
            return true;
        }
        if (watched == votes_ && key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            removeSelectedVote();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    const bool onVotes = watched == votes_->viewport();
    const bool onCandidates = watched == candidates_->viewport();
    if ((!onVotes && !onCandidates) ||
        (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick))
        return QDialog::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (onCandidates) {
        if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
            const QModelIndex index = candidates_->indexAt(at);
            if (index.isValid()) addCandidate(index.row());
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    const QModelIndex index = votes_->indexAt(at);
    const int row = index.isValid() ? index.row() : -1;
    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse->button() == Qt::LeftButton) selectVote(row);
        return QDialog::eventFilter(watched, event);
    }
    if (mouse->button() == Qt::LeftButton) moveVoteUp(row);
    if (mouse->button() == Qt::RightButton) moveVoteDown(row);
    return true;
}

void MemberEditDialog::accept() {
    copy_.date = todayText();
    FieldReader reader(interaction_);
    std::string name = nameText_;
    std::string image = imageText_;
    reader.text(name_, QStringLiteral("参加者名"), name_->text(), name, kTextFieldBytes);
    reader.text(image_, QStringLiteral("参加者画像"), image_->text(), image, kTextFieldBytes);
    if (!reader.ok()) return;
    nameText_ = name;
    imageText_ = image;
    QDialog::accept();
}

}  // namespace scorvale::ui
