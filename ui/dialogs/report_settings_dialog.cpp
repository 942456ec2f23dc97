#include "ui/dialogs/report_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "gamefile/file_lines.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/validation.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {
struct ImageRow {
    const char* name;
    QString label;
    QString pickerCaption;
};

const std::array<ImageRow, 4>& imageRows() {
    static const std::array<ImageRow, 4> rows{{
        {"topImage", QStringLiteral("トップ画像"), QStringLiteral("トップ画像ファイルの選択")},
        {"leftImage", QStringLiteral("見出し左端画像"), QStringLiteral("見出し左端画像ファイルの選択")},
        {"rightImage", QStringLiteral("見出し右端画像"), QStringLiteral("見出し右画像ファイルの選択")},
        {"backgroundImage", QStringLiteral("背景画像"), QStringLiteral("背景画像ファイルの選択")},
    }};
    return rows;
}

QButtonGroup* rangeGroup(const char* prefix, int checked, QGroupBox* box, QVBoxLayout* layout) {
    auto* group = new QButtonGroup(box);
    auto* row = new QHBoxLayout;
    const QString texts[] = {QStringLiteral("Top5"), QStringLiteral("Top10"), QStringLiteral("全部")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(texts[i], box);
        radio->setObjectName(QString::fromLatin1(prefix) + QString::number(i));
        group->addButton(radio, i);
        row->addWidget(radio);
    }
    if (QAbstractButton* b = group->button(checked)) b->setChecked(true);
    layout->addLayout(row);
    return group;
}
}  // namespace

