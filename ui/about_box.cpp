#include "ui/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "scorvale/version.h"
#include "ui/pictures.h"

namespace scorvale::ui {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Scorvaleのﾊﾞｰｼﾞｮﾝ情報"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(programPicture(QStringLiteral("about")).pixmap(32, 32));
    picture->setFixedSize(32, 32);
    row->addWidget(picture, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QLatin1String(kVersionLine), this));
    texts->addWidget(new QLabel(QStringLiteral("Scorvale の開発者たち"), this));
    row->addLayout(texts);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace scorvale::ui
