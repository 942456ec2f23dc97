#include "ui/dialogs/settings_dialog.h"
#include "ui/dialog_buttons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/validation.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {
QLineEdit* numberField(const char* name, std::int32_t value, QWidget* parent) {
    QLineEdit* edit = makeNumberEdit(name, true, parent);
    edit->setText(QString::number(value));
    return edit;
}

// How many days the history holds, and from when to when.
QString historySummary(const ResultsHistory& history) {
    if (history.empty()) return QStringLiteral("記録なし");
    const auto& days = history.days();
    return QStringLiteral("%1日分（%2～%3）")
        .arg(days.size())
        .arg(fromSjis(days.front().date), fromSjis(days.back().date));
}
}  // namespace

SettingsDialog::SettingsDialog(const GameSettings& values, Interaction& interaction, QWidget* parent)
    : SettingsDialog(values, ResultsHistory{}, interaction, parent) {}

SettingsDialog::SettingsDialog(const GameSettings& values, const ResultsHistory& history, Interaction& interaction,
                               QWidget* parent)
    : QDialog(parent), values_(values), interaction_(interaction) {
    setWindowTitle(QStringLiteral("設定"));

    title_ = makeTextEdit("title", -1, this);
    title_->setText(fromSjis(values.name));
    maxBet_ = numberField("maxBet", values.maxBet, this);
    over_ = new QCheckBox(QStringLiteral("順位確定"), this);
    over_->setObjectName(QStringLiteral("over"));
    over_->setChecked(values.over != 0);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("タイトル"), this), 0, 0);
    top->addWidget(title_, 0, 1, 1, 3);
    top->addWidget(new QLabel(QStringLiteral("最大投票数"), this), 1, 0);
    top->addWidget(maxBet_, 1, 1);
    top->addWidget(over_, 1, 2);

    auto* rateBox = new QGroupBox(QStringLiteral("配当調整"), this);
    auto* rateLayout = new QHBoxLayout(rateBox);
    rate_ = new QButtonGroup(this);
    const char* rateNames[] = {"rateCubed", "rateSquared", "rateNormal"};
    const QString rateTexts[] = {QStringLiteral("三乗配当"), QStringLiteral("二乗配当"), QStringLiteral("通常配当")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(rateTexts[i], rateBox);
        radio->setObjectName(QString::fromLatin1(rateNames[i]));
        rate_->addButton(radio, i);
        rateLayout->addWidget(radio);
    }
    // Any other rate, however far out a file put it, selects no button.
    if (values.rate >= 1 && values.rate <= 3) rate_->button(3 - values.rate)->setChecked(true);

    auto* pointsBox = new QGroupBox(QStringLiteral("勝ち点"), this);
    auto* points = new QFormLayout(pointsBox);
    win_ = numberField("winPoints", values.winPoints, pointsBox);
    draw_ = numberField("drawPoints", values.drawPoints, pointsBox);
    lose_ = numberField("losePoints", values.losePoints, pointsBox);
    points->addRow(QStringLiteral("勝者"), win_);
    points->addRow(QStringLiteral("引分け"), draw_);
    points->addRow(QStringLiteral("敗者"), lose_);

    auto* tournamentBox = new QGroupBox(QStringLiteral("ﾄｰﾅﾒﾝﾄ"), this);
    auto* tournament = new QFormLayout(tournamentBox);
    tournamentWin_ = numberField("tournamentWinPoints", values.tournamentWinPoints, tournamentBox);
    tournament->addRow(QStringLiteral("勝ち点"), tournamentWin_);

    auto* bonuses = new QFormLayout;
    bonus1_ = numberField("bonus1", values.bonus1, this);
    bonus2_ = numberField("bonus2", values.bonus2, this);
    bonus3_ = numberField("bonus3", values.bonus3, this);
    qualifyBonus_ = numberField("qualifyBonus", values.qualifyBonus, this);
    bonuses->addRow(QStringLiteral("1位特賞"), bonus1_);
    bonuses->addRow(QStringLiteral("2位特賞"), bonus2_);
    bonuses->addRow(QStringLiteral("3位特賞"), bonus3_);
    bonuses->addRow(QStringLiteral("進出特賞"), qualifyBonus_);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(pointsBox);
    left->addWidget(tournamentBox);
    middle->addLayout(left);
    middle->addLayout(bonuses);

    // The scoring rule, with the dividend adjustment set small where its exponent stands.
    auto* ruleHead = new QLabel(QStringLiteral("得点計算法：\n"), this);
    auto* ruleText = new QLabel(QStringLiteral("   { (勝ち点 + 特賞) x 投票点 }"), this);
    auto* exponent = new QLabel(QStringLiteral("配当調整"), this);
    QFont small = exponent->font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    exponent->setFont(small);
    auto* rule = new QGridLayout;
    rule->setHorizontalSpacing(0);
    rule->setVerticalSpacing(0);
    rule->addWidget(ruleHead, 0, 0, 1, 3);
    rule->addWidget(exponent, 1, 1, Qt::AlignLeft | Qt::AlignBottom);
    rule->addWidget(ruleText, 2, 0);
    rule->setColumnStretch(2, 1);

    auto* historyBox = new QGroupBox(QStringLiteral("結果の履歴"), this);
    auto* historyLayout = new QHBoxLayout(historyBox);
    auto* historyText = new QLabel(historySummary(history), historyBox);
    historyText->setObjectName(QStringLiteral("historySummary"));
    clearHistory_ = new QCheckBox(QStringLiteral("履歴を消去する"), historyBox);
    clearHistory_->setObjectName(QStringLiteral("clearHistory"));
    clearHistory_->setEnabled(!history.empty());
    historyLayout->addWidget(historyText, 1);
    historyLayout->addWidget(clearHistory_);

    QDialogButtonBox* buttons = okCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rateBox);
    layout->addLayout(middle);
    layout->addLayout(rule);
    layout->addWidget(historyBox);
    layout->addWidget(buttons);
}

int SettingsDialog::rateChoice() const { return rate_->checkedId(); }

bool SettingsDialog::clearHistory() const { return clearHistory_->isChecked(); }

void SettingsDialog::accept() {
    GameSettings read = values_;
    FieldReader reader(interaction_);
    reader.number(draw_, read.drawPoints);
    reader.number(lose_, read.losePoints);
    reader.number(maxBet_, read.maxBet, 1, 32);
    reader.text(title_, QStringLiteral("タイトル"), title_->text(), read.name);
    reader.number(win_, read.winPoints);
    reader.number(bonus1_, read.bonus1);
    reader.number(bonus2_, read.bonus2);
    if (reader.ok()) read.rate = 3 - rateChoice();
    reader.number(tournamentWin_, read.tournamentWinPoints, 0, 100000);
    reader.number(bonus3_, read.bonus3);
    reader.number(qualifyBonus_, read.qualifyBonus);
    if (reader.ok()) read.over = over_->isChecked() ? 1 : 0;
    if (!reader.ok()) return;
    values_ = read;
    QDialog::accept();
}

}  // namespace scorvale::ui
