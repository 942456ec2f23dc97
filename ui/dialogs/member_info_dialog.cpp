#include "ui/dialogs/member_info_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <algorithm>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/wrap_int.h"
#include "ui/dialog_buttons.h"
#include "ui/dialogs/member_edit_dialog.h"
#include "ui/interaction.h"
#include "ui/line_field.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {
constexpr int kNarrowColumn = 70;

// A narrow column made as wide as its widest cell needs: a file may bring
// values of ten digits and a sign.
void fitColumn(QTreeWidget* tree, int column) {
    const int margin = 2 * (tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1) + 2;
    int width = kNarrowColumn;
    for (int r = 0; r < tree->topLevelItemCount(); ++r)
        width = std::max(width, tree->fontMetrics().horizontalAdvance(tree->topLevelItem(r)->text(column)) + margin);
    tree->setColumnWidth(column, width);
}

}  // namespace

MemberInfoDialog::MemberInfoDialog(const std::string& nameText, Game& game, int index, Interaction& interaction,
                                   QWidget* parent)
    : QDialog(parent), nameText_(nameText), game_(game), index_(index), interaction_(interaction) {
    setWindowTitle(QStringLiteral("参加者情報"));

    name_ = makeLineField("name", -1, this);
    name_->setText(fromSjis(nameText_));
    name_->setReadOnly(true);
    name_->setAlignment(Qt::AlignCenter);

    rows_ = new QTreeWidget(this);
    rows_->setObjectName(QStringLiteral("rows"));
    rows_->setRootIsDecorated(false);
    rows_->setHeaderLabels({QStringLiteral("チーム"), QStringLiteral("配点"), QStringLiteral("得点")});
    rows_->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    rows_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    rows_->header()->setSectionsClickable(false);
    rows_->header()->setStretchLastSection(false);
    rows_->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    QPushButton* edit = dialogButton(QStringLiteral("修正"), "edit", this);
    edit->setToolTip(QStringLiteral("名前・画像・投票を編集します（F2）"));
    QPushButton* expel = dialogButton(QStringLiteral("除名"), "expel", this);
    expel->setToolTip(QStringLiteral("この参加者を除名します。閉じたあと確認します（Delete）"));
    const auto [ok, cancel] = okCancelPair(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(edit);
    buttons->addWidget(expel);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name_);
    layout->addWidget(rows_);
    layout->addLayout(buttons);

    connect(edit, &QPushButton::clicked, this, &MemberInfoDialog::editMember);
    connect(expel, &QPushButton::clicked, this, [this] {
        expelRequested_ = true;
        reject();
    });
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, edit, &QPushButton::click);
    connect(new QShortcut(QKeySequence(Qt::Key_Delete), this), &QShortcut::activated, expel, &QPushButton::click);

    refreshInfoRows();
}

void MemberInfoDialog::refreshInfoRows() {
    rows_->clear();
    const Member& member = game_.memberAt(index_);
    const int exponent = rateExponent(game_.settings.rate);
    std::int32_t total = 0;
    for (int p = 0; p < member.voteCount(); ++p) {
        auto* row = new QTreeWidgetItem(rows_);
        row->setText(0, fromSjis(member.vote(p)));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        const int team = game_.findTeamByName(member.vote(p));
        if (team >= 0 && !game_.teamAt(team).group.empty())
            row->setToolTip(0, QStringLiteral("グループ %1").arg(fromSjis(game_.teamAt(team).group.view())));
        if (team < 0) {
            row->setText(1, QStringLiteral("?"));
        } else if (p < game_.settings.maxBet) {
            const std::int32_t value = game_.voteValue(game_.teamAt(team), p);
            row->setText(1, QStringLiteral("%1pt").arg(wrapPower(votePoints(game_.settings, p), exponent)));
            row->setText(2, QString::number(value));
            total = wrapAdd(total, value);
        }
    }
    auto* sum = new QTreeWidgetItem(rows_);
    sum->setText(0, QStringLiteral("合計"));
    sum->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    sum->setText(2, QString::number(total));
    fitColumn(rows_, 1);
    fitColumn(rows_, 2);
}

void MemberInfoDialog::editMember() {
    MemberEditDialog editor(game_.memberAt(index_), nameText_, game_, interaction_, this);
    if (!interaction_.runDialog(editor)) return;
    Member copy = editor.member();
    copy.symbol = editor.imageText();
    copy.name = editor.nameText();
    nameText_ = copy.name.str();
    game_.memberAt(index_) = copy;
    memberEdited_ = true;
    refreshInfoRows();
    name_->setText(fromSjis(nameText_));
}

}  // namespace scorvale::ui
