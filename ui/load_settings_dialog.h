#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace scorvale::ui {

// Chooses between replacing the open game and merging a file into it, or
// bringing in data from elsewhere: the group "取り込み" closes the dialog with
// one of the imports chosen. The imports are offered only while
// `importsEnabled` (editing unlocked, and no game file already chosen).
class LoadSettingsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { load, importResults, importMembers };

    explicit LoadSettingsDialog(bool importsEnabled, QWidget* parent = nullptr);

    // What OK, or a button of the import group, chose.
    Choice choice() const { return choice_; }

    bool newLoad() const;
    bool readSettings() const;
    bool mergeTeams() const;
    bool mergeMembers() const;

    QCheckBox* newLoadBox() const { return newLoad_; }
    QCheckBox* readSettingsBox() const { return readSettings_; }
    QCheckBox* mergeTeamsBox() const { return mergeTeams_; }
    QCheckBox* mergeMembersBox() const { return mergeMembers_; }
    QPushButton* importResultsButton() const { return importResults_; }
    QPushButton* importMembersButton() const { return importMembers_; }

private:
    void applyEnabling();

    QCheckBox* newLoad_;
    QCheckBox* readSettings_;
    QCheckBox* mergeTeams_;
    QCheckBox* mergeMembers_;
    QPushButton* importResults_;
    QPushButton* importMembers_;
    Choice choice_ = Choice::load;
};

}  // namespace scorvale::ui
