#include "ui/dialogs/member_edit_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/validation.h"
#include "ui/interaction.h"
#include "ui/qt_text.h"
#include "model/today_text.h"

namespace scorvale::ui {

namespace {
}

MemberEditDialog::MemberEditDialog(const Member& copy, const std::string& nameText, const Game& game,
                                   Interaction& interaction, QWidget* parent)
    : QDialog(parent), copy_(copy), nameText_(nameText), imageText_(copy.symbol.str()), game_(game),
      interaction_(interaction) {
    setWindowTitle(QStringLiteral("参加者編集"));

    name_ = makeTextEdit("name", kTextFieldBytes, this);
    name_->setText(fromSjis(nameText_));
    image_ = makeTextEdit("image", kTextFieldBytes, this);
    image_->setText(fromSjis(imageText_));

    candidates_ = new QListWidget(this);
    candidates_->setObjectName(QStringLiteral("candidates"));
    candidates_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const Team& team : game_.teams()) candidates_->addItem(fromSjis(team.name.view()));
    candidates_->viewport()->installEventFilter(this);

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
    votes_->viewport()->installEventFilter(this);

    remove_ = dialogButton(QStringLiteral("削除(&E)"), "remove", this);
    const auto [ok, cancel] = okCancelPair(this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("参加者名"), this), 0, 0);
    fields->addWidget(name_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("参加者画像"), this), 1, 0);
    fields->addWidget(image_, 1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("投票対象チーム"), this));
    left->addWidget(candidates_);
    auto* right = new QVBoxLayout;
    right->addWidget(maxBetLabel_);
    right->addWidget(votes_);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left);
    lists->addLayout(right);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove_);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    connect(remove_, &QPushButton::clicked, this, &MemberEditDialog::removeSelectedVote);

    refreshVoteRows();
}

void MemberEditDialog::refreshVoteRows() {
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
}

void MemberEditDialog::addCandidate(int teamRow) {
    if (teamRow < 0 || teamRow >= game_.teamCount()) return;
    if (copy_.addVote(game_.teamAt(teamRow).name.view()) == Member::kVotesFull)
        interaction_.tell(Interaction::Icon::Warning, QStringLiteral("参加者編集"),
                          QStringLiteral("投票できるのは %1 チームまでです。").arg(Member::kMaxVotes));
    refreshVoteRows();
}

void MemberEditDialog::selectVote(int row) { selectedVote_ = row; }

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

void MemberEditDialog::removeSelectedVote() {
    if (selectedVote_ >= copy_.voteCount()) selectedVote_ = copy_.voteCount() - 1;
    if (selectedVote_ < 0) return;
    copy_.removeVote(selectedVote_);
    refreshVoteRows();
}

bool MemberEditDialog::eventFilter(QObject* watched, QEvent* event) {
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
