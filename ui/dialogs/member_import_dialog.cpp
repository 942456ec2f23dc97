#include "ui/dialogs/member_import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "text/normalize.h"
#include "text/sjis_codec.h"
#include "ui/dialog_buttons.h"
#include "ui/dialogs/member_import_texts.h"
#include "ui/input_problem_text.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {

using imports::ColumnKind;
using imports::MemberImportOptions;
using text::Encoding;
using text::Separator;

constexpr int kCellChars = 16;

QString shortened(QString text) {
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    return text.size() > kCellChars ? text.left(kCellChars - 1) + u'…' : text;
}

// The combo box index of a 1-based column (`firstItem` items before column 1).
int itemOf(std::size_t column, int firstItem) {
    return column == 0 ? (firstItem > 0 ? 0 : -1) : static_cast<int>(column) - 1 + firstItem;
}
std::size_t columnOf(int item, int firstItem) {
    return item < firstItem ? 0 : static_cast<std::size_t>(item - firstItem + 1);
}

QComboBox* combo(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QLabel* infoLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QTableView* table(const char* name, QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->setWordWrap(false);
    return view;
}

QStringList teamNamesOf(const Game& game) {
    QStringList names;
    for (int k = 0; k < game.teamCount(); ++k) names << fromSjis(game.teamAt(k).name.view());
    return names;
}

}  // namespace

