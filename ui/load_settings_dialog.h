#pragma once

#include <QDialog>

class QCheckBox;

namespace scorvale::ui {

// Chooses between replacing the open game and merging a file into it.
class LoadSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit LoadSettingsDialog(QWidget* parent = nullptr);

    bool newLoad() const;
    bool readSettings() const;
    bool mergeTeams() const;
    bool mergeMembers() const;

    QCheckBox* newLoadBox() const { return newLoad_; }
    QCheckBox* readSettingsBox() const { return readSettings_; }
    QCheckBox* mergeTeamsBox() const { return mergeTeams_; }
    QCheckBox* mergeMembersBox() const { return mergeMembers_; }

private:
    void applyEnabling();

    QCheckBox* newLoad_;
    QCheckBox* readSettings_;
    QCheckBox* mergeTeams_;
    QCheckBox* mergeMembers_;
};

}  // namespace scorvale::ui
