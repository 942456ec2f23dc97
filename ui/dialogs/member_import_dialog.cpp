#include "ui/dialogs/member_import_dialog.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "text/normalize.h"
#include "ui/dialog_buttons.h"

namespace scorvale::ui {

namespace {

using imports::MemberImportOptions;
using text::Encoding;

constexpr int kCellChars = 16;


QString shortened(QString text) {
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    return text.size() > kCellChars ? text.left(kCellChars - 1) + u'…' : text;
}

// The combo box index of a 1-based column (`firstItem` items before column 1).
int itemOf(std::size_t column, int firstItem) { return static_cast<int>(column) - 1 + firstItem; }
std::size_t columnOf(int item, int firstItem) {
    return item < firstItem ? 0 : static_cast<std::size_t>(item - firstItem + 1);
}

QComboBox* combo(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

}  // namespace

MemberImportDialog::MemberImportDialog(const QString& fileName, std::string bytes, imports::MembersFile file,
                                       const MemberImportOptions& options, const Game& game, std::string todayText,
                                       QWidget* parent)
    : QDialog(parent), bytes_(std::move(bytes)), file_(std::move(file)), options_(options), game_(game),
      matcher_(game), today_(std::move(todayText)) {
    setWindowTitle(QStringLiteral("参加者の取り込み"));

    auto* fileLabel = new QLabel(QStringLiteral("ファイル: ") + fileName, this);
    fileLabel->setObjectName(QStringLiteral("fileName"));

    encoding_ = combo("encoding", this);
    encoding_->addItems({QStringLiteral("自動判別"), QStringLiteral("UTF-8"), QStringLiteral("Shift-JIS (CP932)")});
    encoding_->setCurrentIndex(static_cast<int>(options_.encoding));
    header_ = new QCheckBox(QStringLiteral("1行目は見出し"), this);
    header_->setObjectName(QStringLiteral("header"));
    header_->setChecked(options_.header);
    nameColumn_ = combo("nameColumn", this);
    firstVote_ = combo("firstVoteColumn", this);
    lastVote_ = combo("lastVoteColumn", this);
    dateColumn_ = combo("dateColumn", this);
    replace_ = new QCheckBox(QStringLiteral("すでにいる参加者は投票と日付を置き換える"), this);
    replace_->setObjectName(QStringLiteral("replace"));
    replace_->setChecked(options_.replace);

    preview_ = new QTableView(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setModel(&model_);
    preview_->setSelectionMode(QAbstractItemView::NoSelection);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->verticalHeader()->hide();
    preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 6);
    preview_->horizontalHeader()->setHighlightSections(false);
    preview_->setWordWrap(false);
    preview_->setMinimumSize(640, 260);

    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("counts"));
    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("error"));
    error_->setStyleSheet(QStringLiteral("color: #b00000"));
    error_->setWordWrap(true);

