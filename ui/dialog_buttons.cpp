#include "ui/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace scorvale::ui {

QDialogButtonBox* okCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QPushButton* dialogButton(const QString& text, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

OkCancel okCancelPair(QDialog* dialog) {
    QPushButton* ok = dialogButton(QStringLiteral("OK"), "ok", dialog);
    ok->setDefault(true);
    QPushButton* cancel = dialogButton(QStringLiteral("ｷｬﾝｾﾙ"), "cancel", dialog);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {ok, cancel};
}

}  // namespace scorvale::ui
