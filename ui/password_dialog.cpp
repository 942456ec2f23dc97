#include "ui/password_dialog.h"
#include "ui/dialog_buttons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/password.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {
constexpr int kMaxPasswordBytes = 8;

QLineEdit* passwordEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEchoMode(QLineEdit::Password);
    edit->setValidator(new ByteLimitValidator(kMaxPasswordBytes, edit));
    return edit;
}

std::int32_t valueOf(const QLineEdit* edit) {
    // Every character a validator let through has a Shift-JIS form.
    return passwordValue(toSjis(edit->text()).value_or(std::string()));
}
}  // namespace

PasswordDialog::PasswordDialog(bool unlocked, QWidget* parent) : QDialog(parent) {
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
    currentValue = valueOf(current_);
    newValue = valueOf(new_);
    confirmValue = valueOf(confirm_);
    QDialog::accept();
}

}  // namespace scorvale::ui
