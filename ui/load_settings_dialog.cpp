#include "ui/load_settings_dialog.h"
#include "ui/dialog_buttons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace scorvale::ui {

LoadSettingsDialog::LoadSettingsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("読み込み設定"));
    auto* layout = new QVBoxLayout(this);
    newLoad_ = new QCheckBox(QStringLiteral("新規読み込み"), this);
    readSettings_ = new QCheckBox(QStringLiteral("ゲーム設定を読み込む"), this);
    mergeTeams_ = new QCheckBox(QStringLiteral("チームをマージする"), this);
    mergeMembers_ = new QCheckBox(QStringLiteral("参加者をマージする"), this);
    newLoad_->setChecked(true);
    mergeTeams_->setChecked(true);
    mergeMembers_->setChecked(true);
    // Part of the dialog, never shown: the user cannot tick it.
    readSettings_->setVisible(false);
    layout->addWidget(newLoad_);
    layout->addWidget(readSettings_);
    layout->addWidget(mergeTeams_);
    layout->addWidget(mergeMembers_);

    layout->addWidget(okCancelButtons(this));

    connect(newLoad_, &QCheckBox::toggled, this, &LoadSettingsDialog::applyEnabling);
    applyEnabling();
}

void LoadSettingsDialog::applyEnabling() {
    const bool merge = !newLoad_->isChecked();
    readSettings_->setEnabled(merge);
    mergeTeams_->setEnabled(merge);
    mergeMembers_->setEnabled(merge);
}

bool LoadSettingsDialog::newLoad() const { return newLoad_->isChecked(); }
bool LoadSettingsDialog::readSettings() const { return readSettings_->isChecked(); }
bool LoadSettingsDialog::mergeTeams() const { return mergeTeams_->isChecked(); }
bool LoadSettingsDialog::mergeMembers() const { return mergeMembers_->isChecked(); }

}  // namespace scorvale::ui