MemberImportDialog::MemberImportDialog(const QString& fileName, std::string bytes, imports::MembersFile file,
                                       const imports::MembersFileFormat& format, const Game& game,
                                       std::string todayText, QWidget* parent)
    : QDialog(parent), bytes_(std::move(bytes)), file_(std::move(file)), game_(game), matcher_(game),
      today_(std::move(todayText)),
      spellings_(
          teamNamesOf(game), [this](const imports::PickSpelling& s, int team) { choose(s, team); },
          [this](const imports::PickSpelling& s) { return matcher_.nearestTeam(s.written); }) {
    setWindowTitle(QStringLiteral("参加者の取り込み"));
    options_.encoding = format.encoding;
    options_.separator = format.separator;

    auto* fileLabel = new QLabel(QStringLiteral("ファイル: ") + fileName, this);
    fileLabel->setObjectName(QStringLiteral("fileName"));

    encoding_ = combo("encoding", this);
    encoding_->addItems({QStringLiteral("自動判別"), QStringLiteral("UTF-8"), QStringLiteral("Shift-JIS (CP932)"),
                         QStringLiteral("UTF-16")});
    encoding_->setCurrentIndex(static_cast<int>(options_.encoding));
    encodingInfo_ = infoLabel("encodingInfo", this);
    separator_ = combo("separator", this);
    separator_->addItems({QStringLiteral("自動判別"), QStringLiteral("カンマ"), QStringLiteral("セミコロン"),
                          QStringLiteral("タブ")});
    separator_->setCurrentIndex(static_cast<int>(options_.separator));
    separatorInfo_ = infoLabel("separatorInfo", this);
    header_ = new QCheckBox(QStringLiteral("1行目は見出し"), this);
    header_->setObjectName(QStringLiteral("header"));
    nameColumn_ = combo("nameColumn", this);
    firstVote_ = combo("firstVoteColumn", this);
    lastVote_ = combo("lastVoteColumn", this);
    dateColumn_ = combo("dateColumn", this);
    unused_ = infoLabel("unusedColumns", this);
    replace_ = new QCheckBox(QStringLiteral("すでにいる参加者は投票と日付を置き換える"), this);
    replace_->setObjectName(QStringLiteral("replace"));

    preview_ = table("preview", &model_, this);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setMinimumSize(640, 200);
    spellingsView_ = table("spellings", &spellings_, this);
    spellingsView_->setItemDelegateForColumn(MemberSpellingModel::TeamColumn, new TeamChoiceDelegate(spellingsView_));
    spellingsView_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    spellingsView_->horizontalHeader()->setStretchLastSection(true);
    spellingsView_->setMinimumHeight(90);
    spellingsLabel_ = infoLabel("spellingsLabel", this);

    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("counts"));
    error_ = infoLabel("error", this);
    error_->setStyleSheet(QStringLiteral("color: #b00000"));

    QDialogButtonBox* buttons = okCancelButtons(this);
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(QStringLiteral("文字コード"), this), 0, 0);
    choices->addWidget(encoding_, 0, 1);
    choices->addWidget(encodingInfo_, 0, 2, 1, 4);
    choices->addWidget(new QLabel(QStringLiteral("区切り"), this), 1, 0);
    choices->addWidget(separator_, 1, 1);
    choices->addWidget(separatorInfo_, 1, 2, 1, 4);
    choices->addWidget(header_, 2, 0, 1, 2);
    choices->addWidget(new QLabel(QStringLiteral("参加者名の列"), this), 3, 0);
    choices->addWidget(nameColumn_, 3, 1);
    choices->addWidget(new QLabel(QStringLiteral("日時の列"), this), 3, 2);
    choices->addWidget(dateColumn_, 3, 3, 1, 2);
    choices->addWidget(new QLabel(QStringLiteral("投票の列"), this), 4, 0);
    choices->addWidget(firstVote_, 4, 1);
    choices->addWidget(new QLabel(QStringLiteral("から"), this), 4, 2);
    choices->addWidget(lastVote_, 4, 3);
    choices->addWidget(new QLabel(QStringLiteral("まで (第1候補から順に)"), this), 4, 4);
    choices->addWidget(unused_, 5, 0, 1, 6);
    choices->setColumnStretch(5, 1);

    auto* spellingsBox = new QWidget(this);
    auto* spellingsLayout = new QVBoxLayout(spellingsBox);
    spellingsLayout->setContentsMargins(0, 0, 0, 0);
    spellingsLayout->addWidget(spellingsLabel_);
    spellingsLayout->addWidget(spellingsView_, 1);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(preview_);
    splitter->addWidget(spellingsBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(counts_, 1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel);
    layout->addLayout(choices);
    layout->addWidget(replace_);
    layout->addWidget(splitter, 1);
    layout->addWidget(error_);
    layout->addLayout(bottom);

    guessColumns();
    fillColumnChoices();
    showFile();
    replan();

    const auto changed = [this] { replan(); };
    connect(encoding_, &QComboBox::currentIndexChanged, this, [this] { reread(); });
    connect(separator_, &QComboBox::currentIndexChanged, this, [this] { reread(); });
    connect(header_, &QCheckBox::toggled, this, [this] {
        fillColumnChoices();
        replan();
    });
    connect(nameColumn_, &QComboBox::currentIndexChanged, this, [this] {
        followNameColumn();
        replan();
    });
    for (QComboBox* box : {firstVote_, lastVote_, dateColumn_})
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    connect(replace_, &QCheckBox::toggled, this, changed);
}

void MemberImportDialog::guessColumns() {
    guess_ = fileError_ ? imports::ColumnGuess{} : imports::guessMemberColumns(file_, matcher_);
    options_ = imports::chooseMemberColumns(guess_, {}, std::move(options_));
    const QSignalBlocker block(header_);
    header_->setChecked(options_.header);
}

// Each column named by its header cell, or without a header by its first
// value, so that the choices read like the spreadsheet.
QString MemberImportDialog::columnLabel(std::size_t column) const {
    QString text = QStringLiteral("%1列目").arg(column);
    if (file_.table.rowCount() > 0) {
        const std::string_view value = text::trimSpaces(file_.table.cell(0, column));
        if (!value.empty())
            text += header_->isChecked() ? QStringLiteral(": ") + shortened(fromUtf8Text(value))
                                         : QStringLiteral(" (") + shortened(fromUtf8Text(value)) + u')';
    }
    return text;
}

