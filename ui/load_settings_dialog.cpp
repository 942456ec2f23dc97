#include "ui/load_settings_dialog.h"
#include "ui/dialog_buttons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace scorvale::ui {

LoadSettingsDialog::LoadSettingsDialog(bool importsEnabled, QWidget* parent) : QDialog(parent) {
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

    // Below the load's own controls: the imports, each of which ends the
    // dialog and goes on with its own file.
    auto* imports = new QGroupBox(QStringLiteral("取り込み"), this);
    imports->setObjectName(QStringLiteral("imports"));
    auto* importRow = new QHBoxLayout(imports);
    importResults_ = dialogButton(QStringLiteral("試合結果(&G)…"), "importResults", imports);
    importMembers_ = dialogButton(QStringLiteral("参加者(&I)…"), "importMembers", imports);
    importRow->addWidget(importResults_);
    importRow->addWidget(importMembers_);
    imports->setEnabled(importsEnabled);
    layout->addWidget(imports);
    const auto chooseImport = [this](Choice choice) {
        choice_ = choice;
        accept();
    };
    connect(importResults_, &QPushButton::clicked, this, [chooseImport] { chooseImport(Choice::importResults); });
    connect(importMembers_, &QPushButton::clicked, this, [chooseImport] { chooseImport(Choice::importMembers); });

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
