#include "ui/password_dialog.h"
#include "ui/dialog_buttons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialogs/validation.h"
#include "ui/line_field.h"
#include "ui/password.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {
constexpr int kMaxPasswordBytes = 8;

QLineEdit* passwordEdit(QWidget* parent, const char* name) {
    QLineEdit* edit = makeLineField(name, kMaxPasswordBytes, parent);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace

PasswordDialog::PasswordDialog(bool unlocked, Interaction& interaction, QWidget* parent)
    : QDialog(parent), interaction_(interaction) {
    setWindowTitle(QStringLiteral("管理者暗証番号"));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("8文字以内でパスワードを入れてください"), this);
    prompt->setAlignment(Qt::AlignCenter);
    layout->addWidget(prompt);

    current_ = passwordEdit(this, "current");
    new_ = passwordEdit(this, "new");
    confirm_ = passwordEdit(this, "confirm");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("パスワード"), current_);
    form->addRow(QStringLiteral("新しいパスワード"), new_);
    form->addRow(QStringLiteral("新しいパスワード(確認)"), confirm_);
    layout->addLayout(form);

    current_->setEnabled(!unlocked);
    new_->setEnabled(unlocked);
    confirm_->setEnabled(unlocked);

    layout->addWidget(okCancelButtons(this));
}

void PasswordDialog::accept() {
    // A disabled field is empty, so its value is 0.
    std::string current;
    std::string next;
    std::string confirm;
    FieldReader reader(interaction_);
    reader.text(current_, QStringLiteral("パスワード"), current_->text(), current);
    reader.text(new_, QStringLiteral("新しいパスワード"), new_->text(), next);
    reader.text(confirm_, QStringLiteral("新しいパスワード(確認)"), confirm_->text(), confirm);
    if (!reader.ok()) return;
    currentValue = passwordValue(current);
    newValue = passwordValue(next);
    confirmValue = passwordValue(confirm);
    QDialog::accept();
}

}  // namespace scorvale::ui