void MemberImportDialog::fillColumnChoices() {
    const std::size_t width = fileError_ ? 0 : file_.columnCount();
    // Defaults of the options resolved to columns the boxes can show.
    const std::size_t name = options_.nameColumn <= width ? options_.nameColumn : 0;
    std::size_t first = options_.firstVoteColumn;
    std::size_t last = options_.lastVoteColumn;
    if (first == 0) {
        first = std::min(name + 1, width);
        last = width;
        if (options_.dateColumn == last && last > first) --last;
    }
    const std::size_t date = options_.dateColumn <= width ? options_.dateColumn : 0;

    // The caller plans once for the whole refill.
    const QSignalBlocker blockName(nameColumn_);
    const QSignalBlocker blockFirst(firstVote_);
    const QSignalBlocker blockLast(lastVote_);
    const QSignalBlocker blockDate(dateColumn_);
    QStringList labels;
    for (std::size_t c = 1; c <= width; ++c) labels << columnLabel(c);
    for (QComboBox* box : {nameColumn_, firstVote_, lastVote_, dateColumn_}) {
        box->clear();
        if (box == dateColumn_) box->addItem(QStringLiteral("なし (今日の日付)"));
        box->addItems(labels);
    }
    nameColumn_->setCurrentIndex(itemOf(name, 0));
    firstVote_->setCurrentIndex(itemOf(std::min(first, width), 0));
    lastVote_->setCurrentIndex(itemOf(std::min(last, width), 0));
    dateColumn_->setCurrentIndex(itemOf(date, 1));
}

void MemberImportDialog::followNameColumn() {
    const std::size_t width = file_.columnCount();
    const std::size_t name = columnOf(nameColumn_->currentIndex(), 0);
    const QSignalBlocker blockFirst(firstVote_);
    const QSignalBlocker blockLast(lastVote_);
    const QSignalBlocker blockDate(dateColumn_);
    if (columnOf(firstVote_->currentIndex(), 0) == options_.nameColumn + 1 && name < width) {
        firstVote_->setCurrentIndex(itemOf(name + 1, 0));
        if (lastVote_->currentIndex() < firstVote_->currentIndex()) lastVote_->setCurrentIndex(itemOf(width, 0));
    }
    if (columnOf(dateColumn_->currentIndex(), 1) == name) dateColumn_->setCurrentIndex(0);
}

void MemberImportDialog::reread() {
    options_.encoding = static_cast<Encoding>(encoding_->currentIndex());
    options_.separator = static_cast<Separator>(separator_->currentIndex());
    try {
        file_ = imports::readMembersFile(bytes_, options_.format());
        fileError_.reset();
    } catch (const text::InputError& e) {
        file_ = {};
        fileError_ = e.problem();
    }
    guessColumns();
    fillColumnChoices();
    showFile();
    replan();
}

void MemberImportDialog::showFile() {
    encodingInfo_->setText(fileError_ ? QString() : encodingText(file_));
    separatorInfo_->setText(fileError_ ? QString() : separatorText(file_));
}

void MemberImportDialog::choose(const imports::PickSpelling& spelling, int team) {
    if (team < 0) choices_.erase(spelling.key);
    else choices_[spelling.key] = {spelling.written, team};
    replan();
}

void MemberImportDialog::replan() {
    options_.header = header_->isChecked();
    options_.nameColumn = columnOf(nameColumn_->currentIndex(), 0);
    options_.firstVoteColumn = columnOf(firstVote_->currentIndex(), 0);
    options_.lastVoteColumn = columnOf(lastVote_->currentIndex(), 0);
    options_.dateColumn = columnOf(dateColumn_->currentIndex(), 1);
    options_.replace = replace_->isChecked();
    options_.names.clear();
    for (const auto& [key, choice] : choices_)
        options_.names.push_back({choice.first, sjis::toUtf8(game_.teamAt(choice.second).name.view())});
    plan_.reset();
    QString error;
    if (fileError_) {
        error = inputProblemText(*fileError_);
    } else {
        try {
            plan_ = imports::planMemberImport(file_, options_, game_, matcher_, today_);
        } catch (const text::InputError& e) {
            error = inputProblemText(e.problem());
        } catch (const imports::MemberOptionsError& e) {
            error = optionsErrorText(e.kind());
        }
    }
    showPlan(error);
}