ReportSettingsDialog::ReportSettingsDialog(const ReportDialogValues& values, Interaction& interaction,
                                           QWidget* parent)
    : QDialog(parent), values_(values), interaction_(interaction) {
    setWindowTitle(QStringLiteral("HTML出力設定"));

    auto* left = new QGridLayout;
    title_ = makeTextEdit("title", -1, this);
    title_->setText(fromSjis(values.title));
    date_ = makeTextEdit("date", -1, this);
    date_->setText(fromSjis(values.date));
    editor_ = makeTextEdit("editor", -1, this);
    editor_->setText(fromSjis(values.editor));
    left->addWidget(new QLabel(QStringLiteral("タイトル"), this), 0, 0);
    left->addWidget(title_, 0, 1, 1, 4);
    left->addWidget(new QLabel(QStringLiteral("日付"), this), 1, 0);
    left->addWidget(date_, 1, 1);
    left->addWidget(new QLabel(QStringLiteral("発表者"), this), 1, 2);
    left->addWidget(editor_, 1, 3, 1, 2);

    const std::string* imageValues[] = {&values.topImage, &values.leftImage, &values.rightImage,
                                        &values.backgroundImage};
    for (int i = 0; i < 4; ++i) {
        const ImageRow& row = imageRows()[static_cast<std::size_t>(i)];
        QLineEdit* edit = makeTextEdit(row.name, -1, this);
        edit->setText(fromSjis(*imageValues[i]));
        images_[static_cast<std::size_t>(i)] = edit;
        auto* browse = new QPushButton(QStringLiteral("参照"), this);
        browse->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Browse"));
        browse->setAutoDefault(false);
        connect(browse, &QPushButton::clicked, this, [this, i] { browseImage(static_cast<Image>(i)); });
        left->addWidget(new QLabel(row.label, this), 2 + i, 0);
        left->addWidget(edit, 2 + i, 1, 1, 3);
        left->addWidget(browse, 2 + i, 4);
    }

    auto* membersBox = new QGroupBox(QStringLiteral("参加者"), this);
    auto* membersLayout = new QVBoxLayout(membersBox);
    memberRange_ = rangeGroup("memberRange", values.memberRange, membersBox, membersLayout);
    memberDetails_ = new QCheckBox(QStringLiteral("詳細"), membersBox);
    memberDetails_->setObjectName(QStringLiteral("memberDetails"));
    memberDetails_->setChecked(values.memberDetails != 0);
    membersLayout->addWidget(memberDetails_);
    auto* teamsBox = new QGroupBox(QStringLiteral("チーム"), this);
    auto* teamsLayout = new QVBoxLayout(teamsBox);
    teamRange_ = rangeGroup("teamRange", values.teamRange, teamsBox, teamsLayout);
    auto* groups = new QHBoxLayout;
    groups->addWidget(membersBox);
    groups->addWidget(teamsBox);

    // Which page: the legacy one stays the default; the members' page always
    // carries every member's detail (collapsed), so 詳細 has nothing to say there.
    auto* pageBox = new QGroupBox(QStringLiteral("ページ"), this);
    auto* pageLayout = new QVBoxLayout(pageBox);
    pageKind_ = new QButtonGroup(pageBox);
    auto* kinds = new QHBoxLayout;
    const std::pair<const char*, QString> kindTexts[] = {{"pageLegacy", QStringLiteral("従来のページ")},
                                                         {"pagePhone", QStringLiteral("スマホ向けページ")}};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(kindTexts[i].second, pageBox);
        radio->setObjectName(QString::fromLatin1(kindTexts[i].first));
        pageKind_->addButton(radio, i);
        kinds->addWidget(radio);
    }
    pageLayout->addLayout(kinds);
    picture_ = new QCheckBox(QStringLiteral("順位の画像も保存 (上位10人, PNG)"), pageBox);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setToolTip(QStringLiteral("ページと同じ場所に、同じ名前で拡張子 .png の画像を保存します"));
    picture_->setChecked(values.page.picture);
    pageLayout->addWidget(picture_);
    const auto showKind = [this](int kind) {
        memberDetails_->setEnabled(kind == static_cast<int>(PageChoice::Kind::legacy));
    };
    connect(pageKind_, &QButtonGroup::idToggled, this, [showKind](int id, bool checked) {
        if (checked) showKind(id);
    });
    pageKind_->button(static_cast<int>(values.page.kind) == 1 ? 1 : 0)->setChecked(true);
    showKind(pageKind_->checkedId());

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addLayout(left);
    leftColumn->addLayout(groups);
    leftColumn->addWidget(pageBox);
    leftColumn->addStretch();

    head_ = new ByteLimitedTextEdit(kGreetingBytes, this);
    head_->setObjectName(QStringLiteral("head"));
    head_->setStoredText(values.head);
    foot_ = new ByteLimitedTextEdit(kGreetingBytes, this);
    foot_->setObjectName(QStringLiteral("foot"));
    foot_->setStoredText(values.foot);
    auto* rightColumn = new QVBoxLayout;
    // Plain text: the labels show the tag itself.
    const auto greetingLabel = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    rightColumn->addWidget(greetingLabel(QStringLiteral("はじめの挨拶(タグ有効：デフォルトで<CENTER>)")));
    rightColumn->addWidget(head_);
    rightColumn->addWidget(greetingLabel(QStringLiteral("おわりの挨拶(タグ有効：デフォルトで<CENTER>)")));
    rightColumn->addWidget(foot_);

    auto* columns = new QHBoxLayout;
    columns->addLayout(leftColumn);
    columns->addLayout(rightColumn, 1);

    const auto [ok, cancel] = okCancelPair(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void ReportSettingsDialog::browseImage(Image image) {
    const ImageRow& row = imageRows()[static_cast<std::size_t>(image)];
    if (const auto name = pickImageFileName(interaction_, row.pickerCaption))
        images_[static_cast<std::size_t>(image)]->setText(*name);
}

void ReportSettingsDialog::accept() {
    ReportDialogValues read = values_;
    FieldReader reader(interaction_);
    const auto greeting = [&](ByteLimitedTextEdit* edit, const QString& name, std::string& value) {
        if (!reader.ok()) return;
        const auto bytes = edit->storedText();
        if (!bytes) return reader.fail(edit, unencodableMessage(name));
        if (bytes->size() > static_cast<std::size_t>(kGreetingBytes))
            return reader.fail(edit, byteLimitMessage(kGreetingBytes));
        if (*bytes != value) {
            if (const std::string_view tag = gamefile::tagIn(*bytes); !tag.empty())
                return reader.fail(edit, tagMessage(name, tag));
        }
        value = *bytes;
    };
    greeting(foot_, QStringLiteral("おわりの挨拶"), read.foot);
    greeting(head_, QStringLiteral("はじめの挨拶"), read.head);
    reader.text(title_, QStringLiteral("タイトル"), title_->text(), read.title);
    reader.text(date_, QStringLiteral("日付"), date_->text(), read.date);
    reader.text(editor_, QStringLiteral("発表者"), editor_->text(), read.editor);
    std::string* imageValues[] = {&read.topImage, &read.leftImage, &read.rightImage, &read.backgroundImage};
    for (int i = 0; i < 4; ++i)
        reader.text(images_[static_cast<std::size_t>(i)], imageRows()[static_cast<std::size_t>(i)].label,
                    images_[static_cast<std::size_t>(i)]->text(), *imageValues[i]);
    if (!reader.ok()) return;
    read.memberRange = memberRange_->checkedId();
    read.memberDetails = memberDetails_->isChecked() ? 1 : 0;
    read.teamRange = teamRange_->checkedId();
    read.page.kind = static_cast<PageChoice::Kind>(pageKind_->checkedId());
    read.page.picture = picture_->isChecked();
    values_ = read;
    QDialog::accept();
}

}  // namespace scorvale::ui