    QDialogButtonBox* buttons = okCancelButtons(this);
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(QStringLiteral("文字コード"), this), 0, 0);
    choices->addWidget(encoding_, 0, 1);
    choices->addWidget(header_, 0, 2, 1, 3);
    choices->addWidget(new QLabel(QStringLiteral("参加者名の列"), this), 1, 0);
    choices->addWidget(nameColumn_, 1, 1);
    choices->addWidget(new QLabel(QStringLiteral("日時の列"), this), 1, 2);
    choices->addWidget(dateColumn_, 1, 3, 1, 2);
    choices->addWidget(new QLabel(QStringLiteral("投票の列"), this), 2, 0);
    choices->addWidget(firstVote_, 2, 1);
    choices->addWidget(new QLabel(QStringLiteral("から"), this), 2, 2);
    choices->addWidget(lastVote_, 2, 3);
    choices->addWidget(new QLabel(QStringLiteral("まで (第1候補から順に)"), this), 2, 4);
    choices->setColumnStretch(5, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(counts_, 1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel);
    layout->addLayout(choices);
    layout->addWidget(replace_);
    layout->addWidget(preview_, 1);
    layout->addWidget(error_);
    layout->addLayout(bottom);

    fillColumnChoices();
    replan();

    const auto changed = [this] { replan(); };
    connect(encoding_, &QComboBox::currentIndexChanged, this, [this] { reread(); });
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

// Each column named by its header cell, or without a header by its first
// value, so that the choices read like the spreadsheet.
void MemberImportDialog::fillColumnChoices() {
    const std::size_t width = file_.columnCount;
    const bool header = header_->isChecked();
    const auto label = [&](std::size_t column) {
        QString text = QStringLiteral("%1列目").arg(column);
        if (!file_.rows.empty() && column <= file_.rows.front().fields.size()) {
            const std::string_view value = text::trimSpaces(file_.rows.front().fields[column - 1]);
            if (!value.empty())
                text += header ? QStringLiteral(": ") + shortened(fromUtf8Text(value))
                               : QStringLiteral(" (") + shortened(fromUtf8Text(value)) + u')';
        }
        return text;
    };
    // Defaults of the options resolved to columns the boxes can show.
    const std::size_t name = std::min(std::max<std::size_t>(options_.nameColumn, 1), std::max<std::size_t>(width, 1));
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
    for (QComboBox* box : {nameColumn_, firstVote_, lastVote_, dateColumn_}) {
        box->clear();
        if (box == dateColumn_) box->addItem(QStringLiteral("なし (今日の日付)"));
        for (std::size_t c = 1; c <= width; ++c) box->addItem(label(c));
    }
    nameColumn_->setCurrentIndex(itemOf(name, 0));
    firstVote_->setCurrentIndex(itemOf(first, 0));
    lastVote_->setCurrentIndex(itemOf(last, 0));
    dateColumn_->setCurrentIndex(date == 0 ? 0 : itemOf(date, 1));
}

void MemberImportDialog::followNameColumn() {
    const std::size_t width = file_.columnCount;
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
    try {
        file_ = imports::readMembersFile(bytes_, options_.encoding);
        fileError_.reset();
    } catch (const imports::MembersFileError& e) {
        fileError_ = e;
    }
    fillColumnChoices();
    replan();
}

void MemberImportDialog::replan() {
    options_.header = header_->isChecked();
    options_.nameColumn = columnOf(nameColumn_->currentIndex(), 0);
    options_.firstVoteColumn = columnOf(firstVote_->currentIndex(), 0);
    options_.lastVoteColumn = columnOf(lastVote_->currentIndex(), 0);
    options_.dateColumn = columnOf(dateColumn_->currentIndex(), 1);
    options_.replace = replace_->isChecked();
    plan_.reset();
    QString error;
    if (fileError_) {
        error = fromUtf8Text(fileError_->what());
    } else {
        try {
            plan_ = imports::planMemberImport(file_, options_, game_, matcher_, today_);
        } catch (const imports::MembersFileError& e) {
            error = fromUtf8Text(e.what());
        } catch (const imports::MemberOptionsError& e) {
            error = fromUtf8Text(e.what());
        }
    }
    showPlan(error);
}

void MemberImportDialog::showPlan(const QString& error) {
    model_.setPlan(plan(), options_);
    if (plan_) {
        const auto& p = *plan_;
        counts_->setText(QStringLiteral("追加 %1人　置き換え %2人　取り込まない %3人　問題 %4件")
                             .arg(p.toAdd)
                             .arg(p.toReplace)
                             .arg(p.toSkip)
                             .arg(p.problemCount));
        preview_->setColumnWidth(MemberPlanModel::LineColumn, 44);
        preview_->setColumnWidth(MemberPlanModel::StateColumn, 84);
        preview_->setColumnWidth(MemberPlanModel::NameColumn, 130);
        preview_->setColumnWidth(MemberPlanModel::DateColumn, 70);
        for (int c = MemberPlanModel::FirstVoteColumn; c < model_.columnCount(); ++c) preview_->setColumnWidth(c, 86);
    } else {
        counts_->clear();
    }
    error_->setText(error.isEmpty() ? QString() : QStringLiteral("この設定では取り込めません: ") + error);
    error_->setVisible(!error.isEmpty());
    ok_->setEnabled(plan_.has_value());
}

void MemberImportDialog::accept() {
    if (!plan_) return;
    QDialog::accept();
}

}  // namespace scorvale::ui