QString MemberImportDialog::unusedColumnsText() const {
    QStringList unused;
    for (std::size_t c = 1; c <= guess_.kinds.size(); ++c) {
        const ColumnKind kind = guess_.kinds[c - 1];
        const bool pick = options_.firstVoteColumn == 0
                              ? c > options_.nameColumn && c != options_.dateColumn
                              : c >= options_.firstVoteColumn && c <= options_.lastVoteColumn;
        if (kind == ColumnKind::empty || pick || c == options_.nameColumn || c == options_.dateColumn) continue;
        unused << columnLabel(c) + QStringLiteral("（") + columnKindText(kind) + QStringLiteral("）");
    }
    return unused.isEmpty() ? QString() : QStringLiteral("取り込まない列: ") + unused.join(QStringLiteral("、"));
}

void MemberImportDialog::showPlan(const QString& error) {
    model_.setPlan(plan(), options_, &file_.table);
    spellings_.setSpellings(plan_ ? &plan_->spellings : nullptr);
    unused_->setText(fileError_ ? QString() : unusedColumnsText());
    unused_->setVisible(!unused_->text().isEmpty());
    QString reason = error;
    if (plan_) {
        const auto& p = *plan_;
        counts_->setText(QStringLiteral("追加 %1人　置き換え %2人　取り込まない %3人　問題 %4件")
                             .arg(p.toAdd)
                             .arg(p.toReplace)
                             .arg(p.toSkip)
                             .arg(p.problemCount));
        if (!p.importsAnything())
            reason = QStringLiteral("取り込める行がありません（%1行すべて取り込みません）。各行の「状態」にその理由があります。")
                         .arg(p.rows.size());
        preview_->setColumnWidth(MemberPlanModel::LineColumn, 44);
        preview_->setColumnWidth(MemberPlanModel::StateColumn, 84);
        preview_->setColumnWidth(MemberPlanModel::NameColumn, 130);
        preview_->setColumnWidth(MemberPlanModel::DateColumn, 70);
        for (int c = MemberPlanModel::FirstVoteColumn; c < model_.columnCount(); ++c) preview_->setColumnWidth(c, 86);
        const std::size_t kept = static_cast<std::size_t>(
            std::count_if(p.spellings.begin(), p.spellings.end(), [](const auto& s) { return s.team < 0; }));
        spellingsLabel_->setText(
            p.spellings.empty()
                ? QStringLiteral("投票はすべてゲームのチームに当たります。")
                : QStringLiteral("チームに当たらない書き方 %1（うち書かれたまま %2）: 「取り込むチーム」で選ぶと、その書き方の投票すべてに効きます。")
                      .arg(p.spellings.size())
                      .arg(kept));
        spellingsView_->setColumnWidth(MemberSpellingModel::WrittenColumn, 160);
        spellingsView_->setColumnWidth(MemberSpellingModel::CountColumn, 44);
        spellingsView_->setColumnWidth(MemberSpellingModel::TeamColumn, 160);
    } else {
        counts_->clear();
        spellingsLabel_->clear();
    }
    error_->setText(reason.isEmpty() ? QString() : QStringLiteral("取り込めません: ") + reason);
    error_->setVisible(!reason.isEmpty());
    ok_->setEnabled(plan_ && plan_->importsAnything());
}

void MemberImportDialog::accept() {
    if (!plan_ || !plan_->importsAnything()) return;
    QDialog::accept();
}

}  // namespace scorvale::ui
