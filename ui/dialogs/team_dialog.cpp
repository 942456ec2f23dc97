#include "ui/dialogs/team_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/text_field.h"
#include "ui/dialog_buttons.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/validation.h"
#include "ui/qt_text.h"
#include "model/today_text.h"

namespace scorvale::ui {

namespace {
}  // namespace

TeamDialog::TeamDialog(const TeamValues& values, bool editable, Interaction& interaction, QWidget* parent)
    : QDialog(parent), values_(values), editable_(editable), interaction_(interaction) {
    setWindowTitle(QStringLiteral("チーム編集"));

    name_ = makeTextEdit("name", kTextFieldBytes, this);
    group_ = makeTextEdit("group", kTextFieldBytes, this);
    wins_ = makeNumberEdit("wins", true, this);
    losses_ = makeNumberEdit("losses", true, this);
    draws_ = makeNumberEdit("draws", true, this);
    goalDiff_ = makeNumberEdit("goalDiff", false, this);
    qualify_ = new QCheckBox(QStringLiteral("進出"), this);
    qualify_->setObjectName(QStringLiteral("qualify"));
    tournamentWins_ = makeNumberEdit("tournamentWins", true, this);
    out_ = new QCheckBox(QStringLiteral("敗退"), this);
    out_->setObjectName(QStringLiteral("out"));
    symbol_ = makeTextEdit("symbol", kTextFieldBytes, this);
    browse_ = dialogButton(QStringLiteral("参照"), "browse", this);
    delete_ = dialogButton(QStringLiteral("削除"), "delete", this);
    const OkCancel okCancel = okCancelPair(this);
    ok_ = okCancel.ok;
    QPushButton* cancel = okCancel.cancel;

    auto* grid = new QGridLayout;
    grid->addWidget(name_, 0, 0, 1, 7);
    grid->addWidget(new QLabel(QStringLiteral("グループ"), this), 1, 0);
    grid->addWidget(group_, 1, 1, 1, 6);
    grid->addWidget(wins_, 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("勝"), this), 2, 1);
    grid->addWidget(losses_, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("敗"), this), 2, 3);
    grid->addWidget(draws_, 2, 4);
    grid->addWidget(new QLabel(QStringLiteral("分"), this), 2, 5);
    grid->addWidget(new QLabel(QStringLiteral("得失"), this), 3, 0);
    grid->addWidget(goalDiff_, 3, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("トーナメント"), this), 4, 0);
    grid->addWidget(qualify_, 4, 1);
    grid->addWidget(tournamentWins_, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("勝"), this), 4, 3);
    grid->addWidget(out_, 4, 4);
    grid->addWidget(new QLabel(QStringLiteral("シンボル画像"), this), 5, 0);
    grid->addWidget(symbol_, 5, 1, 1, 5);
    grid->addWidget(browse_, 5, 6);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(delete_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(delete_, &QPushButton::clicked, this, [this] {
        deleteRequested_ = true;
        reject();
    });
    connect(browse_, &QPushButton::clicked, this, &TeamDialog::pickImageFile);
    connect(out_, &QCheckBox::clicked, this, &TeamDialog::onCheckBoxClicked);
    connect(qualify_, &QCheckBox::clicked, this, &TeamDialog::onCheckBoxClicked);

    fill();
    if (values_.out != 0) {
        for (QWidget* w : {static_cast<QWidget*>(wins_), static_cast<QWidget*>(losses_), static_cast<QWidget*>(draws_),
                           static_cast<QWidget*>(goalDiff_), static_cast<QWidget*>(tournamentWins_),
                           static_cast<QWidget*>(qualify_)})
            w->setEnabled(false);
    } else if (values_.qualify == 0) {
        tournamentWins_->setEnabled(false);
    }
    if (!editable_) {
        for (QWidget* w : std::initializer_list<QWidget*>{name_, group_, wins_, losses_, draws_, goalDiff_, qualify_,
                                                          tournamentWins_, out_, symbol_, browse_, delete_, ok_})
            w->setEnabled(false);
    }
}

void TeamDialog::fill() {
    name_->setText(fromSjis(values_.name));
    group_->setText(fromSjis(values_.group));
    wins_->setText(QString::number(values_.wins));
    losses_->setText(QString::number(values_.losses));
    draws_->setText(QString::number(values_.draws));
    goalDiff_->setText(QString::number(values_.goalDiff));
    qualify_->setChecked(values_.qualify != 0);
    tournamentWins_->setText(QString::number(values_.tournamentWins));
    out_->setChecked(values_.out != 0);
    symbol_->setText(fromSjis(values_.symbol));
}

// Reads the controls in the fixed order into the working values; a bad field
// stops the reading and leaves the later values as they were.
bool TeamDialog::readAndCheck() {
    FieldReader reader(interaction_);
    reader.number(draws_, values_.draws, 0, 10000);
    reader.number(losses_, values_.losses, 0, 10000);
    reader.text(name_, QStringLiteral("チーム名"), name_->text(), values_.name, kTextFieldBytes);
    reader.number(wins_, values_.wins, 0, 10000);
    reader.number(goalDiff_, values_.goalDiff, -1000000, 1000000);
    reader.number(tournamentWins_, values_.tournamentWins, 0, 100000);
    reader.text(symbol_, QStringLiteral("シンボル画像"), symbol_->text(), values_.symbol, kTextFieldBytes);
    reader.text(group_, QStringLiteral("グループ"), group_->text(), values_.group, kTextFieldBytes);
    if (reader.ok()) values_.out = out_->isChecked() ? 1 : 0;
    if (reader.ok()) values_.qualify = qualify_->isChecked() ? 1 : 0;
    return reader.ok();
}

void TeamDialog::applyResultEnabling() {
    const bool active = values_.out == 0;
    for (QWidget* w : std::initializer_list<QWidget*>{wins_, losses_, draws_, goalDiff_, qualify_})
        w->setEnabled(active);
    tournamentWins_->setEnabled(active && values_.qualify != 0);
}

void TeamDialog::onCheckBoxClicked() {
    readAndCheck();
    applyResultEnabling();
}

void TeamDialog::pickImageFile() {
    if (const auto name = pickImageFileName(interaction_, QStringLiteral("チームシンボル画像ファイルの選択")))
        symbol_->setText(*name);
}

void TeamDialog::accept() {
    values_.date = todayText();
    if (!readAndCheck()) return;
    QDialog::accept();
}

}  // namespace scorvale::ui
